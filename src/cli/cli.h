#pragma once
// skyvane-cli: each command lives in its own file under src/cli/commands and
// registers itself with a CommandRegistrar; main() parses the global options,
// builds the context and dispatches.
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace skyvane {

class StationDevice;
struct AppSettings;
class TextTable;
class Clock;

// Exit statuses of every command.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the station or a file could not be read or written
constexpr int kExitUsage = 2;    // bad command line

struct CliContext {
  std::filesystem::path folder;  // the program folder
  AppSettings* settings = nullptr;
  TextTable* text = nullptr;
  StationDevice* device = nullptr;
  const Clock* clock = nullptr;  // "now" for commands that need it; null: the system clock
  std::ostream* out = nullptr;
  std::ostream* err = nullptr;
};

struct CliCommand {
  const char* name;
  const char* synopsis;  // one line for --help, e.g. "dump ADDR LEN   print station memory as hex"
  int (*run)(CliContext& ctx, const std::vector<std::string>& args);
};

std::vector<CliCommand>& CliCommands();

struct CommandRegistrar {
  explicit CommandRegistrar(CliCommand command) { CliCommands().push_back(command); }
};

}  // namespace skyvane
