#pragma once
// A live virtual station for demos, tests and benchmarks: the virtual
// station's 64 KiB memory and report protocol, with a base unit at work
// behind it. Its memory lives in a folder as "station.img" beside a small
// "station.state"; weather moves, the history ring advances, writes from the
// program take effect, and a restart catches up the time it was off.
//
// Front ends call MakeSimulatedStation for --simulate[=DIR] and hand the
// result to StationDevice as its transfer:
//   SimOptions sim;
//   sim.folder = DefaultSimulationFolder(programFolder);   // or DIR
//   sim.speed = 600;                                         // --sim-speed
//   auto transfer = MakeSimulatedStation(sim, error);        // null: error says why
//   StationDevice device(std::move(transfer), false, vid, pid);
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>

#include "core/transfer/sim/sim_clock.h"
#include "core/transfer/sim/sim_faults.h"
#include "core/transfer/sim/station_simulation.h"
#include "core/transfer/transfer.h"
#include "core/transfer/virtual_station.h"

namespace skyvane {

inline constexpr const char* kSimImageName = "station.img";
inline constexpr const char* kSimStateName = "station.state";
inline constexpr const char* kSimFaultsName = "faults";  // see sim_faults.h

struct SimOptions {
  std::filesystem::path folder;        // created when missing
  double speed = 1.0;                  // station seconds per real second
  std::optional<std::uint64_t> seed;   // else the saved seed, else a fresh one
  int prefillDays = 3;                 // history a new station starts with
  std::optional<int> timeZoneHours;    // of a new station; else this machine's
  int vendorId = 0x1941;               // the ids the station answers to
  int productId = 0x8021;
  sim::RealTimeSource realTime;        // null: the system clock (tests drive their own)
};

// "station" inside the program folder.
std::filesystem::path DefaultSimulationFolder(const std::filesystem::path& programFolder);

class SimulatedStation final : public Transfer {
 public:
  // Null, with a one-line reason, when the folder cannot be made or written,
  // or holds an image that is not a 64 KiB station image (it is left alone),
  // or a state file that can neither be read nor set aside.
  static std::unique_ptr<SimulatedStation> Open(const SimOptions& options, std::string& error);
  ~SimulatedStation() override;  // saves image and state

  int FindHandle(int vendorId, int productId) override;
  std::uint8_t CheckHandle(int handle) override;
  std::uint8_t WriteData(int handle, const std::uint8_t* report8) override;
  std::uint8_t ReadData(int handle, std::uint8_t* report8) override;

  // The station underneath, for its own fault injection and direct looks.
  VirtualStation& Station() { return station_; }
  // Faults as if the faults file said so (until that file changes).
  void SetFaults(const sim::SimFaults& faults);
  // The faults in force, after a look at the faults file.
  sim::SimFaults Faults();
  // Why the faults file was not fully understood; empty when it was.
  std::string FaultsError();
  // Brings the memory up to the current station time without a command.
  void CatchUp();
  std::int64_t StationTime();
  sim::SimState State();
  bool Save(std::string& error);
  // What the user should hear about the start: a state file that could not be
  // read and was set aside. Empty when there is nothing to say.
  const std::string& OpenNotice() const { return openNotice_; }

 private:
  SimulatedStation(const SimOptions& options, const sim::SimState& state);
  void OnCommand(StationMemory& memory, const report::Report& command);
  void TearIfDue(StationMemory& memory, const report::Report& command);
  bool SaveLocked(const StationMemory& memory, std::string& error);
  void PollFaultsFile();
  void ApplyFaults(const sim::SimFaults& faults);
  bool Chance(int oneIn);

  std::filesystem::path folder_;
  VirtualStation station_;
  sim::SimClock clock_;
  sim::StationSimulation sim_;  // touched only under the station's lock (hook or WithMemory)
  std::int64_t lastSaveMs_ = 0;
  std::optional<std::pair<std::uint16_t, std::array<std::uint8_t, memmap::kBlockSize>>> torn_;

  mutable std::mutex faultsMutex_;
  sim::SimFaults faults_;
  std::string faultsError_;
  std::mt19937_64 random_;
  std::mutex pollMutex_;  // one look at the faults file at a time
  std::int64_t nextFaultsPollMs_ = 0;
  std::filesystem::file_time_type faultsStamp_{};
  bool faultsFileSeen_ = false;
  std::string openNotice_;
};

// The same, as the transfer a StationDevice takes; notice, when given, gets
// the station's OpenNotice.
std::unique_ptr<Transfer> MakeSimulatedStation(const SimOptions& options, std::string& error,
                                               std::string* notice = nullptr);

}  // namespace skyvane
