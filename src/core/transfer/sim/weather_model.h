#pragma once
// The weather of the simulated station: every value is a function of the seed
// and the station time alone, so the same seed gives the same weather at the
// same time, and a restarted station can compute the hours it was off.
#include <cstdint>

namespace skyvane::sim {

// What the base unit hears from its sensors at one moment, in the raw units of
// a weather record: percent, tenths of °C, tenths of hPa, tenths of m/s.
struct WeatherReading {
  int indoorHumidity = 0;
  int indoorTemperature = 0;
  int outdoorHumidity = 0;
  int outdoorTemperature = 0;
  int absolutePressure = 0;
  int windSpeed = 0;
  int gustSpeed = 0;      // never below windSpeed
  int windDirection = 0;  // compass point 0..15, 0 = north
  bool outdoorLost = false;  // the outdoor sensor was not heard: outdoor values unknown
};

class WeatherModel {
 public:
  // The base unit refreshes its running record this often (station seconds).
  static constexpr int kRefreshSeconds = 48;
  // How long one spell of a lost outdoor sensor lasts (station seconds).
  static constexpr int kLostSpellSeconds = 12 * 60;

  explicit WeatherModel(std::uint64_t seed) : seed_(seed) {}
  std::uint64_t Seed() const { return seed_; }

  // The readings at a station time (seconds since the epoch; local time of day
  // and season drive the outdoor temperature).
  WeatherReading At(std::int64_t stationTime) const;
  // Rain gauge steps (0.3 mm each) that fell in the refresh period ending at
  // stationTime; none while the outdoor sensor is lost.
  int RainCounts(std::int64_t stationTime) const;
  bool OutdoorLost(std::int64_t stationTime) const;

  // A smooth value in [-1, 1] of one channel of the weather, changing over
  // about `period` seconds; exposed for tests of the model's invariants.
  double Smooth(int channel, double t, double period) const;
  // An independent pseudo-random number in [0, 1) per (channel, index).
  double Uniform(int channel, std::int64_t index) const;

 private:
  std::uint64_t seed_;
};

}  // namespace skyvane::sim
