// skyvane-cli record ADDR: the weather record at ADDR, decoded, one field a line.
#include <cstdio>
#include <ostream>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kRecordSynopsis = "record ADDR           print the weather record at ADDR, one field a line";

int RunRecord(CliContext& ctx, const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError(ctx, kRecordSynopsis);
  long long address = 0;
  if (!ParseAddressArgument(ctx, "record", args[0], address)) return kExitUsage;
  HistoryRow row;
  auto failure = [&] {
    char line[80];
    std::snprintf(line, sizeof line, "the weather record at 0x%04llX could not be read", address);
    return std::string(line);
  };
  return PrintRecordFromStation(
      ctx, row, row::stationAddress,
      [&] { return ctx.device.ReadWeatherRecord(static_cast<int>(address), row); }, failure);
}

CommandRegistrar reg{{"record", kRecordSynopsis, &RunRecord}};

}  // namespace

}  // namespace skyvane
