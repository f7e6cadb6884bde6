#pragma once
// Numbers and names of the climate as text, the same on every surface.
#include <optional>
#include <string>
#include <string_view>

#include "core/climate/climate_types.h"

namespace skyvane::climate {

// value with a fixed number of decimals, "." as decimal point whatever the
// locale, never "-0.0"; empty for an absent value.
std::string FixedText(std::optional<double> value, int decimals);

// "rising", "steady", "falling"; empty when unknown.
std::string_view TrendName(Trend trend);

// A unit of the station's header as reports and web pages write it
// ("Hpa" → "hPa", "m/h" → "mph", "inch" → "in").
std::string_view UnitName(std::string_view headerUnit);

}  // namespace skyvane::climate
