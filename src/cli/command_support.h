#pragma once
// The steps most commands share: their usage errors, the address argument,
// and one read of the station with the link held only for the read.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/field_printer.h"
#include "core/station/text_record.h"

namespace skyvane {

// "skyvane-cli: usage: SYNOPSIS" on ctx.err; returns kExitUsage.
int UsageError(CliContext& ctx, const char* synopsis);

// Arguments that are either empty or the one flag: set tells whether it was
// given. Anything else is reported as "COMMAND: unknown option" with the
// synopsis, and gives false.
bool ParseFlagOnly(CliContext& ctx, const char* command, const char* synopsis, const char* flag,
                   const std::vector<std::string>& args, bool& set);

// A station address, 0 to 0xFFFF; else "COMMAND: ADDR must be ..." and false.
bool ParseAddressArgument(CliContext& ctx, const char* command, const std::string& text,
                          long long& address);

// Opens the station, runs read while holding the link and releases it. False
// when the station could not be opened (reported already) or read failed:
// then "skyvane-cli: " and failure() go to ctx.err as one line.
bool ReadFromStation(CliContext& ctx, const std::function<bool()>& read,
                     const std::function<std::string()>& failure);

// ReadFromStation for a command that prints the record read, one field a line
// from field first on; the command's exit status.
template <std::size_t N>
int PrintRecordFromStation(CliContext& ctx, const TextRecord<N>& record, std::size_t first,
                           const std::function<bool()>& read,
                           const std::function<std::string()>& failure) {
  if (!ReadFromStation(ctx, read, failure)) return kExitFailure;
  PrintFields(ctx.out, record, first);
  return kExitOk;
}

}  // namespace skyvane
