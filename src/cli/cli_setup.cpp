#include "cli/cli_setup.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "core/station/station_device.h"
#include "core/transfer/module_transfer.h"
#include "core/transfer/simulated_station.h"
#include "core/transfer/virtual_station.h"

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

std::unique_ptr<StationDevice> MakeStationDevice(const GlobalOptions& options, bool configTestMode,
                                                 int vendorId, int productId,
                                                 const std::filesystem::path& folder,
                                                 std::string& error) {
  if (options.simulate) {
    SimOptions sim;
    sim.folder = options.simulate->empty() ? DefaultSimulationFolder(folder) : *options.simulate;
    sim.speed = static_cast<double>(options.simSpeed);
    if (options.simSeed) sim.seed = static_cast<std::uint64_t>(*options.simSeed);
    sim.vendorId = vendorId;
    sim.productId = productId;
    auto station = MakeSimulatedStation(sim, error);
    if (!station) return nullptr;
    return std::make_unique<StationDevice>(std::move(station), false, vendorId, productId);
  }
  if (options.stationImage) {
    auto station = std::make_unique<VirtualStation>(vendorId, productId);
    if (!station->LoadImage(*options.stationImage, error)) return nullptr;
    return std::make_unique<StationDevice>(std::move(station), false, vendorId, productId);
  }
  const bool testMode = options.testMode || configTestMode;
  auto module = std::make_unique<ModuleTransfer>(TransferModuleCandidates(folder));
  return std::make_unique<StationDevice>(std::move(module), testMode, vendorId, productId);
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
