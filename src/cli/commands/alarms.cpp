// skyvane-cli alarms: the station's alarm block, one field a line.
#include <ostream>

#include "cli/cli.h"
#include "cli/field_printer.h"
#include "cli/station_access.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kAlarmsSynopsis = "alarms                print the station's alarm block, one field a line";

struct AlarmsOptions {};

bool ParseAlarmsOptions(const std::vector<std::string>& args, AlarmsOptions& /*options*/,
                        std::string& error) {
  for (const std::string& arg : args) {
    error = "alarms: unknown option '" + arg + "'";
    return false;
  }
  return true;
}

int RunAlarms(CliContext& ctx, const std::vector<std::string>& args) {
  AlarmsOptions options;
  std::string error;
  if (!ParseAlarmsOptions(args, options, error)) {
    *ctx.err << "skyvane-cli: " << error << "\nusage: " << kAlarmsSynopsis << "\n";
    return kExitUsage;
  }
  DeviceBusyClaim claim;
  if (!OpenStation(ctx, claim)) return kExitFailure;
  AlarmRecord alarms;
  const bool read = ctx.device->ReadAlarms(alarms);
  claim.Release();
  if (!read) {
    *ctx.err << "skyvane-cli: Read weather alarm data fail!\n";
    return kExitFailure;
  }
  PrintFields(*ctx.out, alarms, alm::kHexDump);
  return kExitOk;
}

CommandRegistrar reg{{"alarms", kAlarmsSynopsis, &RunAlarms}};

}  // namespace

}  // namespace skyvane
