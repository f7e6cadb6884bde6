// skyvane-cli: parses the global options, builds the process-wide objects and
// hands them to one command.
#include <ctime>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_setup.h"
#include "cli/global_options.h"
#include "core/app/app_settings.h"
#include "core/app/clock.h"
#include "core/app/program_folder.h"
#include "core/app/text_table.h"
#include "core/station/chosen_station.h"
#include "core/station/station_device.h"

int main(int argc, char** argv) {
  using namespace skyvane;
  // The time zone is read once, before any thread: the C library's first
  // reading, made by the server's threads for their Date headers and by ours
  // for local times at the same moment, is shared state.
  tzset();
  std::vector<std::string> args(argv + 1, argv + argc);
  GlobalOptions options;
  std::string error;
  if (!ParseGlobalOptions(args, options, error)) {
    std::cerr << "skyvane-cli: " << error << "\nTry 'skyvane-cli --help'.\n";
    return kExitUsage;
  }
  if (options.help) {
    PrintHelp(std::cout);
    return kExitOk;
  }
  if (options.version) {
    std::cout << "skyvane-cli " << SKYVANE_VERSION << "\n";
    return kExitOk;
  }
  const CliCommand* command = FindCommand(options.command);
  if (command == nullptr) {
    std::cerr << "skyvane-cli: unknown command '" << options.command
              << "'\nTry 'skyvane-cli --help'.\n";
    return kExitUsage;
  }
  if (!command->ownHelp && AsksForHelp(options.args)) {
    PrintCommandHelp(*command, std::cout);
    return kExitOk;
  }

  std::optional<std::string> folderOption;
  if (options.folder) folderOption = options.folder->string();
  std::filesystem::path folder;
  if (!ResolveProgramFolder(CurrentProgramFolderInputs(folderOption), folder, error)) {
    std::cerr << "skyvane-cli: " << error << "\n";
    return kExitFailure;
  }
  AppSettings settings = LoadSettings(folder);
  TextTable text(settings.languageIndex);
  ChosenStation station = OpenChosenStation(options, settings, folder);
  if (!station.device) {
    std::cerr << "skyvane-cli: " << station.error << "\n";
    return kExitFailure;
  }
  for (const std::string& note : station.notes) std::cerr << "skyvane-cli: " << note << "\n";
  std::unique_ptr<StationDevice> device = std::move(station.device);
  if (options.trace) TraceReports(*device, std::cerr);

  CliContext ctx{folder, settings, text, *device, *station.clock, std::cout, std::cerr};
  return command->run(ctx, options.args);
}
