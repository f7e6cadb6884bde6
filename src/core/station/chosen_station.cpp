#include "core/station/chosen_station.h"

#include "core/app/app_settings.h"
#include "core/station/station_device.h"
#include "core/transfer/module_transfer.h"
#include "core/transfer/simulated_station.h"
#include "core/transfer/virtual_station.h"

namespace skyvane {

ChosenStation OpenChosenStation(const StationOptions& options, const AppSettings& settings,
                                const std::filesystem::path& programFolder) {
  ChosenStation chosen;
  const int vid = static_cast<int>(settings.usbVendorId);
  const int pid = static_cast<int>(settings.usbProductId);
  const bool testMode = StationTestMode(options, settings.TestOn());
  if (std::string note = IgnoredTestFlagNote(options, settings.TestOn()); !note.empty()) {
    chosen.notes.push_back(std::move(note));
  }
  std::unique_ptr<Transfer> transfer;
  if (options.simulate) {
    SimOptions sim;
    sim.folder = options.simulate->empty() ? DefaultSimulationFolder(programFolder) : *options.simulate;
    sim.speed = static_cast<double>(options.simSpeed);
    if (options.simSeed) sim.seed = static_cast<std::uint64_t>(*options.simSeed);
    sim.vendorId = vid;
    sim.productId = pid;
    std::string notice;
    transfer = MakeSimulatedStation(sim, chosen.error, &notice);
    if (!transfer) return chosen;
    if (!notice.empty()) chosen.notes.push_back(std::move(notice));
  } else if (options.stationImage) {
    auto station = std::make_unique<VirtualStation>(vid, pid);
    if (!station->LoadImage(*options.stationImage, chosen.error)) return chosen;
    transfer = std::move(station);
  } else {
    transfer = std::make_unique<ModuleTransfer>(TransferModuleCandidates(programFolder));
  }
  chosen.device = std::make_unique<StationDevice>(std::move(transfer), testMode, vid, pid);
  return chosen;
}

}  // namespace skyvane
