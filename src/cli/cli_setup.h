#pragma once
// What main() uses to build the process-wide objects of skyvane-cli and to
// dispatch a command; tests use the same pieces in-process.
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/global_options.h"

namespace skyvane {

// The command registered under this name, or null.
const CliCommand* FindCommand(const std::string& name);

void PrintHelp(std::ostream& out);

// Whether a command's arguments ask for its usage: --help or -h before any "--".
bool AsksForHelp(const std::vector<std::string>& args);

// "Usage: skyvane-cli [OPTIONS] " and the command's synopsis.
void PrintCommandHelp(const CliCommand& command, std::ostream& out);

// One hex line per report on out, "-> " for sent and "<- " for received.
void TraceReports(StationDevice& device, std::ostream& out);

}  // namespace skyvane
