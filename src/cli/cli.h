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

// The process-wide objects, built once in main() and handed to the command.
struct CliContext {
  std::filesystem::path folder;  // the program folder
  AppSettings& settings;
  const TextTable& text;
  StationDevice& device;
  const Clock& clock;  // "now" for commands that need it
  std::ostream& out;
  std::ostream& err;
};

struct CliCommand {
  const char* name;
  const char* synopsis;  // one line for --help, e.g. "dump ADDR LEN   print station memory as hex"
  int (*run)(CliContext& ctx, const std::vector<std::string>& args);
  // True when the command answers --help itself (with the names it takes);
  // the others get their synopsis from the dispatcher, before any station opens.
  bool ownHelp = false;
};

std::vector<CliCommand>& CliCommands();

struct CommandRegistrar {
  explicit CommandRegistrar(CliCommand command) { CliCommands().push_back(command); }
};

}  // namespace skyvane
