// skyvane-cli: parses the global options, builds the process-wide objects and
// hands them to one command.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_setup.h"
#include "cli/global_options.h"
#include "core/station/station_device.h"

namespace {

constexpr int kDefaultVendorId = 0x1941;
constexpr int kDefaultProductId = 0x8021;

std::filesystem::path ProgramFolder(const skyvane::GlobalOptions& options) {
  if (options.folder) return *options.folder;
  if (const char* home = std::getenv("SKYVANE_HOME"); home != nullptr && *home != '\0') return home;
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace skyvane;
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

  const std::filesystem::path folder = ProgramFolder(options);
  std::unique_ptr<StationDevice> device =
      MakeStationDevice(options, false, kDefaultVendorId, kDefaultProductId, folder, error);
  if (!device) {
    std::cerr << "skyvane-cli: " << error << "\n";
    return kExitFailure;
  }
  if (options.trace) TraceReports(*device, std::cerr);

  CliContext ctx;
  ctx.folder = folder;
  ctx.device = device.get();
  ctx.out = &std::cout;
  ctx.err = &std::cerr;
  return command->run(ctx, options.args);
}
