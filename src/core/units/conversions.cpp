#include "core/units/conversions.h"

#include <array>
#include <cmath>

namespace skyvane {
namespace {

struct Factor {
  const char* from;
  const char* to;
  float factor;
};

constexpr std::array<Factor, 6> kPressureFactors{{
    {unit::kHpa, unit::kInHg, 0.02953f},
    {unit::kHpa, unit::kMmHg, 0.75f},
    {unit::kInHg, unit::kHpa, 33.864f},
    {unit::kInHg, unit::kMmHg, 25.4f},
    {unit::kMmHg, unit::kHpa, 1.3332f},
    {unit::kMmHg, unit::kInHg, 0.03937f},
}};

constexpr std::array<Factor, 12> kWindFactors{{
    {unit::kMetresPerSecond, unit::kKmPerHour, 3.6f},
    {unit::kMetresPerSecond, unit::kKnot, 1.9428f},
    {unit::kMetresPerSecond, unit::kMilesPerHour, 2.237f},
    {unit::kKmPerHour, unit::kMetresPerSecond, 0.2778f},
    {unit::kKmPerHour, unit::kKnot, 0.5397f},
    {unit::kKmPerHour, unit::kMilesPerHour, 0.6214f},
    {unit::kKnot, unit::kMetresPerSecond, 0.5147f},
    {unit::kKnot, unit::kKmPerHour, 1.853f},
    {unit::kKnot, unit::kMilesPerHour, 1.1514f},
    {unit::kMilesPerHour, unit::kMetresPerSecond, 0.447f},
    {unit::kMilesPerHour, unit::kKmPerHour, 1.6093f},
    {unit::kMilesPerHour, unit::kKnot, 0.8685f},
}};

constexpr std::array<Factor, 2> kRainFactors{{
    {unit::kMm, unit::kInch, 0.03937f},
    {unit::kInch, unit::kMm, 25.4f},
}};

// Upper end of each Beaufort level in tenths of m/s.
constexpr std::array<int, 13> kBeaufortTenths{2, 15, 33, 54, 79, 107, 138, 171, 207, 244, 284, 326, 369};

// A speed that is a whole number of tenths may be stored a few single-precision
// steps below it; this much (in tenths) is forgiven before truncating.
constexpr double kTenthsTolerance = 1e-3;

float Times(float v, float factor) { return static_cast<float>(static_cast<double>(v) * factor); }

template <std::size_t N>
const Factor* FindFactor(const std::array<Factor, N>& table, const std::string& from,
                         const std::string& to) {
  for (const Factor& f : table) {
    if (from == f.from && to == f.to) return &f;
  }
  return nullptr;
}

template <std::size_t N>
float ConvertByTable(const std::array<Factor, N>& table, float value, float scale,
                     const std::string& from, const std::string& to) {
  const float v = ScaledValue(value, scale);
  const Factor* f = FindFactor(table, from, to);
  return f ? Times(v, f->factor) : v;
}

// The factor that turns a speed in this unit into m/s, or 0 for an unknown unit.
float ToMetresPerSecond(const std::string& from) {
  if (from == unit::kMetresPerSecond) return 1.0f;
  const Factor* f = FindFactor(kWindFactors, from, unit::kMetresPerSecond);
  return f ? f->factor : 0.0f;
}

// Level named by a Beaufort value: truncated toward zero, -1 when out of 0..12.
int LevelOf(float v) {
  const double t = std::trunc(static_cast<double>(v));
  return (t >= 0.0 && t <= 12.0) ? static_cast<int>(t) : -1;
}

}  // namespace

float ScaledValue(double value, float scale) { return static_cast<float>(value * scale); }

float ConvertTemperature(float value, float scale, const std::string& fromUnit,
                         const std::string& toUnit) {
  const float v = ScaledValue(value, scale);
  if (fromUnit == unit::kCelsius && toUnit == unit::kFahrenheit) {
    return static_cast<float>(static_cast<double>(v) * 1.8f + 32.0);
  }
  if (fromUnit == unit::kFahrenheit && toUnit == unit::kCelsius) {
    return static_cast<float>((static_cast<double>(v) - 32.0) * 0.5555556f);
  }
  return v;
}

float ConvertPressure(float value, float scale, const std::string& fromUnit,
                      const std::string& toUnit) {
  return ConvertByTable(kPressureFactors, value, scale, fromUnit, toUnit);
}

float ConvertRain(float value, float scale, const std::string& fromUnit,
                  const std::string& toUnit) {
  return ConvertByTable(kRainFactors, value, scale, fromUnit, toUnit);
}

float ConvertWindSpeed(float value, float scale, const std::string& fromUnit,
                       const std::string& toUnit) {
  const float v = ScaledValue(value, scale);
  const bool fromBft = fromUnit == unit::kBeaufort;
  const bool toBft = toUnit == unit::kBeaufort;
  if (fromBft == toBft) return ConvertByTable(kWindFactors, value, scale, fromUnit, toUnit);
  if (toBft) {
    const float toMs = ToMetresPerSecond(fromUnit);
    if (toMs == 0.0f) return v;
    return static_cast<float>(BeaufortLevel(Times(v, toMs)));
  }
  // From a Beaufort level: the upper limit of the level, in the wanted unit.
  if (toUnit == unit::kMetresPerSecond) return BeaufortUpperBound(LevelOf(v));
  const Factor* f = FindFactor(kWindFactors, unit::kMetresPerSecond, toUnit);
  if (!f) return v;
  const float b = Times(BeaufortUpperBound(LevelOf(v)), scale);
  return Times(b, f->factor);
}

float TemperatureFromStation(float value, float scale, const std::string& toUnit) {
  return ConvertTemperature(value, scale, unit::kCelsius, toUnit);
}
float PressureFromStation(float value, float scale, const std::string& toUnit) {
  return ConvertPressure(value, scale, unit::kHpa, toUnit);
}
float WindSpeedFromStation(float value, float scale, const std::string& toUnit) {
  return ConvertWindSpeed(value, scale, unit::kMetresPerSecond, toUnit);
}
float RainFromStation(float value, float scale, const std::string& toUnit) {
  return ConvertRain(value, scale, unit::kMm, toUnit);
}

int BeaufortLevel(float speedMetresPerSecond) {
  const double tenths = static_cast<double>(speedMetresPerSecond) * 10.0 + kTenthsTolerance;
  if (!(tenths >= 0.0)) return 0;  // negative speeds (and NaN) are calm
  if (tenths > kBeaufortTenths[11] + 1.0) return 12;
  const int n = static_cast<int>(tenths);
  for (int level = 0; level < 12; ++level) {
    if (n <= kBeaufortTenths[level]) return level;
  }
  return 12;
}

float BeaufortUpperBound(int level) {
  if (level < 0 || level > 12) return 0.0f;
  return static_cast<float>(kBeaufortTenths[level] * 0.1);
}

}  // namespace skyvane
