#include "core/station/station_device.h"

namespace skyvane {

StationDevice::StationDevice(std::unique_ptr<Transfer> transfer, bool testMode, int vendorId,
                             int productId)
    : link_(std::move(transfer), testMode), vendorId_(vendorId), productId_(productId) {}

// The link owns the transfer module; destroying it unloads the module.
StationDevice::~StationDevice() = default;

bool StationDevice::UpdateConnection() {
  if (!link_.connected) {
    if (link_.FindStation(vendorId_, productId_)) {
      link_.connected = true;
      linkChanged_ = true;
      watchEnabled_ = false;
      return true;
    }
    link_.connected = false;
    linkChanged_ = false;
    return false;
  }
  if (link_.CheckStation()) {
    link_.connected = true;
    linkChanged_ = false;
    return true;
  }
  link_.connected = false;
  linkChanged_ = true;
  return false;
}

}  // namespace skyvane
