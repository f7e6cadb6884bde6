#include "core/units/repair_maxmin.h"

#include <gtest/gtest.h>

#include <string>

#include "core/units/units_test_support.h"

namespace skyvane {
namespace {

using testing::HeaderWithUnits;

constexpr const char* kOldTime = "2007-01-01 12:00";
constexpr const char* kNow = "2024-05-06 07:08:09";

// A plausible record in °C, Hpa, m/s, mm: nothing in it should be replaced.
MaxMinRecord Plausible() {
  const char* values[] = {"70",   "40",   "86",   "48",   "23.9", "18.0", "30.4", "-5.2",
                          "29.8", "-9.0", "25.5", "-7.0", "1020.0", "990.0", "1030.0", "995.0",
                          "18.6", "47.4", "2.6",  "24.4", "101.2", "862.9", "4502.0"};
  MaxMinRecord m;
  for (int i = 0; i < 23; ++i) {
    m[mm::kIndoorHumidityMax + i] = values[i];
    m[mm::kFirstTime + i] = kOldTime;
  }
  return m;
}

HistoryRow Current() {
  HistoryRow row;
  row[row::recordTime] = kNow;
  row[row::indoorHumidity] = "45";
  row[row::outdoorHumidity] = "55";
  row[row::indoorTemperature] = "21.5";
  row[row::outdoorTemperature] = "12.0";
  row[row::windChill] = "11.0";
  row[row::dewPoint] = "3.0";
  row[row::absolutePressure] = "1009.0";
  row[row::relativePressure] = "1012.7";
  row[row::windSpeed] = "3.4";
  row[row::gustSpeed] = "5.0";
  row[row::rainHour] = "1.2";
  row[row::rain24h] = "4.8";
  row[row::rainWeek] = "10.5";
  row[row::rainMonth] = "40.0";
  row[row::rainTotal] = "12.3";
  return row;
}

const HeaderRecord kMetric;

// Runs the repair with one value changed and returns the fields that changed.
std::string Changed(int field, const std::string& value, HistoryRow row = Current(),
                    const HeaderRecord& header = kMetric, MaxMinRecord m = Plausible()) {
  m[field] = value;
  const MaxMinRecord before = m;
  EXPECT_TRUE(RepairMaxMin(m, header, row));
  std::string changed;
  for (int f = mm::kIndoorHumidityMax; f < mm::kFirstTime; ++f) {
    const bool valueChanged = m[f] != before[f];
    const bool timeChanged = m[f + mm::kTimeOffset] != before[f + mm::kTimeOffset];
    EXPECT_EQ(valueChanged || timeChanged, valueChanged && timeChanged) << f;
    if (timeChanged) {
      EXPECT_EQ(m[f + mm::kTimeOffset], kNow);
      changed += std::to_string(f) + "=" + m[f] + " ";
    }
  }
  return changed;
}

TEST(RepairMaxMinTest, APlausibleRecordStaysAsItIs) { EXPECT_EQ(Changed(mm::kIndoorHumidityMax, "70"), ""); }

TEST(RepairMaxMinTest, Humidity) {
  EXPECT_EQ(Changed(mm::kIndoorHumidityMax, "0"), "3=45 4=45 ");  // and now max < min
  EXPECT_EQ(Changed(mm::kIndoorHumidityMax, "100"), "3=45 ");
  EXPECT_EQ(Changed(mm::kIndoorHumidityMax, "99"), "");
  EXPECT_EQ(Changed(mm::kIndoorHumidityMax, "39"), "4=45 ");  // max below min repairs the min
  EXPECT_EQ(Changed(mm::kIndoorHumidityMin, "0"), "4=45 ");
  EXPECT_EQ(Changed(mm::kIndoorHumidityMin, "1"), "");
  EXPECT_EQ(Changed(mm::kOutdoorHumidityMax, "---"), "5=55 6=55 ");
  EXPECT_EQ(Changed(mm::kOutdoorHumidityMin, "255"), "6=55 ");
  HistoryRow dry = Current();
  dry[row::indoorHumidity] = "0";
  EXPECT_EQ(Changed(mm::kIndoorHumidityMax, "0", dry), "");
  EXPECT_EQ(Changed(mm::kIndoorHumidityMax, "", dry), "");  // an empty field is skipped
  // An empty max is skipped itself, but reads as 0 when the min is judged.
  EXPECT_EQ(Changed(mm::kIndoorHumidityMax, ""), "4=45 ");
}

TEST(RepairMaxMinTest, TemperatureRangesPerUnit) {
  EXPECT_EQ(Changed(mm::kIndoorTempMax, "61.0"), "7=21.5 ");
  EXPECT_EQ(Changed(mm::kIndoorTempMax, "60.9"), "");  // integer part 60 is in range
  EXPECT_EQ(Changed(mm::kIndoorTempMin, "432.1"), "8=21.5 ");
  EXPECT_EQ(Changed(mm::kIndoorTempMin, "-41.0"), "8=21.5 ");
  EXPECT_EQ(Changed(mm::kIndoorTempMin, "-40.9"), "");
  EXPECT_EQ(Changed(mm::kIndoorTempMin, "24.0"), "8=21.5 ");  // above the max
  EXPECT_EQ(Changed(mm::kOutdoorTempMax, "61.0"), "9=12.0 ");
  EXPECT_EQ(Changed(mm::kOutdoorTempMin, "-41.0"), "10=12.0 ");
  // In °F the limits are -40 and 140.
  const HeaderRecord fahrenheit = HeaderWithUnits("°F", "°C", "mm", "Hpa", "m/s");
  EXPECT_EQ(Changed(mm::kIndoorTempMax, "140.9", Current(), fahrenheit), "");
  EXPECT_EQ(Changed(mm::kIndoorTempMax, "141.0", Current(), fahrenheit), "7=21.5 ");
  EXPECT_EQ(Changed(mm::kOutdoorTempMax, "140.0", Current(), fahrenheit), "9=12.0 ");
}

TEST(RepairMaxMinTest, WindChillAndDewPointUseTwiceTheOutdoorRange) {
  EXPECT_EQ(Changed(mm::kWindChillMax, "120.0"), "");
  EXPECT_EQ(Changed(mm::kWindChillMax, "121.0"), "11=11.0 ");
  EXPECT_EQ(Changed(mm::kWindChillMin, "-80.0"), "");
  EXPECT_EQ(Changed(mm::kWindChillMin, "-81.0"), "12=11.0 ");
  EXPECT_EQ(Changed(mm::kDewPointMax, "-81.0"), "13=3.0 14=3.0 ");
  EXPECT_EQ(Changed(mm::kDewPointMin, "121.0"), "14=3.0 ");
}

TEST(RepairMaxMinTest, Pressure) {
  EXPECT_EQ(Changed(mm::kAbsPressureMax, "1101.0"), "15=1009.0 ");
  EXPECT_EQ(Changed(mm::kAbsPressureMax, "1100.9"), "");
  EXPECT_EQ(Changed(mm::kAbsPressureMin, "499.9"), "16=1009.0 ");
  EXPECT_EQ(Changed(mm::kAbsPressureMin, "1025.0"), "16=1009.0 ");
  EXPECT_EQ(Changed(mm::kRelPressureMax, "---"), "17=1012.7 18=1012.7 ");
  EXPECT_EQ(Changed(mm::kRelPressureMin, "400.0"), "18=1012.7 ");
  HistoryRow noPressure = Current();
  noPressure[row::relativePressure] = "---";
  EXPECT_EQ(Changed(mm::kRelPressureMax, "---", noPressure), "");
  // In inHg the limits are 14.77 and 32.48.
  const HeaderRecord inHg = HeaderWithUnits("°C", "°C", "mm", "inHg", "m/s");
  HistoryRow row = Current();
  row[row::absolutePressure] = "29.80";
  MaxMinRecord m = Plausible();
  m[mm::kAbsPressureMax] = "30.12";
  m[mm::kAbsPressureMin] = "29.10";
  m[mm::kRelPressureMax] = "30.40";
  m[mm::kRelPressureMin] = "29.38";
  EXPECT_EQ(Changed(mm::kAbsPressureMax, "30.12", row, inHg, m), "");
  EXPECT_EQ(Changed(mm::kAbsPressureMax, "33.01", row, inHg, m), "15=29.80 ");
  EXPECT_EQ(Changed(mm::kAbsPressureMin, "14.00", row, inHg, m), "16=29.80 ");
}

TEST(RepairMaxMinTest, Wind) {
  EXPECT_EQ(Changed(mm::kWindSpeedMax, "500.9"), "");
  EXPECT_EQ(Changed(mm::kWindSpeedMax, "501.0"), "19=3.4 ");
  EXPECT_EQ(Changed(mm::kWindSpeedMax, "-1.0"), "19=3.4 ");
  EXPECT_EQ(Changed(mm::kGustSpeedMax, "-1.0"), "20=5.0 ");
  HistoryRow calm = Current();
  calm[row::windSpeed] = "0.9";
  EXPECT_EQ(Changed(mm::kWindSpeedMax, "501.0", calm), "");
  // The upper bound stays the plain number 500 in any unit.
  const HeaderRecord kmh = HeaderWithUnits("°C", "°C", "mm", "Hpa", "km/h");
  EXPECT_EQ(Changed(mm::kGustSpeedMax, "501.0", Current(), kmh), "20=5.0 ");
}

TEST(RepairMaxMinTest, RainIncludingTheTwentyBitLimits) {
  EXPECT_EQ(Changed(mm::kRainHourMax, "0.5"), "21=1.2 ");
  EXPECT_EQ(Changed(mm::kRain24hMax, "65534.0"), "");
  EXPECT_EQ(Changed(mm::kRain24hMax, "65535.0"), "22=4.8 ");
  EXPECT_EQ(Changed(mm::kRainWeekMax, "---"), "23=10.5 ");
  EXPECT_EQ(Changed(mm::kRainMonthMax, "1048574.0"), "");
  EXPECT_EQ(Changed(mm::kRainMonthMax, "1048575.0"), "24=40.0 ");
  EXPECT_EQ(Changed(mm::kRainTotalMax, "1048574.9"), "");
  EXPECT_EQ(Changed(mm::kRainTotalMax, "1048575.0"), "25=12.3 ");
  EXPECT_EQ(Changed(mm::kRainTotalMax, "0"), "25=12.3 ");
  HistoryRow dry = Current();
  dry[row::rainTotal] = "0.9";
  EXPECT_EQ(Changed(mm::kRainTotalMax, "0", dry), "");
}

TEST(RepairMaxMinTest, ComparesTheValuesAsTheyWereBeforeTheRun) {
  // Max 0 and min 44: the max is repaired to 45, but the min is judged against
  // the old max (0 < 44) and repaired too.
  MaxMinRecord m = Plausible();
  m[mm::kIndoorHumidityMin] = "44";
  EXPECT_EQ(Changed(mm::kIndoorHumidityMax, "0", Current(), kMetric, m), "3=45 4=45 ");
}

}  // namespace
}  // namespace skyvane
