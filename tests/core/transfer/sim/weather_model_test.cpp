#include "core/transfer/sim/weather_model.h"
#include "support/local_time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <set>
#include <vector>

namespace skyvane::sim {
namespace {

constexpr int kStep = WeatherModel::kRefreshSeconds;

TEST(WeatherModel, SameSeedSameWeatherOtherSeedOtherWeather) {
  const WeatherModel a(42), b(42), c(43);
  const auto t = test::LocalTime(2024, 5, 1, 12);
  int differences = 0;
  for (int i = 0; i < 100; ++i) {
    const auto ra = a.At(t + i * 600);
    const auto rb = b.At(t + i * 600);
    const auto rc = c.At(t + i * 600);
    EXPECT_EQ(ra.outdoorTemperature, rb.outdoorTemperature);
    EXPECT_EQ(ra.absolutePressure, rb.absolutePressure);
    EXPECT_EQ(ra.windDirection, rb.windDirection);
    EXPECT_EQ(a.RainCounts(t + i * 600), b.RainCounts(t + i * 600));
    if (ra.outdoorTemperature != rc.outdoorTemperature || ra.absolutePressure != rc.absolutePressure) {
      ++differences;
    }
  }
  EXPECT_GT(differences, 50);
}

TEST(WeatherModel, ReadingsStayPlausibleOverAMonthAndGustNeverBelowWind) {
  for (std::uint64_t seed : {1ULL, 7ULL, 123456789ULL}) {
    const WeatherModel model(seed);
    const auto start = test::LocalTime(2024, 1, 1, 0);
    std::set<int> directions;
    int minPressure = 99999, maxPressure = 0, minIndoor = 9999, maxIndoor = -9999;
    for (std::int64_t t = start; t < start + 30 * 86400; t += kStep) {
      const WeatherReading r = model.At(t);
      ASSERT_GE(r.gustSpeed, r.windSpeed) << t;
      ASSERT_GE(r.windSpeed, 0);
      ASSERT_LE(r.gustSpeed, 500);
      ASSERT_GE(r.outdoorHumidity, 20);
      ASSERT_LE(r.outdoorHumidity, 98);
      ASSERT_GE(r.indoorHumidity, 0);
      ASSERT_LE(r.indoorHumidity, 99);
      ASSERT_GE(r.outdoorTemperature, -400);
      ASSERT_LE(r.outdoorTemperature, 600);
      ASSERT_GE(r.windDirection, 0);
      ASSERT_LE(r.windDirection, 15);
      directions.insert(r.windDirection);
      minPressure = std::min(minPressure, r.absolutePressure);
      maxPressure = std::max(maxPressure, r.absolutePressure);
      minIndoor = std::min(minIndoor, r.indoorTemperature);
      maxIndoor = std::max(maxIndoor, r.indoorTemperature);
    }
    EXPECT_GE(directions.size(), 4u) << "the wind turns";
    EXPECT_GE(minPressure, 9800);
    EXPECT_LE(maxPressure, 10250);
    EXPECT_GE(maxPressure - minPressure, 30) << "the pressure drifts";
    EXPECT_GE(minIndoor, 200) << "indoors stays steady";
    EXPECT_LE(maxIndoor, 220);
  }
}

TEST(WeatherModel, AfternoonsAreWarmerAndDrierThanNights) {
  const WeatherModel model(99);
  long afternoon = 0, night = 0, afternoonHumidity = 0, nightHumidity = 0;
  for (int day = 1; day <= 20; ++day) {
    const auto a = model.At(test::LocalTime(2024, 6, day, 15));
    const auto n = model.At(test::LocalTime(2024, 6, day, 3));
    afternoon += a.outdoorTemperature;
    night += n.outdoorTemperature;
    afternoonHumidity += a.outdoorHumidity;
    nightHumidity += n.outdoorHumidity;
  }
  EXPECT_GT(afternoon - night, 20 * 50) << "about 10 degrees of daily swing";
  EXPECT_LT(afternoonHumidity, nightHumidity);
}

TEST(WeatherModel, ShowersComeNowAndThenAndNotWhileTheSensorIsLost) {
  const WeatherModel model(5);
  const auto start = test::LocalTime(2024, 3, 1, 0);
  int rainyDays = 0, lostRefreshes = 0, spells = 0;
  bool wasLost = false;
  for (int day = 0; day < 30; ++day) {
    int rain = 0;
    for (std::int64_t t = start + day * 86400; t < start + (day + 1) * 86400; t += kStep) {
      const bool lost = model.OutdoorLost(t);
      EXPECT_EQ(lost, model.At(t).outdoorLost);
      if (lost) {
        EXPECT_EQ(model.RainCounts(t), 0);
        ++lostRefreshes;
      }
      if (lost && !wasLost) ++spells;
      wasLost = lost;
      rain += model.RainCounts(t);
      ASSERT_LE(model.RainCounts(t), 2) << "at most 10 mm/h";
    }
    if (rain > 0) ++rainyDays;
  }
  EXPECT_GT(rainyDays, 5);
  EXPECT_LT(rainyDays, 30);
  EXPECT_GE(spells, 3) << "the outdoor sensor is lost now and then";
  EXPECT_LT(lostRefreshes, 30 * 1800 / 20) << "but rarely";
}

TEST(WeatherModel, SmoothValuesDoNotJumpBetweenRefreshes) {
  const WeatherModel model(11);
  const auto start = test::LocalTime(2024, 9, 1, 0);
  WeatherReading before = model.At(start);
  for (std::int64_t t = start + kStep; t < start + 3 * 86400; t += kStep) {
    const WeatherReading r = model.At(t);
    EXPECT_LE(std::abs(r.outdoorTemperature - before.outdoorTemperature), 5) << t;
    EXPECT_LE(std::abs(r.absolutePressure - before.absolutePressure), 3) << t;
    before = r;
  }
}

}  // namespace
}  // namespace skyvane::sim
