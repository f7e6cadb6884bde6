#pragma once
// The climate's numbers as the user reads them: in the display units of the
// station's header, with the program's fixed decimals, "---" where a value is
// absent. The desktop tables and the text reports write every value through
// here, so they agree to the digit.
#include <optional>
#include <string>

#include "core/station/header_record.h"

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

// The units a climate table is shown in (texts as in the header).
struct DisplayUnits {
  std::string temperature = "°C";
  std::string pressure = "Hpa";
  std::string wind = "m/s";
  std::string rain = "mm";
};

// The outdoor temperature, pressure, wind and rain units of a header; an
// empty unit text keeps the base unit.
DisplayUnits DisplayUnitsOf(const HeaderRecord& header);

// A value in the base unit (°C, %, Hpa, m/s, mm, °C days, degrees) as text in
// its display unit; "---" when absent.
std::string ValueText(Measure measure, const std::optional<double>& value, const DisplayUnits& units);

// The unit a measure is shown in ("°C", "%", "Hpa", ..., "°", and for degree
// days the temperature unit).
std::string UnitText(Measure measure, const DisplayUnits& units);

// "HH:MM" of a stored time "YYYY-MM-DD HH:MM:SS"; "---" for anything shorter.
std::string ClockText(const std::string& time);

}  // namespace skyvane::climate
