// skyvane-cli dump ADDR LEN: station memory as hex, 16 bytes a line.
#include <cstdio>
#include <ostream>
#include <vector>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "core/app/station_options.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kDumpUsage = "dump ADDR LEN";
constexpr const char* kDumpSynopsis = "dump ADDR LEN         print LEN bytes of station memory from ADDR as hex";

// The bytes as hex, 16 a line, each line led by its address.
std::string HexLines(long long address, const std::vector<std::uint8_t>& bytes, long long count) {
  std::string text;
  char cell[8];
  for (long long i = 0; i < count; ++i) {
    if (i % 16 == 0) {
      if (i > 0) text += '\n';
      std::snprintf(cell, sizeof cell, "%04llX:", (address + i) & 0xFFFF);
      text += cell;
    }
    std::snprintf(cell, sizeof cell, " %02X", bytes[static_cast<std::size_t>(i)]);
    text += cell;
  }
  text += '\n';
  return text;
}

int RunDump(CliContext& ctx, const std::vector<std::string>& args) {
  long long address = 0;
  long long count = 0;
  if (args.size() != 2) {
    ctx.err << "skyvane-cli: usage: skyvane-cli [OPTIONS] " << kDumpUsage << "\n";
    return kExitUsage;
  }
  if (!ParseAddressArgument(ctx, "dump", args[0], address)) return kExitUsage;
  if (!ParseCliNumber(args[1], 1, 0x10000, count)) {
    ctx.err << "skyvane-cli: dump: LEN must be a number from 1 to 65536, not '" << args[1]
            << "'\n";
    return kExitUsage;
  }

  // The link fills whole 32-byte blocks.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>((count + 31) / 32 * 32), 0);
  int length = static_cast<int>(count);
  auto read = [&] {
    return ctx.device.Link().ReadBlocks(static_cast<std::uint16_t>(address), bytes.data(), length);
  };
  auto failure = [&] {
    char line[96];
    std::snprintf(line, sizeof line, "station memory could not be read at 0x%04llX (%d of %lld bytes)",
                  (address + length) & 0xFFFF, length, count);
    return std::string(line);
  };
  if (!ReadFromStation(ctx, read, failure)) return kExitFailure;
  ctx.out << HexLines(address, bytes, count);
  return kExitOk;
}

CommandRegistrar reg{{"dump", kDumpSynopsis, &RunDump}};

}  // namespace

}  // namespace skyvane
