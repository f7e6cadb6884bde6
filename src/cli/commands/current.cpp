// skyvane-cli current [--stored]: the current reading as the monitor shows it,
// one field a line; with --stored in the form the data file keeps.
#include <ostream>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/current_reading.h"
#include "cli/data_file_access.h"
#include "cli/field_printer.h"

namespace skyvane {

namespace {

constexpr const char* kCurrentSynopsis =
    "current [--stored]    print the current reading in the station's units (--stored: as saved)";

int RunCurrent(CliContext& ctx, const std::vector<std::string>& args) {
  bool stored = false;
  if (!ParseFlagOnly(ctx, "current", kCurrentSynopsis, "--stored", args, stored)) return kExitUsage;
  CliDataFile data(ctx.clock);
  if (!data.Open(ctx)) return kExitFailure;
  HeaderRecord header;
  AlarmRecord alarms;
  HistoryRow row;
  const ReadingUnits units = stored ? ReadingUnits::kStored : ReadingUnits::kDisplay;
  if (!ReadStationReading(ctx, data.File(), units, header, alarms, row)) return kExitFailure;
  PrintFields(ctx.out, row, row::stationAddress);
  return kExitOk;
}

CommandRegistrar reg{{"current", kCurrentSynopsis, &RunCurrent}};

}  // namespace

}  // namespace skyvane
