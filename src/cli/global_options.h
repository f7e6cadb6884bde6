#pragma once
// The options every skyvane-cli command shares. They come before the command
// name; everything after it belongs to the command.
#include <filesystem>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skyvane {

struct GlobalOptions {
  std::optional<std::filesystem::path> folder;        // --folder DIR
  bool testMode = false;                              // --test-mode
  std::optional<std::filesystem::path> stationImage;  // --station-image FILE
  bool trace = false;                                 // --trace
  // --simulate[=DIR]: the live simulated station; an empty path means its
  // default folder in the program folder.
  std::optional<std::filesystem::path> simulate;
  long long simSpeed = 1;                             // --sim-speed N
  std::optional<long long> simSeed;                   // --sim-seed S
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

// A number on the command line: decimal, or hexadecimal with a 0x prefix.
// False when the text is not such a number or lies outside [min, max].
bool ParseCliNumber(const std::string& text, long long min, long long max, long long& value);

}  // namespace skyvane
