#include "core/climate/climate_display.h"

#include <cmath>

#include "core/climate/climate_text.h"
#include "core/units/conversions.h"
#include "core/units/value_text.h"

namespace skyvane::climate {

std::string ValueText(Measure measure, const std::optional<double>& value, const ReportUnits& units) {
  if (!value || !std::isfinite(*value)) return kNoValue;
  const double v = *value;
  const auto f = static_cast<float>(v);
  std::string text;
  switch (measure) {
    case Measure::kTemperature:
      text = FixedText(TemperatureFromStation(f, 1.0f, units.temperature), 1);
      break;
    case Measure::kHumidity:
    case Measure::kDirection: text = FixedText(v, 0); break;
    case Measure::kPressure:
      text = FixedText(PressureFromStation(f, 1.0f, units.pressure), units.pressure == unit::kInHg ? 2 : 1);
      break;
    case Measure::kWindSpeed:
      text = FixedText(WindSpeedFromStation(f, 1.0f, units.wind), units.wind == unit::kBeaufort ? 0 : 1);
      break;
    case Measure::kRain:
      text = FixedText(RainFromStation(f, 1.0f, units.rain), units.rain == unit::kInch ? 2 : 1);
      break;
    case Measure::kDegreeDays:
      // A difference of temperatures: scaled, never offset.
      text = FixedText(units.temperature == unit::kFahrenheit ? v * 1.8 : v, 1);
      break;
  }
  return text.empty() ? std::string(kNoValue) : text;
}

std::string UnitText(Measure measure, const ReportUnits& units) {
  switch (measure) {
    case Measure::kTemperature:
    case Measure::kDegreeDays: return units.temperature;
    case Measure::kHumidity: return unit::kPercent;
    case Measure::kPressure: return units.pressure;
    case Measure::kWindSpeed: return units.wind;
    case Measure::kRain: return units.rain;
    case Measure::kDirection: return "°";
  }
  return {};
}

std::string ClockText(const std::string& time) {
  if (time.size() < 16) return kNoValue;
  return time.substr(11, 5);
}

}  // namespace skyvane::climate
