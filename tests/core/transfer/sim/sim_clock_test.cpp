#include "core/transfer/sim/sim_clock.h"

#include <gtest/gtest.h>

namespace skyvane::sim {
namespace {

TEST(SimClock, RunsSpeedTimesFasterFromItsStart) {
  std::int64_t realMs = 5'000'000;
  SimClock clock([&] { return realMs; }, 600);
  clock.Start(1'000'000);
  EXPECT_EQ(clock.StationNow(), 1'000'000);
  realMs += 80;  // 48 station seconds
  EXPECT_EQ(clock.StationNow(), 1'000'048);
  realMs += 1000;
  EXPECT_EQ(clock.StationNow(), 1'000'648);
}

TEST(SimClock, NeverGoesBackWhenTheRealClockDoes) {
  std::int64_t realMs = 10'000;
  SimClock clock([&] { return realMs; }, 1);
  clock.Start(500);
  realMs += 3000;
  EXPECT_EQ(clock.StationNow(), 503);
  realMs -= 60'000;
  EXPECT_EQ(clock.StationNow(), 503);
}

TEST(SimClock, ZeroOrNegativeSpeedMeansRealTime) {
  std::int64_t realMs = 0;
  SimClock clock([&] { return realMs; }, 0);
  clock.Start(100);
  realMs = 2000;
  EXPECT_EQ(clock.StationNow(), 102);
}

}  // namespace
}  // namespace skyvane::sim
