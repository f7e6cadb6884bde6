#include "cli/station_access.h"

#include <ostream>

#include "core/app/text_table.h"
#include "core/dialogs/dialog_station.h"
#include "core/station/station_device.h"
#include "core/transfer/module_transfer.h"

namespace skyvane {

bool ConnectStation(CliContext& ctx) {
  StationDevice& device = ctx.device;
  if (!device.IsConnected() && !device.UpdateConnection()) {
    auto* module = dynamic_cast<ModuleTransfer*>(device.Link().transfer());
    if (module != nullptr && !module->IsLoaded()) {
      ctx.err << "skyvane-cli: no weather station found (the transfer module "
              << kTransferModuleName << " is missing)\n";
    } else {
      ctx.err << "skyvane-cli: no weather station found\n";
    }
    return false;
  }
  return true;
}

bool OpenStation(CliContext& ctx, DeviceBusyClaim& claim) {
  StationDevice& device = ctx.device;
  if (!ConnectStation(ctx)) return false;
  claim = ClaimDeviceForUser(device.DeviceBusy());
  if (!claim) {
    ctx.err << "skyvane-cli: " << ctx.text.Text(Txt::CantCommunicateWithDevice) << "\n";
    return false;
  }
  return true;
}

HeaderRecord ReadDisplayUnits(CliContext& ctx, const char* command) {
  if (!ConnectStation(ctx)) {
    ctx.err << "skyvane-cli: " << command << ": values in the default units\n";
    return HeaderRecord();
  }
  const UnitsReading reading = ReadUnitsForUser(ctx.device);
  for (const Txt message : reading.messages) {
    ctx.err << "skyvane-cli: " << ctx.text.Text(message) << " (values in the default units)\n";
  }
  return reading.units;
}

}  // namespace skyvane
