#include "core/monitor/alarm_evaluation.h"

#include <gtest/gtest.h>

namespace skyvane {
namespace {

HeaderRecord AllEnabled() {
  HeaderRecord h;
  for (int f = hdr::kAlarmTime; f <= hdr::kAlarmDewPointHigh; ++f) h[f] = "1";
  return h;
}

LampState State(const HistoryRow& r, const HeaderRecord& h, const AlarmRecord& a, int lampNo) {
  return EvaluateLamps(r, h, a)[lampNo - 1];
}

TEST(AlarmEvaluation, HighAndLowComparisonsAreStrict) {
  HeaderRecord h = AllEnabled();
  AlarmRecord a;
  HistoryRow r;
  a[alm::kIndoorHumidityHigh] = "60";
  r[row::indoorHumidity] = "60";
  EXPECT_EQ(State(r, h, a, lamp::kIndoorHumidityHigh), LampState::kArmed);
  r[row::indoorHumidity] = "61";
  EXPECT_EQ(State(r, h, a, lamp::kIndoorHumidityHigh), LampState::kTriggered);

  a[alm::kOutdoorTempLow] = "5.0";
  r[row::outdoorTemperature] = "3.2";
  EXPECT_EQ(State(r, h, a, lamp::kOutdoorTempLow), LampState::kTriggered);
  r[row::outdoorTemperature] = "5.0";
  EXPECT_EQ(State(r, h, a, lamp::kOutdoorTempLow), LampState::kArmed);
  r[row::outdoorTemperature] = "5";
  EXPECT_EQ(State(r, h, a, lamp::kOutdoorTempLow), LampState::kArmed);
}

TEST(AlarmEvaluation, DisabledWheneverTheEnableFieldIsNotExactlyOne) {
  HeaderRecord h = AllEnabled();
  AlarmRecord a;
  HistoryRow r;
  r[row::absolutePressure] = "1013.2";
  a[alm::kAbsPressureHigh] = "1000.0";
  EXPECT_EQ(State(r, h, a, lamp::kAbsPressureHigh), LampState::kTriggered);
  for (const char* off : {"0", "", "1 ", "true"}) {
    h[hdr::kAlarmAbsPressureHigh] = off;
    EXPECT_EQ(State(r, h, a, lamp::kAbsPressureHigh), LampState::kDisabled) << off;
  }
}

TEST(AlarmEvaluation, TemperatureLampsCompareReadingsOfAnySign) {
  HeaderRecord h = AllEnabled();
  AlarmRecord a;
  HistoryRow r;
  a[alm::kOutdoorTempLow] = "-10.0";
  r[row::outdoorTemperature] = "-12.5";
  EXPECT_EQ(State(r, h, a, lamp::kOutdoorTempLow), LampState::kTriggered);
  r[row::outdoorTemperature] = "-10.0";
  EXPECT_EQ(State(r, h, a, lamp::kOutdoorTempLow), LampState::kArmed);

  a[alm::kIndoorTempLow] = "2.0";
  r[row::indoorTemperature] = "0.0";
  EXPECT_EQ(State(r, h, a, lamp::kIndoorTempLow), LampState::kTriggered);

  a[alm::kWindChillHigh] = "-20.0";
  r[row::windChill] = "-3.0";
  EXPECT_EQ(State(r, h, a, lamp::kWindChillHigh), LampState::kTriggered);
  a[alm::kDewPointLow] = "-1.0";
  r[row::dewPoint] = "-1.1";
  EXPECT_EQ(State(r, h, a, lamp::kDewPointLow), LampState::kTriggered);
}

TEST(AlarmEvaluation, MissingReadingsNeverTrigger) {
  HeaderRecord h = AllEnabled();
  AlarmRecord a;
  // Thresholds that any present reading of 0 or above/below would cross.
  for (int f = alm::kIndoorHumidityHigh; f <= alm::kRain24hHigh; ++f) a[f] = "-50";
  a[alm::kIndoorTempLow] = "50";
  a[alm::kOutdoorTempLow] = "50";
  a[alm::kWindChillLow] = "50";
  a[alm::kDewPointLow] = "50";
  for (const char* missing : {"---", ""}) {
    HistoryRow r;
    for (int f = row::interval; f <= row::directionName; ++f) r[f] = missing;
    LampStates s = EvaluateLamps(r, h, a);
    for (int i = 0; i < kLampCount; ++i) {
      EXPECT_EQ(s[i], LampState::kArmed) << "lamp " << i + 1 << " with '" << missing << "'";
    }
  }
}

TEST(AlarmEvaluation, OtherLampsNeedAReadingAboveZero) {
  HeaderRecord h = AllEnabled();
  AlarmRecord a;
  HistoryRow r;
  a[alm::kIndoorHumidityLow] = "35";
  r[row::indoorHumidity] = "0";
  EXPECT_EQ(State(r, h, a, lamp::kIndoorHumidityLow), LampState::kArmed);
  r[row::indoorHumidity] = "34";
  EXPECT_EQ(State(r, h, a, lamp::kIndoorHumidityLow), LampState::kTriggered);
  // A missing threshold reads as 0: any positive reading is above it.
  a[alm::kRainHourHigh] = "---";
  r[row::rainHour] = "0.1";
  EXPECT_EQ(State(r, h, a, lamp::kRainHourHigh), LampState::kTriggered);
  r[row::rainHour] = "0.0";
  EXPECT_EQ(State(r, h, a, lamp::kRainHourHigh), LampState::kArmed);
}

TEST(AlarmEvaluation, DirectionNeedsWindAndTheExactCode) {
  HeaderRecord h = AllEnabled();
  AlarmRecord a;
  HistoryRow r;
  a[alm::kWindDirection] = "4";
  r[row::windDir] = "4";
  r[row::windSpeed] = "0.0";
  EXPECT_EQ(State(r, h, a, lamp::kWindDirection), LampState::kArmed);
  r[row::windSpeed] = "1.2";
  EXPECT_EQ(State(r, h, a, lamp::kWindDirection), LampState::kTriggered);
  r[row::windDir] = "14";
  EXPECT_EQ(State(r, h, a, lamp::kWindDirection), LampState::kArmed);
  r[row::windDir] = "04";
  EXPECT_EQ(State(r, h, a, lamp::kWindDirection), LampState::kArmed);
  h[hdr::kAlarmWindDirection] = "0";
  r[row::windDir] = "4";
  EXPECT_EQ(State(r, h, a, lamp::kWindDirection), LampState::kDisabled);
}

TEST(AlarmEvaluation, EachLampReadsItsOwnFieldsAndEnable) {
  struct Case { int lampNo; int rowField; int alarmField; int headerField; bool high; };
  const Case cases[] = {
      {1, row::indoorHumidity, alm::kIndoorHumidityHigh, hdr::kAlarmIndoorHumidityHigh, true},
      {2, row::indoorHumidity, alm::kIndoorHumidityLow, hdr::kAlarmIndoorHumidityLow, false},
      {3, row::indoorTemperature, alm::kIndoorTempHigh, hdr::kAlarmIndoorTempHigh, true},
      {4, row::indoorTemperature, alm::kIndoorTempLow, hdr::kAlarmIndoorTempLow, false},
      {5, row::outdoorHumidity, alm::kOutdoorHumidityHigh, hdr::kAlarmOutdoorHumidityHigh, true},
      {6, row::outdoorHumidity, alm::kOutdoorHumidityLow, hdr::kAlarmOutdoorHumidityLow, false},
      {7, row::outdoorTemperature, alm::kOutdoorTempHigh, hdr::kAlarmOutdoorTempHigh, true},
      {8, row::outdoorTemperature, alm::kOutdoorTempLow, hdr::kAlarmOutdoorTempLow, false},
      {9, row::windChill, alm::kWindChillHigh, hdr::kAlarmWindChillHigh, true},
      {10, row::windChill, alm::kWindChillLow, hdr::kAlarmWindChillLow, false},
      {11, row::dewPoint, alm::kDewPointHigh, hdr::kAlarmDewPointHigh, true},
      {12, row::dewPoint, alm::kDewPointLow, hdr::kAlarmDewPointLow, false},
      {13, row::absolutePressure, alm::kAbsPressureHigh, hdr::kAlarmAbsPressureHigh, true},
      {14, row::absolutePressure, alm::kAbsPressureLow, hdr::kAlarmAbsPressureLow, false},
      {15, row::relativePressure, alm::kRelPressureHigh, hdr::kAlarmRelPressureHigh, true},
      {16, row::relativePressure, alm::kRelPressureLow, hdr::kAlarmRelPressureLow, false},
      {17, row::windLevel, alm::kWindLevelHigh, hdr::kAlarmWindSpeedHigh, true},
      {18, row::windSpeed, alm::kWindSpeedHigh, hdr::kAlarmWindSpeedHigh, true},
      {19, row::gustLevel, alm::kGustLevelHigh, hdr::kAlarmGustSpeedHigh, true},
      {20, row::gustSpeed, alm::kGustSpeedHigh, hdr::kAlarmGustSpeedHigh, true},
      {22, row::rainHour, alm::kRainHourHigh, hdr::kAlarmHourRainHigh, true},
      {23, row::rain24h, alm::kRain24hHigh, hdr::kAlarmDayRainHigh, true},
  };
  for (const Case& c : cases) {
    // Only this lamp's fields hold values: every other lamp stays untouched.
    HeaderRecord h;
    h[c.headerField] = "1";
    AlarmRecord a;
    for (int f = alm::kIndoorHumidityHigh; f <= alm::kRain24hHigh; ++f) a[f] = "---";
    a[c.alarmField] = "20";
    HistoryRow r;
    for (int f = row::interval; f <= row::directionName; ++f) r[f] = "---";
    r[c.rowField] = c.high ? "21" : "19";
    LampStates s = EvaluateLamps(r, h, a);
    EXPECT_EQ(s[c.lampNo - 1], LampState::kTriggered) << LampName(c.lampNo);
    r[c.rowField] = "20";
    s = EvaluateLamps(r, h, a);
    EXPECT_EQ(s[c.lampNo - 1], LampState::kArmed) << LampName(c.lampNo);
    for (int i = 0; i < kLampCount; ++i) {
      if (i == c.lampNo - 1) continue;
      bool sharesEnable = (c.lampNo == 17 || c.lampNo == 18) ? (i == 16 || i == 17)
                          : (c.lampNo == 19 || c.lampNo == 20) ? (i == 18 || i == 19)
                                                               : false;
      EXPECT_EQ(s[i], sharesEnable ? LampState::kArmed : LampState::kDisabled)
          << LampName(c.lampNo) << " leaks into " << LampName(i + 1);
    }
  }
}

TEST(AlarmEvaluation, StationThresholdsAreScaledIntoTheHeadersUnits) {
  HeaderRecord h = AllEnabled();
  h[hdr::kUnitPressure] = "inHg";
  AlarmRecord a;  // raw block values: tenths, hundredths for inHg
  a[alm::kRelPressureHigh] = "2992";
  a[alm::kOutdoorTempLow] = "-50";
  a[alm::kIndoorHumidityHigh] = "65";
  HistoryRow r;
  r[row::relativePressure] = "29.92";
  r[row::outdoorTemperature] = "-5.0";
  r[row::indoorHumidity] = "66";
  LampStates s = EvaluateAlarms(r, h, a);
  EXPECT_EQ(s[lamp::kRelPressureHigh - 1], LampState::kArmed);
  EXPECT_EQ(s[lamp::kOutdoorTempLow - 1], LampState::kArmed);
  EXPECT_EQ(s[lamp::kIndoorHumidityHigh - 1], LampState::kTriggered);
  r[row::relativePressure] = "29.93";
  r[row::outdoorTemperature] = "-5.1";
  s = EvaluateAlarms(r, h, a);
  EXPECT_EQ(s[lamp::kRelPressureHigh - 1], LampState::kTriggered);
  EXPECT_EQ(s[lamp::kOutdoorTempLow - 1], LampState::kTriggered);
  EXPECT_EQ(a[alm::kRelPressureHigh], "2992");  // the caller's record is left alone
}

TEST(AlarmEvaluation, NamesAndStateWords) {
  EXPECT_EQ(LampName(1), "Indoor humidity HI");
  EXPECT_EQ(LampName(21), "Wind direction");
  EXPECT_EQ(LampName(23), "Rain of the last 24 hours HI");
  EXPECT_EQ(LampName(0), "");
  EXPECT_EQ(LampName(24), "");
  EXPECT_EQ(LampStateName(LampState::kDisabled), "disabled");
  EXPECT_EQ(LampStateName(LampState::kArmed), "armed");
  EXPECT_EQ(LampStateName(LampState::kTriggered), "triggered");
}

TEST(AlarmEvaluation, FreshRecordsGiveAllLampsDisabled) {
  LampStates s = EvaluateLamps(HistoryRow{}, HeaderRecord{}, AlarmRecord{});
  for (LampState l : s) EXPECT_EQ(l, LampState::kDisabled);
}

}  // namespace
}  // namespace skyvane
