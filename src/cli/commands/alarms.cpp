// skyvane-cli alarms: the station's alarm block, one field a line.
#include <ostream>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/field_printer.h"
#include "core/station/station_device.h"
#include "core/units/record_display.h"

namespace skyvane {

namespace {

constexpr const char* kAlarmsSynopsis =
    "alarms [--display]    print the station's alarm block, one field a line (--display: as shown)";

int RunAlarms(CliContext& ctx, const std::vector<std::string>& args) {
  bool display = false;  // thresholds as display texts in the header's units
  if (!ParseFlagOnly(ctx, "alarms", kAlarmsSynopsis, "--display", args, display)) return kExitUsage;
  AlarmRecord alarms;
  HeaderRecord header;
  bool headerRead = true;
  auto read = [&] {
    headerRead = !display || ctx.device.ReadHeader(header);
    return headerRead && ctx.device.ReadAlarms(alarms);
  };
  auto failure = [&] {
    return std::string(headerRead ? "Read weather alarm data fail!" : "Read weather setup data fail!");
  };
  if (!ReadFromStation(ctx, read, failure)) return kExitFailure;
  if (display) AlarmsToDisplayUnits(alarms, header);
  PrintFields(ctx.out, alarms, alm::kHexDump);
  return kExitOk;
}

CommandRegistrar reg{{"alarms", kAlarmsSynopsis, &RunAlarms}};

}  // namespace

}  // namespace skyvane
