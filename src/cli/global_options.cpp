#include "cli/global_options.h"

#include <cctype>
#include <limits>

namespace skyvane {

namespace {

// "--name VALUE" or "--name=VALUE"; i is advanced past what was used.
bool TakeValue(const std::vector<std::string>& argv, std::size_t& i, const std::string& name,
               std::string& value, bool& matched, std::string& error) {
  const std::string& arg = argv[i];
  matched = false;
  if (arg == name) {
    matched = true;
    if (i + 1 >= argv.size()) {
      error = "option " + name + " needs a value";
      return false;
    }
    value = argv[++i];
  } else if (arg.rfind(name + "=", 0) == 0) {
    matched = true;
    value = arg.substr(name.size() + 1);
  } else {
    return true;
  }
  if (value.empty()) {
    error = "option " + name + " needs a value";
    return false;
  }
  return true;
}

}  // namespace

bool ParseGlobalOptions(const std::vector<std::string>& argv, GlobalOptions& options,
                        std::string& error) {
  options = GlobalOptions{};
  int simOptions = 0;
  std::size_t i = 0;
  for (; i < argv.size(); ++i) {
    const std::string& arg = argv[i];
    if (arg.empty() || arg[0] != '-') break;
    if (arg == "--") {
      ++i;
      break;
    }
    if (arg == "--test-mode") {
      options.testMode = true;
    } else if (arg == "--trace") {
      options.trace = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--simulate") {
      options.simulate = std::filesystem::path();
    } else {
      std::string value;
      bool matched = false;
      if (!TakeValue(argv, i, "--folder", value, matched, error)) return false;
      if (matched) {
        options.folder = value;
        continue;
      }
      if (!TakeValue(argv, i, "--station-image", value, matched, error)) return false;
      if (matched) {
        options.stationImage = value;
        continue;
      }
      // Only the "=" form: "--simulate run" must leave the command alone.
      if (arg.rfind("--simulate=", 0) == 0) {
        if (!TakeValue(argv, i, "--simulate", value, matched, error)) return false;
        options.simulate = value;
        continue;
      }
      if (!TakeValue(argv, i, "--sim-speed", value, matched, error)) return false;
      if (matched) {
        if (!ParseCliNumber(value, 1, 1000000, options.simSpeed)) {
          error = "--sim-speed takes a whole number from 1 to 1000000, not '" + value + "'";
          return false;
        }
        ++simOptions;
        continue;
      }
      if (!TakeValue(argv, i, "--sim-seed", value, matched, error)) return false;
      if (matched) {
        long long seed = 0;
        if (!ParseCliNumber(value, 0, std::numeric_limits<long long>::max(), seed)) {
          error = "--sim-seed takes a whole number, not '" + value + "'";
          return false;
        }
        options.simSeed = seed;
        ++simOptions;
        continue;
      }
      error = "unknown option " + arg;
      return false;
    }
  }
  if (options.testMode && options.stationImage) {
    error = "--test-mode and --station-image cannot be used together";
    return false;
  }
  if (options.simulate && (options.testMode || options.stationImage)) {
    error = std::string("--simulate and ") + (options.testMode ? "--test-mode" : "--station-image") +
            " cannot be used together";
    return false;
  }
  if (simOptions > 0 && !options.simulate) {
    error = "--sim-speed and --sim-seed only go with --simulate";
    return false;
  }
  if (i < argv.size()) {
    options.command = argv[i];
    options.args.assign(argv.begin() + static_cast<std::ptrdiff_t>(i) + 1, argv.end());
  } else if (!options.help && !options.version) {
    error = "no command given";
    return false;
  }
  return true;
}

const char* GlobalOptionsHelp() {
  return "  --folder DIR          program folder (Skyvane.ini, Skyvane.dat, the transfer module)\n"
         "  --test-mode           use the built-in 512-byte test image instead of a station\n"
         "  --station-image FILE  use the virtual station on a raw 64 KiB image file\n"
         "  --simulate[=DIR]      use a live simulated station kept in DIR (default: station/ in\n"
         "                        the program folder); a file named faults in DIR asks for faults:\n"
         "                        lines 'silent', 'lose N', 'torn N', 'unplugged'\n"
         "  --sim-speed N         run the simulated station's time N times faster\n"
         "  --sim-seed S          repeatable weather for the simulated station\n"
         "  --trace               show every 8-byte report sent and received on standard error\n"
         "  --help                show this help\n"
         "  --version             show the version\n";
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
    v = v * base + digit;
    if (v > max) return false;  // also keeps v from overflowing
  }
  if (v < min) return false;
  value = v;
  return true;
}

}  // namespace skyvane
