#include "core/app/station_options.h"

#include <cctype>
#include <limits>

namespace skyvane {

namespace {

// "--name VALUE" or "--name=VALUE"; i is advanced past a separate value.
OptionTake TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
                     std::string& value, std::string& error) {
  const std::string& arg = args[i];
  if (arg == name) {
    if (i + 1 >= args.size()) {
      error = "option " + name + " needs a value";
      return OptionTake::kBad;
    }
    value = args[++i];
  } else if (arg.rfind(name + "=", 0) == 0) {
    value = arg.substr(name.size() + 1);
  } else {
    return OptionTake::kNotMine;
  }
  if (value.empty()) {
    error = "option " + name + " needs a value";
    return OptionTake::kBad;
  }
  return OptionTake::kTaken;
}

}  // namespace

OptionTake TakeStationOption(const std::vector<std::string>& args, std::size_t& i,
                             StationOptions& options, std::string& error) {
  const std::string& arg = args[i];
  if (arg == "--test-mode") {
    options.testMode = true;
    return OptionTake::kTaken;
  }
  if (arg == "--simulate") {
    options.simulate = std::filesystem::path();
    return OptionTake::kTaken;
  }
  std::string value;
  OptionTake take = OptionTake::kNotMine;
  if (arg.rfind("--simulate=", 0) == 0) {
    take = TakeValue(args, i, "--simulate", value, error);
    if (take == OptionTake::kTaken) options.simulate = value;
    return take;
  }
  take = TakeValue(args, i, "--station-image", value, error);
  if (take != OptionTake::kNotMine) {
    if (take == OptionTake::kTaken) options.stationImage = value;
    return take;
  }
  take = TakeValue(args, i, "--sim-speed", value, error);
  if (take != OptionTake::kNotMine) {
    if (take == OptionTake::kBad) return take;
    if (!ParseCliNumber(value, 1, 1000000, options.simSpeed)) {
      error = "--sim-speed takes a whole number from 1 to 1000000, not '" + value + "'";
      return OptionTake::kBad;
    }
    options.simTuned = true;
    return take;
  }
  take = TakeValue(args, i, "--sim-seed", value, error);
  if (take != OptionTake::kNotMine) {
    if (take == OptionTake::kBad) return take;
    long long seed = 0;
    if (!ParseCliNumber(value, 0, std::numeric_limits<long long>::max(), seed)) {
      error = "--sim-seed takes a whole number, not '" + value + "'";
      return OptionTake::kBad;
    }
    options.simSeed = seed;
    options.simTuned = true;
    return take;
  }
  return OptionTake::kNotMine;
}

bool CheckStationOptions(const StationOptions& options, std::string& error) {
  if (options.testMode && options.stationImage) {
    error = "--test-mode and --station-image cannot be used together";
    return false;
  }
  if (options.simulate && (options.testMode || options.stationImage)) {
    error = std::string("--simulate and ") + (options.testMode ? "--test-mode" : "--station-image") +
            " cannot be used together";
    return false;
  }
  if (options.simTuned && !options.simulate) {
    error = "--sim-speed and --sim-seed only go with --simulate";
    return false;
  }
  return true;
}

const char* StationOptionsHelp() {
  return "  --test-mode           use the built-in 512-byte test image instead of a station\n"
         "  --station-image FILE  use the virtual station on a raw 64 KiB image file\n"
         "  --simulate[=DIR]      use a live simulated station kept in DIR (default: station/ in\n"
         "                        the program folder); a file named faults in DIR asks for faults:\n"
         "                        lines 'silent', 'lose N', 'torn N', 'unplugged'\n"
         "  --sim-speed N         run the simulated station's time N times faster\n"
         "  --sim-seed S          repeatable weather for the simulated station\n";
}

bool StationTestMode(const StationOptions& options, bool configTestMode) {
  return options.testMode || (configTestMode && !options.NamesAStation());
}

std::string IgnoredTestFlagNote(const StationOptions& options, bool configTestMode) {
  if (!configTestMode || !options.NamesAStation()) return {};
  return std::string("TestFlag in Skyvane.ini is ignored with ") +
         (options.simulate ? "--simulate" : "--station-image") +
         ": test mode runs only on the built-in test image";
}

bool ParseCliNumber(const std::string& text, long long min, long long max, long long& value) {
  std::size_t pos = 0;
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    pos = 2;
  }
  if (pos >= text.size()) return false;
  long long v = 0;
  for (; pos < text.size(); ++pos) {
    const unsigned char c = static_cast<unsigned char>(text[pos]);
    int digit;
    if (std::isdigit(c)) {
      digit = c - '0';
    } else if (base == 16 && std::isxdigit(c)) {
      digit = std::tolower(c) - 'a' + 10;
    } else {
      return false;
    }
    if (v > (max - digit) / base) return false;  // checked before it could overflow
    v = v * base + digit;
  }
  if (v < min) return false;
  value = v;
  return true;
}

}  // namespace skyvane
