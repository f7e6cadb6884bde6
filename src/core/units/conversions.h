#pragma once
// Unit texts and the conversions between the station's base units (°C, %, Hpa,
// m/s, mm) and every unit the program offers, the Beaufort scale included.
//
// Every conversion first forms v = value × scale (rounded to single precision);
// the scale turns a stored raw number into the unit's number (0.1 for tenths).
// Same units, or a unit text the quantity does not know, give v unchanged.
// Factors are single-precision constants, multiplied in double precision, and
// every result is returned in single precision so that texts are reproducible.
#include <string>

namespace skyvane {

namespace unit {
inline constexpr const char* kCelsius = "°C";
inline constexpr const char* kFahrenheit = "°F";
inline constexpr const char* kPercent = "%";
inline constexpr const char* kHpa = "Hpa";
inline constexpr const char* kInHg = "inHg";
inline constexpr const char* kMmHg = "mmHg";
inline constexpr const char* kMetresPerSecond = "m/s";
inline constexpr const char* kKmPerHour = "km/h";
inline constexpr const char* kKnot = "knot";
inline constexpr const char* kMilesPerHour = "m/h";
inline constexpr const char* kBeaufort = "bft";
inline constexpr const char* kMm = "mm";
inline constexpr const char* kInch = "inch";
}  // namespace unit

// value × scale rounded to single precision: the starting point of every conversion.
float ScaledValue(double value, float scale);

float ConvertTemperature(float value, float scale, const std::string& fromUnit,
                         const std::string& toUnit);
float ConvertPressure(float value, float scale, const std::string& fromUnit,
                      const std::string& toUnit);
float ConvertWindSpeed(float value, float scale, const std::string& fromUnit,
                       const std::string& toUnit);
float ConvertRain(float value, float scale, const std::string& fromUnit,
                  const std::string& toUnit);

// The same conversions from the station's base unit.
float TemperatureFromStation(float value, float scale, const std::string& toUnit);
float PressureFromStation(float value, float scale, const std::string& toUnit);
float WindSpeedFromStation(float value, float scale, const std::string& toUnit);
float RainFromStation(float value, float scale, const std::string& toUnit);

// Beaufort level 0..12 of a speed in m/s. The speed is taken in tenths of m/s;
// a speed of n tenths gives the level of n even when its binary value lies a
// hair below n / 10 (13.9 read back from text is 13.8999996...).
int BeaufortLevel(float speedMetresPerSecond);

// Upper limit of a Beaufort level in m/s (0.2 for level 0 ... 36.9 for 12); 0 for
// any other level.
float BeaufortUpperBound(int level);

}  // namespace skyvane
