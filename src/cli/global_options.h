#pragma once
// The options every skyvane-cli command shares. They come before the command
// name; everything after it belongs to the command.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/app/station_options.h"

namespace skyvane {

// The station options (station_options.h) and the rest.
struct GlobalOptions : StationOptions {
  std::optional<std::filesystem::path> folder;        // --folder DIR
  bool trace = false;                                 // --trace
  bool help = false;                                  // --help
  bool version = false;                               // --version
  std::string command;                                // empty with --help / --version
  std::vector<std::string> args;                      // the command's own arguments
};

// False with a one-line reason on a usage error.
bool ParseGlobalOptions(const std::vector<std::string>& argv, GlobalOptions& options,
                        std::string& error);

// The synopsis of the global options, for --help.
const char* GlobalOptionsHelp();

}  // namespace skyvane
