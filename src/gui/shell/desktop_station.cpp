#include "gui/shell/desktop_station.h"

#include "core/app/app_settings.h"
#include "core/station/station_device.h"
#include "core/transfer/module_transfer.h"
#include "core/transfer/simulated_station.h"
#include "core/transfer/virtual_station.h"

namespace skyvane {


std::unique_ptr<StationDevice> MakeDesktopStation(const DesktopOptions& options,
                                                  const AppSettings& settings,
                                                  const std::filesystem::path& folder,
                                                  std::string& error) {
  const int vid = static_cast<int>(settings.usbVendorId);
  const int pid = static_cast<int>(settings.usbProductId);
  if (options.stationImage) {
    auto station = std::make_unique<VirtualStation>(vid, pid);
    if (!station->LoadImage(*options.stationImage, error)) return nullptr;
    return std::make_unique<StationDevice>(std::move(station), false, vid, pid);
  }
  if (options.simulate) {
    SimOptions sim;
    sim.folder = options.simulateFolder.empty() ? DefaultSimulationFolder(folder)
                                                : std::filesystem::path(options.simulateFolder);
    sim.vendorId = vid;
    sim.productId = pid;
    auto station = MakeSimulatedStation(sim, error);
    if (!station) return nullptr;
    return std::make_unique<StationDevice>(std::move(station), false, vid, pid);
  }
  const bool testMode = options.testMode || settings.TestOn();
  auto module = std::make_unique<ModuleTransfer>(TransferModuleCandidates(folder));
  return std::make_unique<StationDevice>(std::move(module), testMode, vid, pid);
}

}  // namespace skyvane
