// skyvane-cli record ADDR: the weather record at ADDR, decoded, one field a line.
#include <cstdio>
#include <ostream>

#include "cli/cli.h"
#include "cli/field_printer.h"
#include "cli/global_options.h"
#include "cli/station_access.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kRecordSynopsis = "record ADDR           print the weather record at ADDR, one field a line";

int RunRecord(CliContext& ctx, const std::vector<std::string>& args) {
  if (args.size() != 1) {
    ctx.err << "skyvane-cli: usage: " << kRecordSynopsis << "\n";
    return kExitUsage;
  }
  long long address = 0;
  if (!ParseCliNumber(args[0], 0, 0xFFFF, address)) {
    ctx.err << "skyvane-cli: record: ADDR must be a number from 0 to 0xFFFF, not '" << args[0]
            << "'\n";
    return kExitUsage;
  }
  DeviceBusyClaim claim;
  if (!OpenStation(ctx, claim)) return kExitFailure;
  HistoryRow row;
  const bool read = ctx.device.ReadWeatherRecord(static_cast<int>(address), row);
  claim.Release();
  if (!read) {
    char line[80];
    std::snprintf(line, sizeof line,
                  "skyvane-cli: the weather record at 0x%04llX could not be read\n", address);
    ctx.err << line;
    return kExitFailure;
  }
  PrintFields(ctx.out, row, row::stationAddress);
  return kExitOk;
}

CommandRegistrar reg{{"record", kRecordSynopsis, &RunRecord}};

}  // namespace

}  // namespace skyvane
