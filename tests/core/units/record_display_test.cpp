#include "core/units/record_display.h"

#include <gtest/gtest.h>

#include <string>

#include "core/memory/memory_map.h"
#include "core/station/alarm_codec.h"
#include "core/station/header_codec.h"
#include "core/station/weather_record_codec.h"
#include "core/units/units_test_support.h"

namespace skyvane {
namespace {

using testing::AlarmsWithPressures;
using testing::DecodedRow;
using testing::HeaderWithUnits;
using testing::RawReading;
using testing::TestImageHeader;

const AlarmRecord kTestAlarms = AlarmsWithPressures("10132", "10095");

// The current record of the test image at 0x1F0:
// 05 39 50 02 40 88 81 0A 27 34 C0 00 0A D3 2A 00
RawReading TestImageCurrent() {
  RawReading r;
  r.indoorHumidity = "57";
  r.indoorTemperature = "592";
  r.outdoorHumidity = "64";
  r.outdoorTemperature = "-392";
  r.absolutePressure = "9994";
  r.windSpeed = "52";
  r.gustSpeed = "192";
  r.windDir = "10";
  r.rainCounter = "10963";
  return r;
}

TEST(DeriveRowTest, EdgeCaseRow) {
  RawReading r;
  r.indoorHumidity = "45";
  r.indoorTemperature = "215";
  r.absolutePressure = "10132";
  r.windSpeed = "12";
  r.gustSpeed = "20";
  r.windDir = "5";
  r.rainCounter = "100";
  HistoryRow row = DecodedRow(r);
  EXPECT_TRUE(DeriveRow(row, HeaderRecord{}, kTestAlarms));
  EXPECT_EQ(row[row::indoorHumidity], "45");
  EXPECT_EQ(row[row::indoorTemperature], "21.5");
  EXPECT_EQ(row[row::absolutePressure], "1013.2");
  EXPECT_EQ(row[row::windSpeed], "1.2");
  EXPECT_EQ(row[row::gustSpeed], "2.0");
  EXPECT_EQ(row[row::windDir], "5");
  EXPECT_EQ(row[row::directionName], "SEE");
  EXPECT_EQ(row[row::rain], "30.0");
  EXPECT_EQ(row[row::windLevel], "1");
  EXPECT_EQ(row[row::gustLevel], "2");
  EXPECT_EQ(row[row::relativePressure], "1016.9");
  // Missing outdoor readings leave their derived fields without a value.
  EXPECT_EQ(row[row::outdoorTemperature], "---");
  EXPECT_EQ(row[row::outdoorHumidity], "---");
  EXPECT_EQ(row[row::dewPoint], "---");
  EXPECT_EQ(row[row::windChill], "---");
}

TEST(DeriveRowTest, TestImageCurrentRecord) {
  HistoryRow row = DecodedRow(TestImageCurrent());
  DeriveRow(row, TestImageHeader(), kTestAlarms);
  const std::pair<int, const char*> expected[] = {
      {row::interval, "5"},         {row::indoorHumidity, "57"},      {row::indoorTemperature, "59.2"},
      {row::outdoorHumidity, "64"}, {row::outdoorTemperature, "-39.2"}, {row::absolutePressure, "999.4"},
      {row::windSpeed, "5.2"},      {row::gustSpeed, "19.2"},         {row::windDir, "10"},
      {row::rainCounter, "10963"},  {row::rain, "3288.9"},            {row::relativePressure, "1003.1"},
      {row::dewPoint, "-43.5"},     {row::windChill, "-58.3"},        {row::rainIncrement, "---"},
      {row::rainHour, "---"},       {row::rainTotal, "---"},          {row::windLevel, "3"},
      {row::gustLevel, "8"},        {row::directionName, "SW"},       {row::flag1, "0"},
  };
  for (const auto& [field, text] : expected) EXPECT_EQ(row[field], text) << "field " << field;
}

// Every record of the test image, decoded and derived with the image's own
// header and alarm block.
class DeriveTestImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image_ = testing::TestImageBytes();
    DecodeHeader(std::span<const std::uint8_t, memmap::kHeaderSize>(&image_[0], memmap::kHeaderSize), header_);
    DecodeAlarms(std::span<const std::uint8_t, memmap::kAlarmSize>(&image_[memmap::kAlarmAddress],
                                                                     memmap::kAlarmSize),
                 alarms_);
  }
  HistoryRow Derived(int address) {
    HistoryRow row;
    EXPECT_TRUE(DecodeWeatherRecord(
        std::span<const std::uint8_t, memmap::kRecordSize>(&image_[address], memmap::kRecordSize), row));
    DeriveRow(row, header_, alarms_);
    return row;
  }
  std::vector<std::uint8_t> image_;
  HeaderRecord header_;
  AlarmRecord alarms_;
};

