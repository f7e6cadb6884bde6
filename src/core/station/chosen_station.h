#pragma once
// The station both programs run against, as their station options and the
// configuration choose it: the simulated station on --simulate, the virtual
// station on --station-image, else the transfer module from the program
// folder, in test mode on --test-mode or when the test switch is on.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/app/station_options.h"

namespace skyvane {

class StationDevice;
struct AppSettings;

struct ChosenStation {
  std::unique_ptr<StationDevice> device;  // null: error says why
  std::string error;
  // What the user should hear once about the start (standard error, and the
  // status bar of the desktop program).
  std::vector<std::string> notes;
};

ChosenStation OpenChosenStation(const StationOptions& options, const AppSettings& settings,
                                const std::filesystem::path& programFolder);

}  // namespace skyvane
