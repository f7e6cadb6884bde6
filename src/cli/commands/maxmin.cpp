// skyvane-cli maxmin: the station's max/min block, one field a line.
#include <ostream>

#include "cli/cli.h"
#include "cli/field_printer.h"
#include "cli/station_access.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kMaxMinSynopsis = "maxmin                print the station's max/min block, one field a line";

struct MaxMinOptions {};

bool ParseMaxMinOptions(const std::vector<std::string>& args, MaxMinOptions& /*options*/,
                        std::string& error) {
  for (const std::string& arg : args) {
    error = "maxmin: unknown option '" + arg + "'";
    return false;
  }
  return true;
}

int RunMaxMin(CliContext& ctx, const std::vector<std::string>& args) {
  MaxMinOptions options;
  std::string error;
  if (!ParseMaxMinOptions(args, options, error)) {
    *ctx.err << "skyvane-cli: " << error << "\nusage: " << kMaxMinSynopsis << "\n";
    return kExitUsage;
  }
  DeviceBusyClaim claim;
  if (!OpenStation(ctx, claim)) return kExitFailure;
  MaxMinRecord maxmin;
  const bool read = ctx.device->ReadMaxMin(maxmin);
  claim.Release();
  if (!read) {
    *ctx.err << "skyvane-cli: Read weather scope data fail!\n";
    return kExitFailure;
  }
  PrintFields(*ctx.out, maxmin, mm::kHexDump);
  return kExitOk;
}

CommandRegistrar reg{{"maxmin", kMaxMinSynopsis, &RunMaxMin}};

}  // namespace

}  // namespace skyvane
