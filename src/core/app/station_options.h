#pragma once
// The command-line options that choose the station. skyvane and skyvane-cli
// take the same ones, parsed here once:
//   --test-mode, --station-image FILE, --simulate[=DIR], --sim-speed N, --sim-seed S
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace skyvane {

struct StationOptions {
  bool testMode = false;                              // --test-mode
  std::optional<std::filesystem::path> stationImage;  // --station-image FILE
  // --simulate[=DIR]: the live simulated station; an empty path means its
  // default folder in the program folder.
  std::optional<std::filesystem::path> simulate;
  long long simSpeed = 1;                             // --sim-speed N
  std::optional<long long> simSeed;                   // --sim-seed S
  bool simTuned = false;                              // --sim-speed or --sim-seed given

  // A station named on the command line: the virtual or the simulated one.
  bool NamesAStation() const { return stationImage.has_value() || simulate.has_value(); }
};

enum class OptionTake {
  kNotMine,  // args[i] is no station option
  kTaken,    // taken, with its value
  kBad,      // a station option with a bad value; error says why
};

// Takes the station option at args[i]; i is advanced past a separate value.
// "--simulate" takes a folder only after "=", so "--simulate run" leaves the
// word after it alone.
OptionTake TakeStationOption(const std::vector<std::string>& args, std::size_t& i,
                             StationOptions& options, std::string& error);

// After all options: false with a one-line reason when they contradict each other.
bool CheckStationOptions(const StationOptions& options, std::string& error);

// The synopsis of the station options, for --help (lines indented by two blanks).
const char* StationOptionsHelp();

// Whether the station link runs on the built-in test image: --test-mode, or
// the configuration's test switch when no station was named. The test image
// is a station of its own; a named station is never run in test mode.
bool StationTestMode(const StationOptions& options, bool configTestMode);

// The line for standard error when the configuration's test switch is set but
// a named station overrides it; empty otherwise.
std::string IgnoredTestFlagNote(const StationOptions& options, bool configTestMode);

// A number on the command line: decimal, or hexadecimal with a 0x prefix.
// False when the text is not such a number or lies outside [min, max].
bool ParseCliNumber(const std::string& text, long long min, long long max, long long& value);

}  // namespace skyvane
