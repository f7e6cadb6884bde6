// skyvane-cli header: the station's header block, one field a line.
#include <ostream>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kHeaderSynopsis = "header                print the station's header block, one field a line";

int RunHeader(CliContext& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) return UsageError(ctx, kHeaderSynopsis);
  HeaderRecord header;
  return PrintRecordFromStation(
      ctx, header, hdr::kHexDump, [&] { return ctx.device.ReadHeader(header); },
      [] { return std::string("Read weather setup data fail!"); });
}

CommandRegistrar reg{{"header", kHeaderSynopsis, &RunHeader}};

}  // namespace

}  // namespace skyvane
