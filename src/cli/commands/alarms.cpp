// skyvane-cli alarms: the station's alarm block, one field a line.
#include <ostream>

#include "cli/cli.h"
#include "cli/field_printer.h"
#include "cli/station_access.h"
#include "core/station/station_device.h"
#include "core/units/record_display.h"

namespace skyvane {

namespace {

constexpr const char* kAlarmsSynopsis =
    "alarms [--display]    print the station's alarm block, one field a line (--display: as shown)";

struct AlarmsOptions {
  bool display = false;  // thresholds as display texts in the header's units
};

bool ParseAlarmsOptions(const std::vector<std::string>& args, AlarmsOptions& options,
                        std::string& error) {
  for (const std::string& arg : args) {
    if (arg == "--display") {
      options.display = true;
      continue;
    }
    error = "alarms: unknown option '" + arg + "'";
    return false;
  }
  return true;
}

int RunAlarms(CliContext& ctx, const std::vector<std::string>& args) {
  AlarmsOptions options;
  std::string error;
  if (!ParseAlarmsOptions(args, options, error)) {
    ctx.err << "skyvane-cli: " << error << "\nusage: " << kAlarmsSynopsis << "\n";
    return kExitUsage;
  }
  DeviceBusyClaim claim;
  if (!OpenStation(ctx, claim)) return kExitFailure;
  AlarmRecord alarms;
  HeaderRecord header;
  const bool headerRead = !options.display || ctx.device.ReadHeader(header);
  const bool read = headerRead && ctx.device.ReadAlarms(alarms);
  claim.Release();
  if (!headerRead) {
    ctx.err << "skyvane-cli: Read weather setup data fail!\n";
    return kExitFailure;
  }
  if (!read) {
    ctx.err << "skyvane-cli: Read weather alarm data fail!\n";
    return kExitFailure;
  }
  if (options.display) AlarmsToDisplayUnits(alarms, header);
  PrintFields(ctx.out, alarms, alm::kHexDump);
  return kExitOk;
}

CommandRegistrar reg{{"alarms", kAlarmsSynopsis, &RunAlarms}};

}  // namespace

}  // namespace skyvane
