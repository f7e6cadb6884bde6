#include "core/climate/climate_display.h"

#include <cmath>

#include "core/units/conversions.h"
#include "core/units/value_text.h"

namespace skyvane::climate {

namespace {

std::string OrBase(const std::string& unitText, const char* base) {
  return unitText.empty() ? std::string(base) : unitText;
}

}  // namespace

DisplayUnits DisplayUnitsOf(const HeaderRecord& header) {
  DisplayUnits units;
  units.temperature = OrBase(header.fields[hdr::kUnitOutdoorTemp], unit::kCelsius);
  units.pressure = OrBase(header.fields[hdr::kUnitPressure], unit::kHpa);
  units.wind = OrBase(header.fields[hdr::kUnitWind], unit::kMetresPerSecond);
  units.rain = OrBase(header.fields[hdr::kUnitRain], unit::kMm);
  return units;
}

std::string ValueText(Measure measure, const std::optional<double>& value, const DisplayUnits& units) {
  if (!value || !std::isfinite(*value)) return kNoValue;
  const double v = *value;
  // The value texts of the live panels and the History grid, fed with enough
  // decimals that their own rounding is the only one.
  const std::string text = FormatFixed(v, 4);
  switch (measure) {
    case Measure::kTemperature: return TemperatureTextFromStation(text, 1.0f, units.temperature);
    case Measure::kHumidity: return FormatFixed(v, 0);
    case Measure::kPressure: return PressureTextFromStation(text, 1.0f, units.pressure);
    case Measure::kWindSpeed: return WindSpeedTextFromStation(text, 1.0f, units.wind);
    case Measure::kRain: return RainTextFromStation(text, 1.0f, units.rain);
    case Measure::kDegreeDays:
      // A difference of temperatures: scaled, never offset.
      return FormatFixed(units.temperature == unit::kFahrenheit ? v * 1.8 : v, 1);
    case Measure::kDirection: return FormatFixed(v, 0);
  }
  return kNoValue;
}

std::string UnitText(Measure measure, const DisplayUnits& units) {
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
