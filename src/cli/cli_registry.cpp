#include "cli/cli.h"

namespace skyvane {

std::vector<CliCommand>& CliCommands() {
  static std::vector<CliCommand> commands;
  return commands;
}

}  // namespace skyvane
