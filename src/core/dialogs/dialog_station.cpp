#include "core/dialogs/dialog_station.h"

#include "core/station/station_device.h"

namespace skyvane {

DeviceBusyClaim ClaimForDialog(StationDevice& device, const BusySleep& sleep,
                               DialogMessages& messages) {
  DeviceBusyClaim claim = ClaimDeviceForUser(device.DeviceBusy(), sleep);
  if (!claim) messages.push_back(Txt::CantCommunicateWithDevice);
  return claim;
}

bool Noted(bool ok, Txt failure, DialogMessages& messages) {
  if (!ok) messages.push_back(failure);
  return ok;
}

}  // namespace skyvane