TEST_F(DeriveTestImageTest, CurrentRecordMatchesTheHandDecodedOne) {
  HistoryRow byHand = DecodedRow(TestImageCurrent());
  DeriveRow(byHand, header_, alarms_);
  const HistoryRow decoded = Derived(0x1F0);
  for (int f = row::interval; f <= row::flag8; ++f) EXPECT_EQ(decoded[f], byHand[f]) << "field " << f;
  EXPECT_EQ(decoded[row::rawBytes], "05 39 50 02 40 88 81 0A 27 34 C0 00 0A D3 2A 00 ");
}

TEST_F(DeriveTestImageTest, EveryRecordHoldsStoredFormTexts) {
  for (int address = 0x100; address <= 0x1F0; address += memmap::kRecordSize) {
    const HistoryRow row = Derived(address);
    for (int f : {row::indoorTemperature, row::outdoorTemperature, row::absolutePressure, row::windSpeed,
                  row::gustSpeed, row::relativePressure, row::dewPoint, row::windChill, row::rain}) {
      const std::string& text = row[f];
      ASSERT_GE(text.size(), 3u) << address << " field " << f;
      EXPECT_EQ(text[text.size() - 2], '.') << address << " field " << f << " " << text;
    }
    EXPECT_NE(row[row::directionName], "---") << address;
    EXPECT_EQ(row[row::windLevel].find('.'), std::string::npos);
  }
  const HistoryRow first = Derived(0x100);  // 05 41 E3 00 3C 08 01 6A 27 60 CC 00 02 94 2A 00
  const std::pair<int, const char*> expected[] = {
      {row::indoorTemperature, "22.7"}, {row::relativePressure, "1012.7"}, {row::dewPoint, "18.0"},
      {row::windChill, "23.7"},         {row::rain, "3270.0"},            {row::windLevel, "5"},
      {row::gustLevel, "8"},            {row::directionName, "NE"}};
  for (const auto& [field, text] : expected) EXPECT_EQ(first[field], text) << "field " << field;
  // 0x1C0 holds a negative outdoor temperature (1C 81: -28.4 °C).
  EXPECT_EQ(Derived(0x1C0)[row::outdoorTemperature], "-28.4");
}

TEST(DeriveRowTest, RelativePressureFromTheAlarmBlock) {
  RawReading r;
  r.absolutePressure = "10000";
  HistoryRow row = DecodedRow(r);
  DeriveRow(row, HeaderRecord{}, kTestAlarms);
  EXPECT_EQ(row[row::relativePressure], "1003.7");
}

// A station set to inHg or mmHg keeps its current pressures in that unit; the
// stored relative pressure must not depend on it.
TEST(DeriveRowTest, RelativePressureIsTheSameWhateverTheStationsPressureUnit) {
  RawReading r;
  r.absolutePressure = "10000";
  HistoryRow inHg = DecodedRow(r), mmHg = DecodedRow(r);
  DeriveRow(inHg, HeaderWithUnits("°C", "°C", "mm", "inHg", "m/s"), AlarmsWithPressures("2992", "2981"));
  DeriveRow(mmHg, HeaderWithUnits("°C", "°C", "mm", "mmHg", "m/s"), AlarmsWithPressures("7600", "7572"));
  EXPECT_EQ(inHg[row::relativePressure], "1003.7");
  EXPECT_EQ(mmHg[row::relativePressure], "1003.7");
}

