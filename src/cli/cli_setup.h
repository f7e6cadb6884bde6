#pragma once
// What main() uses to build the process-wide objects of skyvane-cli and to
// dispatch a command; tests use the same pieces in-process.
#include <iosfwd>
#include <string>

#include "cli/cli.h"
#include "cli/global_options.h"

namespace skyvane {

// The command registered under this name, or null.
const CliCommand* FindCommand(const std::string& name);

void PrintHelp(std::ostream& out);

// One hex line per report on out, "-> " for sent and "<- " for received.
void TraceReports(StationDevice& device, std::ostream& out);

}  // namespace skyvane
