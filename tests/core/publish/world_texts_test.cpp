// The texts readers outside the program see: every unit of the station and
// every compass point, mapped from the program's own keys.
#include "core/publish/world_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "core/units/value_text.h"

namespace skyvane {
namespace {

TEST(WorldTexts, EveryStationUnitHasTheWorldsSymbol) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"°C", "°C"},     {"°F", "°F"},   {"%", "%"},       {"Hpa", "hPa"}, {"inHg", "inHg"},
      {"mmHg", "mmHg"}, {"m/s", "m/s"}, {"km/h", "km/h"}, {"knot", "kn"}, {"m/h", "mph"},
      {"bft", "Bft"},   {"mm", "mm"},   {"inch", "in"},   {"", ""},       {"hpa", ""},
      {"Hpa ", ""},
  };
  for (const auto& [station, world] : cases) EXPECT_EQ(WorldUnitText(station), world) << station;
}

TEST(WorldTexts, CompassPointsByCodeAsTheWorldNamesThem) {
  const std::string_view names[16] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                      "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
  for (int code = 0; code < 16; ++code) {
    // The program's name of the code, as the data file stores it.
    const std::string program = DirectionNameText(std::to_string(code));
    EXPECT_EQ(WorldCompassPoint(program), names[code]) << code << " " << program;
  }
  for (std::string_view none : {"", "---", "ne", "NNEE", "16"}) EXPECT_EQ(WorldCompassPoint(none), "") << none;
}

}  // namespace
}  // namespace skyvane
