#include "cli/cli_setup.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "core/station/station_device.h"

namespace skyvane {

const CliCommand* FindCommand(const std::string& name) {
  for (const auto& command : CliCommands()) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

void PrintHelp(std::ostream& out) {
  out << "Usage: skyvane-cli [OPTIONS] COMMAND [ARGS]\n"
      << "Reads and writes the memory of a USB weather station.\n\n"
      << "Options:\n"
      << GlobalOptionsHelp() << "\nCommands:\n";
  std::vector<const CliCommand*> commands;
  for (const auto& command : CliCommands()) commands.push_back(&command);
  std::sort(commands.begin(), commands.end(), [](const CliCommand* a, const CliCommand* b) {
    return std::string(a->name) < b->name;
  });
  for (const auto* command : commands) out << "  " << command->synopsis << "\n";
  out << "\nNumbers are decimal or hexadecimal with 0x. Exit status: 0 success, "
         "1 the station or a file failed, 2 bad command line.\n";
}

bool AsksForHelp(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--") return false;
    if (arg == "--help" || arg == "-h") return true;
  }
  return false;
}

void PrintCommandHelp(const CliCommand& command, std::ostream& out) {
  out << "Usage: skyvane-cli [OPTIONS] " << command.synopsis << "\n";
}

void TraceReports(StationDevice& device, std::ostream& out) {
  device.Link().SetTrace([&out](bool sent, const std::uint8_t* r) {
    char line[40];
    std::snprintf(line, sizeof line, "%s %02X %02X %02X %02X %02X %02X %02X %02X\n",
                  sent ? "->" : "<-", r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7]);
    out << line << std::flush;
  });
}

}  // namespace skyvane
