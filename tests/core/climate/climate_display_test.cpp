// The climate's values as the desktop shows them: each measure in each of its
// display units, the decimals of the unit, absent values, and the clock time.
#include "core/climate/climate_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace skyvane::climate {
namespace {

struct ValueCase {
  Measure measure;
  std::optional<double> value;
  ReportUnits units;
  const char* text;
};

const ReportUnits kMetric;
const ReportUnits kImperial{"°F", "inch", "inHg", "m/h"};

TEST(ClimateDisplay, ValuesInTheirDisplayUnits) {
  const ValueCase cases[] = {
      {Measure::kTemperature, 12.6, kMetric, "12.6"},
      {Measure::kTemperature, 12.6, kImperial, "54.7"},
      {Measure::kTemperature, -0.04, kMetric, "0.0"},  // never "-0.0"
      {Measure::kTemperature, -17.8, kImperial, "0.0"},
      {Measure::kTemperature, std::nullopt, kMetric, "---"},
      {Measure::kTemperature, std::numeric_limits<double>::quiet_NaN(), kMetric, "---"},
      {Measure::kHumidity, 73.33, kImperial, "73"},
      {Measure::kPressure, 1012.33, kMetric, "1012.3"},
      {Measure::kPressure, 1015.0, kImperial, "29.97"},
      {Measure::kPressure, 1015.0, {"°C", "mm", "mmHg", "m/s"}, "761.2"},
      {Measure::kWindSpeed, 4.0, kImperial, "8.9"},
      {Measure::kWindSpeed, 9.0, {"°C", "mm", "Hpa", "km/h"}, "32.4"},
      {Measure::kWindSpeed, 9.0, {"°C", "mm", "Hpa", "bft"}, "5"},
      {Measure::kRain, 1.3, kMetric, "1.3"},
      {Measure::kRain, 1.3, kImperial, "0.05"},
      {Measure::kRain, 0.0, kImperial, "0.00"},
      {Measure::kDegreeDays, 10.0, kMetric, "10.0"},
      {Measure::kDegreeDays, 10.0, kImperial, "18.0"},  // a difference: scaled, not offset
      {Measure::kDirection, 63, kMetric, "63"},
      {Measure::kDirection, std::nullopt, kMetric, "---"},
  };
  for (const ValueCase& c : cases) {
    EXPECT_EQ(ValueText(c.measure, c.value, c.units), c.text)
        << static_cast<int>(c.measure) << " " << (c.value ? *c.value : -1) << " " << c.units.temperature;
  }
}

TEST(ClimateDisplay, UnitsAsTheHeaderWritesThem) {
  EXPECT_EQ(UnitText(Measure::kDegreeDays, kImperial), "°F");
  EXPECT_EQ(UnitText(Measure::kPressure, kMetric), "Hpa");
  EXPECT_EQ(UnitText(Measure::kWindSpeed, kImperial), "m/h");
  EXPECT_EQ(UnitText(Measure::kHumidity, kImperial), "%");
  EXPECT_EQ(UnitText(Measure::kDirection, kMetric), "°");
}

TEST(ClimateDisplay, ClockTimeOfAStoredTime) {
  EXPECT_EQ(ClockText("2026-11-02 00:05:00"), "00:05");
  EXPECT_EQ(ClockText("2026-11-02 23:59"), "23:59");
  EXPECT_EQ(ClockText("2026-11-02"), "---");
  EXPECT_EQ(ClockText(""), "---");
}

}  // namespace
}  // namespace skyvane::climate
