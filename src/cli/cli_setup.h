#pragma once
// What main() uses to build the process-wide objects of skyvane-cli and to
// dispatch a command; tests use the same pieces in-process.
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/global_options.h"

namespace skyvane {

// The command registered under this name, or null.
const CliCommand* FindCommand(const std::string& name);

void PrintHelp(std::ostream& out);

// The station the options ask for: the live simulated station on --simulate,
// the virtual station on --station-image,
// test mode on --test-mode (or when the configuration asks for it), else the
// transfer module from the program folder. Null, with a one-line reason in
// error, when the station image or the simulation folder cannot be used.
std::unique_ptr<StationDevice> MakeStationDevice(const GlobalOptions& options, bool configTestMode,
                                                 int vendorId, int productId,
                                                 const std::filesystem::path& folder,
                                                 std::string& error);

// One hex line per report on out, "-> " for sent and "<- " for received.
void TraceReports(StationDevice& device, std::ostream& out);

}  // namespace skyvane
