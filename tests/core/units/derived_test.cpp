#include "core/units/derived.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/units/row_completion.h"
#include "core/units/value_text.h"
#include "core/units/units_test_support.h"

namespace skyvane {
namespace {

using testing::AlarmsWithPressures;
using testing::HeaderWithUnits;

TEST(DerivedTest, DewPoint) {
  EXPECT_NEAR(DewPoint(20, 50), 9.287, 1e-3);
  EXPECT_NEAR(DewPoint(-39.2f, 64), -43.507, 1e-3);
  EXPECT_NEAR(DewPoint(0, 100), 0.0, 0.01);
}

TEST(DerivedTest, DewPointDoesNotExistWithoutHumidity) {
  EXPECT_TRUE(std::isnan(DewPoint(20, 0)));
  EXPECT_TRUE(std::isnan(DewPoint(20, -5)));
}

TEST(DerivedTest, WindChill) {
  EXPECT_NEAR(WindChill(0, 5), -8.4295, 1e-3);
  EXPECT_EQ(WindChill(33.5f, 10), 33.5f);     // too warm
  EXPECT_EQ(WindChill(10, 1.7f), 10.0f);      // too calm
  EXPECT_NEAR(WindChill(10, 1.8f), 9.3619, 1e-3);  // 1.8 m/s already counts
  EXPECT_NEAR(WindChill(33, 10), 33.0, 1e-6);
}

TEST(DerivedTest, RainRelativePressureAndNames) {
  EXPECT_FLOAT_EQ(RainFromCounter(1000), 300.0f);
  EXPECT_NEAR(RelativePressure(1000.0f, 1009.5f, 1013.2f), 1003.7, 1e-4);
  EXPECT_EQ(DirectionName(0), "N");
  EXPECT_EQ(DirectionName(8), "S");
  EXPECT_EQ(DirectionName(16), "");
  EXPECT_EQ(DirectionName(-1), "");
}

HistoryRow Row(const std::string& temperature, const std::string& humidity,
               const std::string& wind = "0") {
  HistoryRow row;
  row[row::outdoorTemperature] = temperature;
  row[row::outdoorHumidity] = humidity;
  row[row::windSpeed] = wind;
  return row;
}

TEST(RowCompletionTest, DewPointNeedsTemperatureAndHumidity) {
  HistoryRow row = Row("200", "50");
  FillDewPoint(row, 0.1f);
  EXPECT_EQ(row[row::dewPoint].substr(0, 4), "9.28");
  EXPECT_EQ(row[row::dewPoint].size(), 8u);  // six decimals
  for (const auto& [t, h] : {std::pair{"", "50"}, {"-32767", "50"}, {"200", "255"}, {"200", "---"}}) {
    row = Row(t, h);
    FillDewPoint(row, 0.1f);
    EXPECT_EQ(row[row::dewPoint], "") << t << "/" << h;
  }
}

TEST(RowCompletionTest, DewPointAtZeroHumidityIsNoValue) {
  HistoryRow row = Row("200", "0");
  FillDewPoint(row, 0.1f);
  EXPECT_EQ(row[row::dewPoint], "");
}

TEST(RowCompletionTest, WindChillReadsAMissingWindAsCalm) {
  HistoryRow row = Row("0", "50", "50");
  FillWindChill(row, 0.1f);
  EXPECT_EQ(row[row::windChill].substr(0, 6), "-8.429");
  row = Row("-50", "50", "");
  FillWindChill(row, 0.1f);
  EXPECT_EQ(row[row::windChill], "-5.000000");
  row = Row("", "50", "50");
  FillWindChill(row, 0.1f);
  EXPECT_EQ(row[row::windChill], "");
}

TEST(RowCompletionTest, Rain) {
  HistoryRow row;
  row[row::rainCounter] = "1000";
  FillRain(row);
  EXPECT_EQ(row[row::rain], "300.0");
  row[row::rainCounter] = "-32767";
  FillRain(row);
  EXPECT_EQ(row[row::rain], "");
  EXPECT_EQ(row[row::rainCounter], "");
}

TEST(RowCompletionTest, RelativePressureShiftsByTheStationsDifference) {
  HistoryRow row;
  row[row::absolutePressure] = "10000";
  FillRelativePressure(row, 0.1f, AlarmsWithPressures("10132", "10095"), HeaderRecord{});
  EXPECT_EQ(PressureText(row[row::relativePressure], 1.0f, "Hpa", "Hpa"), "1003.7");
  row[row::absolutePressure] = "";
  FillRelativePressure(row, 0.1f, AlarmsWithPressures("10132", "10095"), HeaderRecord{});
  EXPECT_EQ(row[row::relativePressure], "");
  row[row::absolutePressure] = "0";
  FillRelativePressure(row, 0.1f, AlarmsWithPressures("10132", "10095"), HeaderRecord{});
  EXPECT_EQ(row[row::relativePressure], "");
}

// The alarm block holds its current pressures in the station's pressure unit.
TEST(RowCompletionTest, CurrentPressuresAreConvertedFromTheStationUnit) {
  struct Case {
    const char* unit;
    const char* relative;
    const char* absolute;
  };
  for (const Case& c : {Case{"Hpa", "10132", "10095"}, Case{"inHg", "2992", "2981"},
                        Case{"mmHg", "7600", "7572"}, Case{"", "10132", "10095"}}) {
    HistoryRow row;
    row[row::absolutePressure] = "10000";
    const HeaderRecord header = HeaderWithUnits("°C", "°C", "mm", c.unit, "m/s");
    FillRelativePressure(row, 0.1f, AlarmsWithPressures(c.relative, c.absolute), header);
    EXPECT_EQ(PressureText(row[row::relativePressure], 1.0f, "Hpa", "Hpa"), "1003.7") << c.unit;
  }
  const HeaderRecord inHg = HeaderWithUnits("°C", "°C", "mm", "inHg", "m/s");
  EXPECT_NEAR(CurrentRelativePressureHpa(AlarmsWithPressures("2992", "2981"), inHg), 1013.21, 0.01);
  EXPECT_NEAR(CurrentAbsolutePressureHpa(AlarmsWithPressures("2992", "2981"), inHg), 1009.49, 0.01);
}

}  // namespace
}  // namespace skyvane
