#include "core/station/device_busy.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace skyvane {
namespace {

TEST(DeviceBusy, ClaimHoldsTheFlagUntilItGoesOutOfScope) {
  std::atomic<bool> busy{false};
  {
    DeviceBusyClaim claim = TryClaimDevice(busy);
    EXPECT_TRUE(claim);
    EXPECT_TRUE(busy);
    DeviceBusyClaim second = TryClaimDevice(busy);
    EXPECT_FALSE(second);
    DeviceBusyClaim moved = std::move(claim);
    EXPECT_TRUE(moved);
    EXPECT_FALSE(claim);
    EXPECT_TRUE(busy);
  }
  EXPECT_FALSE(busy);
}

TEST(DeviceBusy, MonitorFormSkipsAndLeavesTheOtherHoldersFlag) {
  std::atomic<bool> busy{true};
  { EXPECT_FALSE(TryClaimDevice(busy)); }
  EXPECT_TRUE(busy);
}

TEST(DeviceBusy, UserFormChecksFourTimesWithThreeOneSecondWaits) {
  std::atomic<bool> busy{true};
  std::vector<std::chrono::milliseconds> sleeps;
  DeviceBusyClaim claim = ClaimDeviceForUser(busy, [&](std::chrono::milliseconds d) { sleeps.push_back(d); });
  EXPECT_FALSE(claim);
  EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>(3, std::chrono::milliseconds(1000)));
  EXPECT_TRUE(busy);  // giving up must not clear someone else's claim
}

TEST(DeviceBusy, UserFormTakesTheFlagOnceItIsFreed) {
  std::atomic<bool> busy{true};
  int sleeps = 0;
  {
    DeviceBusyClaim claim = ClaimDeviceForUser(busy, [&](std::chrono::milliseconds) {
      if (++sleeps == 2) busy = false;  // the other party finishes during the second wait
    });
    EXPECT_TRUE(claim);
    EXPECT_EQ(sleeps, 2);
  }
  EXPECT_FALSE(busy);

  sleeps = 0;
  DeviceBusyClaim free = ClaimDeviceForUser(busy, [&](std::chrono::milliseconds) { ++sleeps; });
  EXPECT_TRUE(free);
  EXPECT_EQ(sleeps, 0);
}

TEST(DeviceBusy, KeepLeavesTheFlagSet) {
  std::atomic<bool> busy{false};
  {
    DeviceBusyClaim claim = TryClaimDevice(busy);
    claim.Keep();
  }
  EXPECT_TRUE(busy);
}

TEST(DeviceBusy, TwoThreadsNeverHoldItTogether) {
  std::atomic<bool> busy{false};
  std::atomic<int> inside{0};
  std::atomic<int> overlaps{0};
  std::atomic<int> claims{0};
  auto party = [&] {
    for (int i = 0; i < 20000; ++i) {
      DeviceBusyClaim claim = TryClaimDevice(busy);
      if (!claim) continue;
      ++claims;
      if (inside.fetch_add(1) != 0) ++overlaps;
      inside.fetch_sub(1);
    }
  };
  std::thread a(party), b(party);
  a.join();
  b.join();
  EXPECT_EQ(overlaps, 0);
  EXPECT_GT(claims, 0);
  EXPECT_FALSE(busy);
}

}  // namespace
}  // namespace skyvane
