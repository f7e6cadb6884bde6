#pragma once
// Station time of the simulated station: real time, run `speed` times faster
// from an anchor. The real-time source is a function so tests drive it.
#include <cstdint>
#include <functional>

namespace skyvane::sim {

// Milliseconds since the epoch.
using RealTimeSource = std::function<std::int64_t()>;
std::int64_t SystemRealTimeMs();

class SimClock {
 public:
  // A null source means the system clock.
  SimClock(RealTimeSource real, double speed);

  // From now on, station time runs on from stationTime (seconds since the epoch).
  void Start(std::int64_t stationTime);
  // Never goes back, even when the real clock does.
  std::int64_t StationNow();
  std::int64_t RealNowMs() const { return real_(); }
  double Speed() const { return speed_; }

 private:
  RealTimeSource real_;
  double speed_;
  std::int64_t anchorStationMs_ = 0;
  std::int64_t anchorRealMs_ = 0;
  std::int64_t last_ = 0;
};

}  // namespace skyvane::sim
