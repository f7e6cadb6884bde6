#include "cli/command_support.h"

#include <ostream>

#include "core/app/station_options.h"
#include "cli/station_access.h"

namespace skyvane {

int UsageError(CliContext& ctx, const char* synopsis) {
  ctx.err << "skyvane-cli: usage: " << synopsis << "\n";
  return kExitUsage;
}

bool ParseFlagOnly(CliContext& ctx, const char* command, const char* synopsis, const char* flag,
                   const std::vector<std::string>& args, bool& set) {
  for (const std::string& arg : args) {
    if (arg != flag) {
      ctx.err << "skyvane-cli: " << command << ": unknown option '" << arg << "'\nusage: " << synopsis
              << "\n";
      return false;
    }
    set = true;
  }
  return true;
}

bool ParseAddressArgument(CliContext& ctx, const char* command, const std::string& text,
                          long long& address) {
  if (ParseCliNumber(text, 0, 0xFFFF, address)) return true;
  ctx.err << "skyvane-cli: " << command << ": ADDR must be a number from 0 to 0xFFFF, not '" << text
          << "'\n";
  return false;
}

bool ReadFromStation(CliContext& ctx, const std::function<bool()>& read,
                     const std::function<std::string()>& failure) {
  DeviceBusyClaim claim;
  if (!OpenStation(ctx, claim)) return false;
  const bool done = read();
  claim.Release();
  if (!done) ctx.err << "skyvane-cli: " << failure() << "\n";
  return done;
}

}  // namespace skyvane
