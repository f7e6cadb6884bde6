#pragma once
// The simulated base unit at work on its memory: it refreshes the running
// record every 48 s of station time, starts the next ring slot when the
// logging interval has passed, keeps the max/min block and the current
// pressures, and takes in what the program wrote since it last looked.
#include <array>
#include <cstdint>

#include "core/transfer/sim/sim_state.h"
#include "core/transfer/sim/station_setup.h"
#include "core/transfer/sim/weather_model.h"

namespace skyvane::sim {

class StationSimulation {
 public:
  // The default offset between relative and absolute pressure: about 100 m above sea level.
  static constexpr int kDefaultRelativeOffset = 120;
  // The rain counter of a new station stands this far below its wrap.
  static constexpr int kStepsBeforeWrap = 30;

  explicit StationSimulation(const SimState& state) : state_(state), model_(state.seed) {}

  const SimState& State() const { return state_; }
  const WeatherModel& Model() const { return model_; }

  // A station set up `prefillDays` days before `now`, run up to `now`: the
  // ring then holds those days of history.
  void SetUp(MemorySpan memory, std::int64_t now, int prefillDays, int timeZoneHours);
  // Goes on from an image that comes without state: its header, counter and
  // pressures stay as they are, and its running record begins at `now`.
  void Adopt(MemorySpan memory, std::int64_t now);
  // Goes on from saved state with this memory, which must be in service
  // (IsInService); the next Run catches up the time since the state was saved.
  void Resume(ConstMemorySpan memory) { Remember(memory); }
  // Brings the memory up to station time `now`: first the program's writes
  // since the last call, then every refresh and slot change that is due.
  void Run(MemorySpan memory, std::int64_t now);

  // The most refreshes one Run catches up after the station was off for long:
  // older time would only be overwritten in the ring anyway.
  static constexpr std::int64_t kMaxCatchUpSeconds = 60LL * 86400;

 private:
  void TakeProgramWrites(MemorySpan memory);
  void Refresh(MemorySpan memory, std::int64_t t);
  void CloseSlot(MemorySpan memory, std::int64_t closeTime);
  void WriteRunningRecord(MemorySpan memory, std::int64_t t);
  void Remember(ConstMemorySpan memory);
  int AbsolutePressureNow(ConstMemorySpan memory) const;

  SimState state_;
  WeatherModel model_;
  // The fixed blocks as the station last left them: a difference is a write of the program.
  std::array<std::uint8_t, memmap::kRingFirst> shadow_{};
  bool rainWindowsFollowed_ = false;
};

}  // namespace skyvane::sim