TEST(DeriveRowTest, MissingReadings) {
  RawReading r;  // everything empty as for sensors that deliver nothing
  r.windDir = "-1";
  HistoryRow row = DecodedRow(r);
  DeriveRow(row, HeaderRecord{}, kTestAlarms);
  for (int f : {row::indoorHumidity, row::indoorTemperature, row::outdoorHumidity, row::outdoorTemperature,
                row::absolutePressure, row::windSpeed, row::gustSpeed, row::windDir, row::directionName,
                row::relativePressure, row::dewPoint, row::windChill, row::windLevel, row::gustLevel}) {
    EXPECT_EQ(row[f], "---") << "field " << f;
  }
  EXPECT_EQ(row[row::rainCounter], "");
  EXPECT_EQ(row[row::rain], "");
}

TEST(DeriveRowTest, RainResetFlagClearsTheTotal) {
  RawReading r = TestImageCurrent();
  r.flags = "00000010";
  HistoryRow row = DecodedRow(r);
  row[row::rainTotal] = "12.3";
  DeriveRow(row, HeaderRecord{}, kTestAlarms);
  EXPECT_EQ(row[row::rainTotal], "---");
  r.flags = "00000001";
  row = DecodedRow(r);
  row[row::rainTotal] = "12.3";
  DeriveRow(row, HeaderRecord{}, kTestAlarms);
  EXPECT_EQ(row[row::rainTotal], "12.3");
}

TEST(DeriveRowTest, NoFieldEverHoldsInfinityOrNan) {
  RawReading r = TestImageCurrent();
  r.outdoorHumidity = "0";
  HistoryRow row = DecodedRow(r);
  DeriveRow(row, HeaderRecord{}, kTestAlarms);
  EXPECT_EQ(row[row::dewPoint], "---");
  EXPECT_EQ(row[row::windChill], "-58.3");
  HistoryRow display = row;
  RowToDisplayUnits(display, HeaderWithUnits("°F", "°F", "inch", "inHg", "bft"));
  for (const HistoryRow* each : {&row, &display}) {
    for (const std::string& text : each->fields) {
      EXPECT_EQ(text.find("inf"), std::string::npos) << text;
      EXPECT_EQ(text.find("nan"), std::string::npos) << text;
    }
  }
}

TEST(DeriveRowTest, StoredLevelMatchesTheLevelOfTheStoredSpeed) {
  for (const char* raw : {"139", "208", "172", "327"}) {
    RawReading r;
    r.windSpeed = raw;
    HistoryRow stored = DecodedRow(r);
    DeriveRow(stored, HeaderRecord{}, kTestAlarms);
    HistoryRow shown = stored;
    RowToDisplayUnits(shown, HeaderWithUnits("°C", "°C", "mm", "Hpa", "bft"));
    EXPECT_EQ(shown[row::windSpeed], stored[row::windLevel]) << raw;
  }
}

TEST(RowToDisplayUnitsTest, TestImageCurrentRecordInTheHeadersUnits) {
  HistoryRow row = DecodedRow(TestImageCurrent());
  DeriveRow(row, TestImageHeader(), kTestAlarms);
  HistoryRow stored = row;
  EXPECT_TRUE(RowToDisplayUnits(row, TestImageHeader()));
  EXPECT_EQ(row[row::windSpeed], "18.7");
  EXPECT_EQ(row[row::gustSpeed], "69.1");
  EXPECT_EQ(row[row::indoorTemperature], "59.2");
  EXPECT_EQ(row[row::relativePressure], "1003.1");
  EXPECT_EQ(row[row::windLevel], stored[row::windLevel]);
  EXPECT_EQ(row[row::rain], stored[row::rain]);
}

