#include "core/climate/climate_text.h"

#include <charconv>
#include <cmath>

namespace skyvane::climate {

std::string FixedText(std::optional<double> value, int decimals) {
  if (!value || !std::isfinite(*value)) return std::string();
  char text[64];
  const auto result =
      std::to_chars(text, text + sizeof text, *value, std::chars_format::fixed, decimals);
  std::string out(text, result.ptr);
  if (out.front() == '-' && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
  return out;
}

std::string_view TrendName(Trend trend) {
  switch (trend) {
    case Trend::kRising:
      return "rising";
    case Trend::kSteady:
      return "steady";
    case Trend::kFalling:
      return "falling";
    default:
      return "";
  }
}

std::string_view UnitName(std::string_view headerUnit) {
  if (headerUnit == "Hpa") return "hPa";
  if (headerUnit == "m/h") return "mph";
  if (headerUnit == "inch") return "in";
  if (headerUnit == "knot") return "kn";
  if (headerUnit == "bft") return "Bft";
  return headerUnit;
}

}  // namespace skyvane::climate
