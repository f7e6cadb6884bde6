#pragma once
// Test helpers: a StationDevice over the virtual station, or in test mode
// without the device-like pause.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/station/station_device.h"
#include "core/transfer/virtual_station.h"

namespace skyvane::test {

struct VirtualDevice {
  VirtualStation* station = nullptr;  // owned by the device
  std::unique_ptr<StationDevice> device;

  VirtualDevice() {
    auto transfer = std::make_unique<VirtualStation>();
    station = transfer.get();
    device = std::make_unique<StationDevice>(std::move(transfer), false, 0x1941, 0x8021);
    device->UpdateConnection();
  }

  void Put(std::uint16_t address, const std::vector<std::uint8_t>& bytes) {
    station->Memory().Write(address, bytes.data(), static_cast<int>(bytes.size()));
  }
  std::vector<std::uint8_t> Get(std::uint16_t address, int count) {
    std::vector<std::uint8_t> bytes(count);
    station->Memory().Read(address, bytes.data(), count);
    return bytes;
  }
  // How many commands of this kind (0xA1 read, 0xA0 write, 0xA2 write byte) the station took.
  int Commands(std::uint8_t kind) const {
    const auto reports = station->ReceivedReports();
    return static_cast<int>(std::count_if(reports.begin(), reports.end(), [&](const auto& r) {
      return r[0] == kind && r[4] == kind && r[3] == 0x20;
    }));
  }
};

inline std::unique_ptr<StationDevice> TestModeDevice() {
  auto device = std::make_unique<StationDevice>(nullptr, true, 0x1941, 0x8021);
  device->Link().SetTestPause(std::chrono::milliseconds(0));
  device->UpdateConnection();
  return device;
}

}  // namespace skyvane::test
