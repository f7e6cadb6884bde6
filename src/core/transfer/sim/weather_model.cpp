#include "core/transfer/sim/weather_model.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <numbers>

namespace skyvane::sim {

namespace {

std::uint64_t Mix(std::uint64_t x) {
  // splitmix64 finaliser: every input bit reaches every output bit.
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

// Channels of the weather; each draws its own numbers from the seed.
enum Channel : int {
  kOutdoorSlow = 1,
  kOutdoorFast,
  kOutdoorHumidity,
  kIndoorTemperature,
  kIndoorHumidity,
  kPressureWeek,
  kPressureDay,
  kPressureHour,
  kWindBase,
  kWindFast,
  kGust,
  kDirectionSlow,
  kDirectionFast,
  kDirectionStart,
  kShower,
  kShowerStart,
  kShowerLength,
  kShowerRate,
  kRainStep,
  kLostSpell,
  kWetSpell,
};

int Round(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

double WeatherModel::Uniform(int channel, std::int64_t index) const {
  const std::uint64_t h =
      Mix(seed_ ^ Mix(static_cast<std::uint64_t>(channel) * 0x100000001B3ULL ^
                      static_cast<std::uint64_t>(index)));
  return static_cast<double>(h >> 11) * 0x1.0p-53;
}

double WeatherModel::Smooth(int channel, double t, double period) const {
  const double x = t / period;
  const double knot = std::floor(x);
  const double f = x - knot;
  const double s = f * f * (3 - 2 * f);  // smoothstep: no kinks at the knots
  const auto k = static_cast<std::int64_t>(knot);
  const double a = Uniform(channel, k) * 2 - 1;
  const double b = Uniform(channel, k + 1) * 2 - 1;
  return a + (b - a) * s;
}

bool WeatherModel::OutdoorLost(std::int64_t stationTime) const {
  // About one spell in 150 (every 30 hours or so) the sensor is not heard.
  const std::int64_t spell = stationTime / kLostSpellSeconds;
  return Uniform(kLostSpell, spell) < 1.0 / 150;
}

WeatherReading WeatherModel::At(std::int64_t stationTime) const {
  const auto t = static_cast<double>(stationTime);
  std::tm local{};
  const std::time_t tt = static_cast<std::time_t>(stationTime);
  localtime_r(&tt, &local);
  const double hour = local.tm_hour + local.tm_min / 60.0 + local.tm_sec / 3600.0;
  const double twoPi = 2 * std::numbers::pi;

  WeatherReading r;
  // Indoors: a heated room, nearly steady.
  r.indoorTemperature = Round(10 * (21.0 + 0.8 * Smooth(kIndoorTemperature, t, 6 * 3600.0)));
  r.indoorHumidity = Round(45 + 4 * Smooth(kIndoorHumidity, t, 10 * 3600.0));

  // Outdoors: the season's mean, a daily swing (coldest at 03:00, warmest at
  // 15:00), weather systems over hours and a little noise.
  const double season = 10 - 7 * std::cos(twoPi * (local.tm_yday - 15) / 365.0);
  const double swing = 5 * std::sin(twoPi * (hour - 9) / 24) + 3 * Smooth(kOutdoorSlow, t, 8 * 3600.0);
  const double outdoor = season + swing + 0.4 * Smooth(kOutdoorFast, t, 30 * 60.0);
  r.outdoorTemperature = Round(10 * outdoor);
  // Warmer than usual means drier air, relatively.
  const double humidity = 72 - 2.5 * swing + 6 * Smooth(kOutdoorHumidity, t, 5 * 3600.0);
  r.outdoorHumidity = std::clamp(Round(humidity), 20, 98);

  // Station-level pressure drifting with passing weather systems.
  r.absolutePressure = Round(10010 + 120 * Smooth(kPressureWeek, t, 40 * 3600.0) +
                             40 * Smooth(kPressureDay, t, 7 * 3600.0) +
                             5 * Smooth(kPressureHour, t, 3600.0));

  // Wind: calmer at night, gusts on top, direction veering slowly.
  const double daytime = std::max(0.0, std::sin(twoPi * (hour - 6) / 24));
  const double base = 2.5 + 2 * Smooth(kWindBase, t, 5 * 3600.0) + 1.5 * daytime;
  const double wind = std::max(0.0, base + 0.8 * Smooth(kWindFast, t, 10 * 60.0));
  const double gust = wind * 1.3 + 0.5 + 1.5 * std::abs(Smooth(kGust, t, 3 * 60.0));
  r.windSpeed = std::min(Round(10 * wind), 500);
  r.gustSpeed = std::clamp(Round(10 * gust), r.windSpeed, 500);
  const double turns = Uniform(kDirectionStart, 0) + 0.6 * Smooth(kDirectionSlow, t, 12 * 3600.0) +
                       0.08 * Smooth(kDirectionFast, t, 20 * 60.0);
  const double sector = (turns - std::floor(turns)) * 16;
  r.windDirection = std::clamp(static_cast<int>(sector), 0, 15);

  r.outdoorLost = OutdoorLost(stationTime);
  return r;
}

int WeatherModel::RainCounts(std::int64_t stationTime) const {
  if (OutdoorLost(stationTime)) return 0;
  // Showers come in three-hour windows, often in wet spells of a few days and
  // seldom between them; a shower starts somewhere in the window's first two
  // hours, lasts 15 to 60 minutes and brings 1 to 10 mm/h.
  constexpr std::int64_t kWindow = 3 * 3600;
  const std::int64_t window = stationTime / kWindow;
  const bool wetSpell = Smooth(kWetSpell, static_cast<double>(window * kWindow), 2 * 86400.0) > 0.2;
  if (Uniform(kShower, window) >= (wetSpell ? 0.35 : 0.03)) return 0;
  const std::int64_t start = window * kWindow + static_cast<std::int64_t>(Uniform(kShowerStart, window) * 7200);
  const std::int64_t length = 900 + static_cast<std::int64_t>(Uniform(kShowerLength, window) * 2700);
  if (stationTime <= start || stationTime > start + length) return 0;
  const double mmPerHour = 1 + 9 * Uniform(kShowerRate, window);
  const double expected = mmPerHour / 0.3 * kRefreshSeconds / 3600.0;
  const double whole = std::floor(expected);
  const double extra = Uniform(kRainStep, stationTime / kRefreshSeconds) < expected - whole ? 1 : 0;
  return static_cast<int>(whole + extra);
}

}  // namespace skyvane::sim
