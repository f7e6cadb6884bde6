#pragma once
// The texts the world outside the program reads: unit symbols and compass
// points as web pages, JSON consumers and weather networks write them. The
// program keeps its own keys ("Hpa", "m/h", "NEE") in the header, the data
// file and the desktop windows; they are mapped here on the way out.
#include <string_view>

namespace skyvane {

// "hPa" for the station's "Hpa", "mph" for "m/h", "kn" for "knot", "Bft" for
// "bft", "in" for "inch"; the symbols the world shares ("°C", "km/h", "mm",
// "%", ...) as they are. Empty for a text that is no unit of the station.
std::string_view WorldUnitText(std::string_view stationUnit);

// The sixteen compass points as the world names them ("ENE" for the
// program's "NEE", "WSW" for "SWW", ...). Empty for a text that names none.
std::string_view WorldCompassPoint(std::string_view programName);

}  // namespace skyvane
