// skyvane-cli current [--stored]: the current reading as the monitor shows it,
// one field a line; with --stored in the form the data file keeps.
#include <ostream>

#include "cli/cli.h"
#include "cli/current_reading.h"
#include "cli/data_file_access.h"
#include "cli/field_printer.h"
#include "cli/station_access.h"
#include "core/history/rain.h"
#include "core/units/record_display.h"

namespace skyvane {

namespace {

constexpr const char* kCurrentSynopsis =
    "current [--stored]    print the current reading in the station's units (--stored: as saved)";

int RunCurrent(CliContext& ctx, const std::vector<std::string>& args) {
  bool stored = false;
  for (const std::string& arg : args) {
    if (arg != "--stored") {
      *ctx.err << "skyvane-cli: current: unknown option '" << arg << "'\nusage: " << kCurrentSynopsis
               << "\n";
      return kExitUsage;
    }
    stored = true;
  }
  CliDataFile data;
  if (!data.Open(ctx)) return kExitFailure;
  DeviceBusyClaim claim;
  if (!OpenStation(ctx, claim)) return kExitFailure;
  HeaderRecord header;
  AlarmRecord alarms;
  HistoryRow row;
  const bool read = ReadCurrentBlocks(ctx, header, alarms, row);
  claim.Release();
  if (!read) return kExitFailure;
  DeriveRow(row, header, alarms);
  // The rain windows come from the stored history, as in the monitor.
  ComputeRainForCurrent(data.File(), row);
  if (!stored) RowToDisplayUnits(row, header);
  PrintFields(*ctx.out, row, row::stationAddress);
  return kExitOk;
}

CommandRegistrar reg{{"current", kCurrentSynopsis, &RunCurrent}};

}  // namespace

}  // namespace skyvane
