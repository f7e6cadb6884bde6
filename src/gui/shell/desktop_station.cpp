#include "gui/shell/desktop_station.h"

#include <system_error>

#include "core/app/app_settings.h"
#include "core/station/station_device.h"
#include "core/station/test_image.h"
#include "core/transfer/module_transfer.h"
#include "core/transfer/virtual_station.h"

namespace skyvane {

namespace {

constexpr const char* kSimulatedImageName = "Skyvane-station.img";

// The simulated station keeps its memory in an image of its own; a new one
// starts from the test image's blocks and records.
std::unique_ptr<VirtualStation> MakeSimulatedStation(const std::filesystem::path& folder, int vid,
                                                     int pid, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const std::filesystem::path image = folder / kSimulatedImageName;
  auto station = std::make_unique<VirtualStation>(vid, pid);
  if (!std::filesystem::exists(image)) {
    StationMemory seed;
    seed.Write(0, TestImage.data(), static_cast<int>(TestImage.size()));
    if (!seed.Save(image, error)) return nullptr;
  }
  if (!station->LoadImage(image, error)) return nullptr;
  return station;
}

}  // namespace

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
    const std::filesystem::path where =
        options.simulateFolder.empty() ? folder : std::filesystem::path(options.simulateFolder);
    auto station = MakeSimulatedStation(where, vid, pid, error);
    if (!station) return nullptr;
    return std::make_unique<StationDevice>(std::move(station), false, vid, pid);
  }
  const bool testMode = options.testMode || settings.TestOn();
  auto module = std::make_unique<ModuleTransfer>(TransferModuleCandidates(folder));
  return std::make_unique<StationDevice>(std::move(module), testMode, vid, pid);
}

}  // namespace skyvane