TEST(RowToDisplayUnitsTest, EveryQuantityFollowsItsUnit) {
  HistoryRow row;
  row[row::indoorHumidity] = "45";
  row[row::indoorTemperature] = "21.5";
  row[row::outdoorTemperature] = "-40.0";
  row[row::dewPoint] = "0.0";
  row[row::windChill] = "10.0";
  row[row::absolutePressure] = "1013.2";
  row[row::relativePressure] = "1000.0";
  row[row::windSpeed] = "10.0";
  row[row::gustSpeed] = "13.9";
  row[row::windDir] = "13";
  row[row::rain] = "25.4";
  row[row::rainIncrement] = "0.3";
  row[row::rainHour] = "25.4";
  row[row::rainTotal] = "";
  row[row::windLevel] = "5";
  RowToDisplayUnits(row, HeaderWithUnits("°F", "°C", "inch", "inHg", "bft"));
  EXPECT_EQ(row[row::indoorHumidity], "45");
  EXPECT_EQ(row[row::indoorTemperature], "70.7");
  EXPECT_EQ(row[row::outdoorTemperature], "-40.0");
  EXPECT_EQ(row[row::absolutePressure], "29.92");
  EXPECT_EQ(row[row::relativePressure], "29.53");
  EXPECT_EQ(row[row::windSpeed], "5");
  EXPECT_EQ(row[row::gustSpeed], "7");
  EXPECT_EQ(row[row::directionName], "NWW");
  EXPECT_EQ(row[row::rainHour], "1.00");
  EXPECT_EQ(row[row::rainTotal], "---");
  EXPECT_EQ(row[row::rain], "25.4");
  EXPECT_EQ(row[row::rainIncrement], "0.3");
  EXPECT_EQ(row[row::windLevel], "5");
  row = HistoryRow{};
  row[row::outdoorTemperature] = "-40.0";
  row[row::dewPoint] = "0.0";
  RowToDisplayUnits(row, HeaderWithUnits("°C", "°F", "mm", "mmHg", "knot"));
  EXPECT_EQ(row[row::outdoorTemperature], "-40.0");
  EXPECT_EQ(row[row::dewPoint], "32.0");
}

TEST(AlarmsToDisplayUnitsTest, TestImageBlockInHpa) {
  // Decoded test-image alarm block.
  const char* raw[] = {"10132", "10095", "000000000000000000000000", "65", "35", "200", "0", "70", "45",
                       "300", "-100", "200", "0", "100", "-100", "10400", "9600", "10400", "9600",
                       "0", "180", "0", "360", "0", "10", "500", "13", "30", "00000000000000"};
  AlarmRecord a;
  for (int i = 0; i < 29; ++i) a[2 + i] = raw[i];
  EXPECT_TRUE(AlarmsToDisplayUnits(a, TestImageHeader()));
  const char* shown[] = {"1013.2", "1009.5", "000000000000000000000000", "65", "35", "20.0", "0.0", "70",
                         "45", "30.0", "-10.0", "20.0", "0.0", "10.0", "-10.0", "1040.0", "960.0",
                         "1040.0", "960.0", "0", "18.0", "0", "36.0", "0", "1.0", "50.0", "13", "30",
                         "00000000000000"};
  for (int i = 0; i < 29; ++i) EXPECT_EQ(a[2 + i], shown[i]) << "field " << 2 + i;
}

