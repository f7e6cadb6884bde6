#include "core/station/device_busy.h"

#include <thread>

namespace skyvane {

void SleepFor(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

DeviceBusyClaim ClaimDeviceForUser(std::atomic<bool>& busy, const BusySleep& sleep) {
  for (int attempt = 1; attempt <= kUserClaimTries; ++attempt) {
    DeviceBusyClaim claim(busy);
    if (claim) return claim;
    if (attempt < kUserClaimTries) sleep(kUserClaimWait);
  }
  return DeviceBusyClaim();
}

}  // namespace skyvane
