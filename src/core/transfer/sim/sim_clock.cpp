#include "core/transfer/sim/sim_clock.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace skyvane::sim {

std::int64_t SystemRealTimeMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

SimClock::SimClock(RealTimeSource real, double speed)
    : real_(real ? std::move(real) : RealTimeSource(&SystemRealTimeMs)),
      speed_(speed > 0 ? speed : 1.0) {}

void SimClock::Start(std::int64_t stationTime) {
  anchorStationMs_ = stationTime * 1000;
  anchorRealMs_ = real_();
  last_ = stationTime;
}

std::int64_t SimClock::StationNow() {
  const double elapsed = static_cast<double>(real_() - anchorRealMs_) * speed_;
  const auto ms = anchorStationMs_ + static_cast<std::int64_t>(std::floor(elapsed));
  last_ = std::max(last_, ms / 1000);
  return last_;
}

}  // namespace skyvane::sim