TEST(AlarmsToDisplayUnitsTest, ScaledInTheStationsUnitsWithoutConversion) {
  AlarmRecord a;
  a[alm::kCurrentRelPressure] = "2992";
  a[alm::kCurrentAbsPressure] = "2981";
  a[alm::kRelPressureHigh] = "2992";
  a[alm::kIndoorTempHigh] = "707";
  a[alm::kDewPointLow] = "-40";
  a[alm::kWindSpeedHigh] = "250";
  a[alm::kRainHourHigh] = "100";
  a[alm::kIndoorHumidityLow] = "255";
  AlarmsToDisplayUnits(a, HeaderWithUnits("°F", "°F", "inch", "inHg", "knot"));
  EXPECT_EQ(a[alm::kCurrentRelPressure], "29.92");  // not 299.20
  EXPECT_EQ(a[alm::kCurrentAbsPressure], "29.81");
  EXPECT_EQ(a[alm::kRelPressureHigh], "29.92");
  EXPECT_EQ(a[alm::kIndoorTempHigh], "70.7");
  EXPECT_EQ(a[alm::kDewPointLow], "-4.0");
  EXPECT_EQ(a[alm::kWindSpeedHigh], "25.0");
  EXPECT_EQ(a[alm::kRainHourHigh], "1.00");
  EXPECT_EQ(a[alm::kIndoorHumidityLow], "---");
  EXPECT_EQ(a[alm::kOutdoorTempHigh], "---");  // never read
  AlarmRecord m;
  m[alm::kCurrentRelPressure] = "7600";
  AlarmsToDisplayUnits(m, HeaderWithUnits("°C", "°C", "mm", "mmHg", "m/s"));
  EXPECT_EQ(m[alm::kCurrentRelPressure], "760.0");
}

MaxMinRecord TestImageMaxMin() {
  const char* values[] = {"70",    "64",    "86",    "48",    "239",   "4321", "304", "202",
                          "298",   "192",   "255",   "170",   "10095", "10089", "10131", "10067",
                          "186",   "474",   "26",    "244",   "1012",  "8629", "45020"};
  MaxMinRecord m;
  m[mm::kReserved00] = "0000";
  for (int i = 0; i < 23; ++i) {
    m[mm::kIndoorHumidityMax + i] = values[i];
    m[mm::kFirstTime + i] = "2007-01-01 12:00";
  }
  return m;
}

TEST(MaxMinToDisplayUnitsTest, TestImageBlock) {
  MaxMinRecord m = TestImageMaxMin();
  EXPECT_TRUE(MaxMinToDisplayUnits(m, TestImageHeader()));
  const char* shown[] = {"70",   "64",    "86",     "48",     "23.9",   "432.1",  "30.4", "20.2",
                         "29.8", "19.2",  "25.5",   "17.0",   "1009.5", "1008.9", "1013.1", "1006.7",
                         "67.0", "170.6", "2.6",    "24.4",   "101.2",  "862.9",  "4502.0"};
  for (int i = 0; i < 23; ++i) {
    EXPECT_EQ(m[mm::kIndoorHumidityMax + i], shown[i]) << "field " << 3 + i;
    EXPECT_EQ(m[mm::kFirstTime + i], "2007-01-01 12:00");
  }
  EXPECT_EQ(m[mm::kReserved00], "0000");
}

TEST(MaxMinToDisplayUnitsTest, OtherUnitsAndNeverSetTimes) {
  MaxMinRecord m = TestImageMaxMin();
  m[mm::kFirstTime] = "2000-00-00 00:00";
  m[mm::kIndoorTempMax] = "-32767";
  MaxMinToDisplayUnits(m, HeaderWithUnits("°F", "°C", "inch", "inHg", "bft"));
  EXPECT_EQ(m[mm::kFirstTime], "---");
  EXPECT_EQ(m[mm::kFirstTime + 1], "2007-01-01 12:00");
  EXPECT_EQ(m[mm::kIndoorTempMax], "---");
  EXPECT_EQ(m[mm::kIndoorTempMin], "809.8");
  EXPECT_EQ(m[mm::kOutdoorTempMax], "30.4");
  EXPECT_EQ(m[mm::kAbsPressureMax], "29.81");
  EXPECT_EQ(m[mm::kWindSpeedMax], "8");
  EXPECT_EQ(m[mm::kRainHourMax], "0.10");
}

}  // namespace
}  // namespace skyvane
