#include "core/history/graph_series.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/app/text_table.h"
#include "core/units/timestamps.h"
#include "core/units/units_test_support.h"

namespace skyvane {
namespace {

using testing::HeaderWithUnits;

const HeaderRecord kMetric;
const HeaderRecord kImperial = HeaderWithUnits("°C", "°F", "inch", "inHg", "km/h");

TEST(GraphSeries, ChoicesNameTheirSeriesFieldsAndUnits) {
  struct Expected {
    GraphChoice choice;
    int count;
    row::Field first;
    row::Field second;
    int unitField;
  };
  const Expected table[] = {
      {GraphChoice::kHumidity, 2, row::indoorHumidity, row::outdoorHumidity, -1},
      {GraphChoice::kIndoorTemperature, 1, row::indoorTemperature, row::indoorTemperature, hdr::kUnitIndoorTemp},
      {GraphChoice::kOutdoorTemperature, 2, row::outdoorTemperature, row::dewPoint, hdr::kUnitOutdoorTemp},
      {GraphChoice::kWindChill, 1, row::windChill, row::windChill, hdr::kUnitOutdoorTemp},
      {GraphChoice::kPressure, 2, row::absolutePressure, row::relativePressure, hdr::kUnitPressure},
      {GraphChoice::kWind, 2, row::windSpeed, row::gustSpeed, hdr::kUnitWind},
      {GraphChoice::kRain, 1, row::rainTotal, row::rainTotal, hdr::kUnitRain},
  };
  for (const Expected& e : table) {
    const GraphChoiceSpec& spec = GraphChoiceSpecOf(e.choice);
    SCOPED_TRACE(static_cast<int>(e.choice));
    EXPECT_EQ(spec.seriesCount, e.count);
    EXPECT_EQ(spec.series[0].field, e.first);
    if (e.count == 2) {
      EXPECT_EQ(spec.series[1].field, e.second);
    }
    EXPECT_EQ(spec.unitField, e.unitField);
  }
  EXPECT_EQ(GraphChoiceOf(-1), GraphChoice::kHumidity);
  EXPECT_EQ(GraphChoiceOf(7), GraphChoice::kHumidity);
  EXPECT_EQ(GraphChoiceOf(6), GraphChoice::kRain);
}

TEST(GraphSeries, LeftAxisRangeAndTitleInTheDisplayUnit) {
  const TextTable english(0);
  GraphLeftAxis a = GraphLeftAxisFor(GraphChoice::kPressure, "Pressure", english, kImperial);
  EXPECT_EQ(a.title, "Pressure (Unit:inHg)");
  EXPECT_NEAR(a.minimum, 26.577, 0.001);
  EXPECT_NEAR(a.maximum, 31.006, 0.001);

  a = GraphLeftAxisFor(GraphChoice::kOutdoorTemperature, "Outdoor Temperature", english, kImperial);
  EXPECT_EQ(a.title, "Outdoor Temperature (Unit:°F)");
  EXPECT_NEAR(a.minimum, -40, 1e-4);
  EXPECT_NEAR(a.maximum, 140, 1e-4);
  a = GraphLeftAxisFor(GraphChoice::kIndoorTemperature, "Indoor Temperature", english, kImperial);
  EXPECT_EQ(a.title, "Indoor Temperature (Unit:°C)");
  EXPECT_EQ(a.maximum, 60);

  a = GraphLeftAxisFor(GraphChoice::kWind, "Wind", english, kImperial);
  EXPECT_EQ(a.title, "Wind (Unit:km/h)");
  EXPECT_NEAR(a.maximum, 180, 1e-3);
  a = GraphLeftAxisFor(GraphChoice::kRain, "Rain", english, kImperial);
  EXPECT_NEAR(a.maximum, 3.937, 1e-3);

  // Humidity is never converted and its title always names percent.
  a = GraphLeftAxisFor(GraphChoice::kHumidity, "Humidity", english, kImperial);
  EXPECT_EQ(a.title, "Humidity (Unit:%)");
  EXPECT_EQ(a.minimum, 0);
  EXPECT_EQ(a.maximum, 100);

  a = GraphLeftAxisFor(GraphChoice::kPressure, "Luftdruck", TextTable(1), kMetric);
  EXPECT_EQ(a.title, "Luftdruck (Einheit:Hpa)");
  EXPECT_EQ(a.minimum, 900);
  EXPECT_EQ(a.maximum, 1050);
}

TEST(GraphSeries, ValuesAreTheDisplayTextsReadBack) {
  auto value = [](GraphChoice c, const std::string& stored, const HeaderRecord& units) {
    const std::optional<double> v = GraphValue(c, stored, units);
    return v ? *v : -99999.0;
  };
  EXPECT_DOUBLE_EQ(value(GraphChoice::kPressure, "1013.2", kImperial), 29.92);
  EXPECT_DOUBLE_EQ(value(GraphChoice::kPressure, "1013.2", kMetric), 1013.2);
  EXPECT_DOUBLE_EQ(value(GraphChoice::kOutdoorTemperature, "-3.2", kImperial), 26.2);
  EXPECT_DOUBLE_EQ(value(GraphChoice::kIndoorTemperature, "21.5", kImperial), 21.5);
  EXPECT_DOUBLE_EQ(value(GraphChoice::kWind, "1.2", kImperial), 4.3);
  EXPECT_DOUBLE_EQ(value(GraphChoice::kRain, "254.0", kImperial), 10.0);
  EXPECT_DOUBLE_EQ(value(GraphChoice::kHumidity, "45", kImperial), 45);
  EXPECT_DOUBLE_EQ(value(GraphChoice::kWind, "10.0", HeaderWithUnits("°C", "°C", "mm", "Hpa", "bft")), 5);
}

TEST(GraphSeries, MissingAndInvalidValuesGiveNothing) {
  for (GraphChoice c : {GraphChoice::kHumidity, GraphChoice::kOutdoorTemperature, GraphChoice::kPressure,
                        GraphChoice::kWind, GraphChoice::kRain}) {
    SCOPED_TRACE(static_cast<int>(c));
    EXPECT_FALSE(GraphValue(c, "", kMetric));
    EXPECT_FALSE(GraphValue(c, "---", kMetric));
    EXPECT_FALSE(GraphValue(c, "-32767", kMetric));
  }
  EXPECT_FALSE(GraphValue(GraphChoice::kHumidity, "255", kMetric));
  EXPECT_FALSE(GraphValue(GraphChoice::kPressure, "0.0", kMetric));
  EXPECT_EQ(GraphValue(GraphChoice::kOutdoorTemperature, "0.0", kMetric), std::optional<double>(0.0));
}

TEST(GraphSeries, CollectsPointsWithGapsAndSkipsShortTimes) {
  HistoryTable rows;
  auto add = [&rows](const std::string& time, const std::string& abs, const std::string& rel) {
    HistoryRow r;
    r[row::recordTime] = time;
    r[row::absolutePressure] = abs;
    r[row::relativePressure] = rel;
    rows.Append(r);
  };
  add("2024-03-01 10:00:00", "1000.0", "1010.0");
  add("2024-03-01 10:05:0", "1001.0", "1011.0");  // 18 characters
  add("2024-03-01 10:10:00", "---", "1012.0");
  add("", "1003.0", "1013.0");
  add("2024-03-01 10:15:00", "1004.0", "");
  add("2024-03-01 10:20:00", "---", "1000.0");  // texts seen before, in the other series

  const GraphPoints p = CollectGraphPoints(rows, GraphChoice::kPressure, kMetric);
  ASSERT_EQ(p.size(), 4u);
  EXPECT_TRUE(std::isnan(p.y[0][3]));
  EXPECT_EQ(p.y[1][3], 1000.0);
  EXPECT_DOUBLE_EQ(p.x[0], TimestampToChartTime("2024-03-01 10:00:00"));
  EXPECT_DOUBLE_EQ(p.x[1], TimestampToChartTime("2024-03-01 10:10:00"));
  EXPECT_DOUBLE_EQ(p.x[2], TimestampToChartTime("2024-03-01 10:15:00"));
  ASSERT_EQ(p.y[0].size(), 4u);
  EXPECT_EQ(p.y[0][0], 1000.0);
  EXPECT_TRUE(std::isnan(p.y[0][1]));
  EXPECT_EQ(p.y[0][2], 1004.0);
  EXPECT_EQ(p.y[1][1], 1012.0);
  EXPECT_TRUE(std::isnan(p.y[1][2]));

  const GraphPoints one = CollectGraphPoints(rows, GraphChoice::kRain, kMetric);
  EXPECT_EQ(one.y[0].size(), 4u);
  EXPECT_TRUE(one.y[1].empty());
}

}  // namespace
}  // namespace skyvane
