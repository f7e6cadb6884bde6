#pragma once
// The station both programs run against, as their station options and the
// configuration choose it: the simulated station on --simulate, the virtual
// station on --station-image, else the transfer module from the program
// folder, in test mode on --test-mode or when the test switch is on.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/app/clock.h"
#include "core/app/station_options.h"

namespace skyvane {

class StationDevice;
struct AppSettings;

struct ChosenStation {
  std::unique_ptr<StationDevice> device;  // null: error says why
  // The program's "now": the system clock, but the station's own time for a
  // simulated station, which may run faster than real time. Records are timed
  // against it, so that a station ahead of the wall clock never looks as if
  // its records came from the future. Outlives no device: keep it beside it.
  std::unique_ptr<Clock> clock;
  std::string error;
  // What the user should hear once about the start (standard error, and the
  // status bar of the desktop program).
  std::vector<std::string> notes;
};

enum class StationUse {
  kPoll,      // this program holds the folder's poller lock
  kLookOnly,  // another program polls: its station files are not ours to open
};

// With kLookOnly, a simulated station or a station image is not opened at all
// (the poller runs it; a second program would write its files under it): the
// device then never finds a station.
ChosenStation OpenChosenStation(const StationOptions& options, const AppSettings& settings,
                                const std::filesystem::path& programFolder,
                                StationUse use = StationUse::kPoll);

}  // namespace skyvane
