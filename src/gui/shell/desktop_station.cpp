#include "gui/shell/desktop_station.h"

#include "core/app/app_settings.h"
#include "core/station/station_device.h"
#include "core/transfer/module_transfer.h"
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
  // Until the live simulation exists, --simulate runs on the built-in test image.
  const bool testMode = options.testMode || options.simulate || settings.TestOn();
  auto module = std::make_unique<ModuleTransfer>(TransferModuleCandidates(folder));
  return std::make_unique<StationDevice>(std::move(module), testMode, vid, pid);
}

}  // namespace skyvane
