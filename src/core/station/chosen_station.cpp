#include "core/station/chosen_station.h"

#include "core/app/app_settings.h"
#include "core/station/station_device.h"
#include "core/transfer/module_transfer.h"
#include "core/transfer/simulated_station.h"
#include "core/transfer/virtual_station.h"

namespace skyvane {
namespace {

// The simulated station's time as the program's clock.
class StationClock final : public Clock {
 public:
  explicit StationClock(SimulatedStation& station) : station_(station) {}
  std::time_t Now() const override { return static_cast<std::time_t>(station_.StationTime()); }

 private:
  SimulatedStation& station_;
};

}  // namespace

ChosenStation OpenChosenStation(const StationOptions& options, const AppSettings& settings,
                                const std::filesystem::path& programFolder, StationUse use) {
  ChosenStation chosen;
  const int vid = static_cast<int>(settings.usbVendorId);
  const int pid = static_cast<int>(settings.usbProductId);
  const bool testMode = StationTestMode(options, settings.TestOn());
  if (std::string note = IgnoredTestFlagNote(options, settings.TestOn()); !note.empty()) {
    chosen.notes.push_back(std::move(note));
  }
  std::unique_ptr<Transfer> transfer;
  if (use == StationUse::kLookOnly && (options.simulate || options.stationImage)) {
    // No transfer: a station that is never found.
  } else if (options.simulate) {
    SimOptions sim;
    sim.folder = options.simulate->empty() ? DefaultSimulationFolder(programFolder) : *options.simulate;
    sim.speed = static_cast<double>(options.simSpeed);
    if (options.simSeed) sim.seed = static_cast<std::uint64_t>(*options.simSeed);
    sim.vendorId = vid;
    sim.productId = pid;
    std::unique_ptr<SimulatedStation> simulated = SimulatedStation::Open(sim, chosen.error);
    if (!simulated) return chosen;
    if (!simulated->OpenNotice().empty()) chosen.notes.push_back(simulated->OpenNotice());
    chosen.clock = std::make_unique<StationClock>(*simulated);
    transfer = std::move(simulated);
  } else if (options.stationImage) {
    auto station = std::make_unique<VirtualStation>(vid, pid);
    if (!station->LoadImage(*options.stationImage, chosen.error)) return chosen;
    transfer = std::move(station);
  } else {
    transfer = std::make_unique<ModuleTransfer>(TransferModuleCandidates(programFolder));
  }
  chosen.device = std::make_unique<StationDevice>(std::move(transfer), testMode, vid, pid);
  if (!chosen.clock) chosen.clock = std::make_unique<SystemClock>();
  return chosen;
}

}  // namespace skyvane
