#include "core/publish/world_texts.h"

namespace skyvane {
namespace {

struct Mapping {
  std::string_view program;
  std::string_view world;
};

constexpr Mapping kUnits[] = {
    {"°C", "°C"},     {"°F", "°F"},     {"%", "%"},       {"Hpa", "hPa"}, {"inHg", "inHg"},
    {"mmHg", "mmHg"}, {"m/s", "m/s"},   {"km/h", "km/h"}, {"knot", "kn"}, {"m/h", "mph"},
    {"bft", "Bft"},   {"mm", "mm"},     {"inch", "in"},
};

// The program's names of the intermediate points (the second, fifth, ...)
// put the cardinal point last; the world puts it first.
constexpr Mapping kPoints[] = {
    {"N", "N"},   {"NNE", "NNE"}, {"NE", "NE"}, {"NEE", "ENE"}, {"E", "E"},   {"SEE", "ESE"},
    {"SE", "SE"}, {"SSE", "SSE"}, {"S", "S"},   {"SSW", "SSW"}, {"SW", "SW"}, {"SWW", "WSW"},
    {"W", "W"},   {"NWW", "WNW"}, {"NW", "NW"}, {"NNW", "NNW"},
};

template <std::size_t N>
std::string_view Find(const Mapping (&table)[N], std::string_view text) {
  for (const Mapping& m : table) {
    if (m.program == text) return m.world;
  }
  return {};
}

}  // namespace

std::string_view WorldUnitText(std::string_view stationUnit) { return Find(kUnits, stationUnit); }

std::string_view WorldCompassPoint(std::string_view programName) { return Find(kPoints, programName); }

}  // namespace skyvane
