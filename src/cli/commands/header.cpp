// skyvane-cli header: the station's header block, one field a line.
#include <ostream>

#include "cli/cli.h"
#include "cli/field_printer.h"
#include "cli/station_access.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kHeaderSynopsis = "header                print the station's header block, one field a line";

int RunHeader(CliContext& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) {
    ctx.err << "skyvane-cli: usage: " << kHeaderSynopsis << "\n";
    return kExitUsage;
  }
  DeviceBusyClaim claim;
  if (!OpenStation(ctx, claim)) return kExitFailure;
  HeaderRecord header;
  const bool read = ctx.device.ReadHeader(header);
  claim.Release();
  if (!read) {
    ctx.err << "skyvane-cli: Read weather setup data fail!\n";
    return kExitFailure;
  }
  PrintFields(ctx.out, header, hdr::kHexDump);
  return kExitOk;
}

CommandRegistrar reg{{"header", kHeaderSynopsis, &RunHeader}};

}  // namespace

}  // namespace skyvane
