// skyvane-cli maxmin: the station's max/min block, one field a line.
#include <ostream>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/current_reading.h"
#include "cli/field_printer.h"
#include "cli/station_access.h"
#include "core/station/station_device.h"
#include "core/units/record_display.h"
#include "core/units/repair_maxmin.h"

namespace skyvane {

namespace {

constexpr const char* kMaxMinSynopsis =
    "maxmin [--display]    print the station's max/min block, one field a line (--display: as shown)";

int RunMaxMin(CliContext& ctx, const std::vector<std::string>& args) {
  bool display = false;  // display units, repaired with the current reading
  if (!ParseFlagOnly(ctx, "maxmin", kMaxMinSynopsis, "--display", args, display)) return kExitUsage;
  DeviceBusyClaim claim;
  if (!OpenStation(ctx, claim)) return kExitFailure;
  MaxMinRecord maxmin;
  const bool read = ctx.device.ReadMaxMin(maxmin);
  HeaderRecord header;
  AlarmRecord alarms;
  HistoryRow current;
  const bool currentRead =
      !read || !display || ReadCurrentBlocks(ctx, header, alarms, current);
  claim.Release();
  if (!read) {
    ctx.err << "skyvane-cli: Read weather scope data fail!\n";
    return kExitFailure;
  }
  if (!currentRead) return kExitFailure;
  if (display) {
    // The current reading as the monitor shows it repairs implausible extremes.
    DeriveRow(current, header, alarms);
    RowToDisplayUnits(current, header);
    MaxMinToDisplayUnits(maxmin, header);
    RepairMaxMin(maxmin, header, current);
  }
  PrintFields(ctx.out, maxmin, mm::kHexDump);
  return kExitOk;
}

CommandRegistrar reg{{"maxmin", kMaxMinSynopsis, &RunMaxMin}};

}  // namespace

}  // namespace skyvane
