#pragma once
// The climate's numbers as the desktop program shows them: in the display
// units of the station's header, converted and rounded exactly as the
// climatological reports write them (climate_report.cpp), "---" where a
// value is absent; so the Statistics window and an exported report agree to
// the digit.
#include <optional>
#include <string>

#include "core/climate/climate_report.h"

namespace skyvane::climate {

enum class Measure {
  kTemperature,  // °C / °F, one decimal
  kHumidity,     // %, whole
  kPressure,     // Hpa / mmHg one decimal, inHg two
  kWindSpeed,    // m/s, km/h, knot, m/h one decimal; bft whole
  kRain,         // mm one decimal, inch two
  kDegreeDays,   // °C days / °F days, one decimal
  kDirection,    // whole degrees
};

// A value in the base unit (°C, %, Hpa, m/s, mm, °C days, degrees) as text in
// its display unit; "---" when absent.
std::string ValueText(Measure measure, const std::optional<double>& value, const ReportUnits& units);

// The unit a measure is shown in, as the header writes it ("°C", "%", "Hpa",
// ..., "°"; for degree days the temperature unit).
std::string UnitText(Measure measure, const ReportUnits& units);

// "HH:MM" of a stored time "YYYY-MM-DD HH:MM:SS"; "---" for anything shorter.
std::string ClockText(const std::string& time);

}  // namespace skyvane::climate
