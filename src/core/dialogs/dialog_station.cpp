#include "core/dialogs/dialog_station.h"

#include "core/station/station_device.h"

namespace skyvane {

DeviceBusyClaim ClaimForDialog(StationDevice& device, const BusySleep& sleep,
                               DialogMessages& messages) {
  DeviceBusyClaim claim = ClaimDeviceForUser(device.DeviceBusy(), sleep);
  if (!claim) messages.push_back(Txt::CantCommunicateWithDevice);
  return claim;
}

UnitsReading ReadUnitsForUser(StationDevice& device, const BusySleep& sleep) {
  UnitsReading reading;
  DeviceBusyClaim claim = ClaimForDialog(device, sleep, reading.messages);
  if (!claim) {
    reading.linkBusy = true;
    return reading;
  }
  // A failed read may leave part of the block behind: the defaults, then.
  if (!Noted(device.ReadHeader(reading.units), Txt::ReadSetupDataFail, reading.messages)) {
    reading.units = HeaderRecord();
  }
  return reading;
}

bool Noted(bool ok, Txt failure, DialogMessages& messages) {
  if (!ok) messages.push_back(failure);
  return ok;
}

}  // namespace skyvane
