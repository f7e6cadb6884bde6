#include "cli/global_options.h"

#include <string>

namespace skyvane {

namespace {

// "--folder DIR" or "--folder=DIR"; i is advanced past a separate value.
bool TakeFolder(const std::vector<std::string>& argv, std::size_t& i, GlobalOptions& options,
                std::string& error) {
  const std::string& arg = argv[i];
  std::string value;
  if (arg == "--folder") {
    if (i + 1 < argv.size()) value = argv[++i];
  } else {
    value = arg.substr(9);
  }
  if (value.empty()) {
    error = "option --folder needs a value";
    return false;
  }
  options.folder = value;
  return true;
}

}  // namespace

bool ParseGlobalOptions(const std::vector<std::string>& argv, GlobalOptions& options,
                        std::string& error) {
  options = GlobalOptions{};
  std::size_t i = 0;
  for (; i < argv.size(); ++i) {
    const std::string& arg = argv[i];
    if (arg.empty() || arg[0] != '-') break;
    if (arg == "--") {
      ++i;
      break;
    }
    const OptionTake take = TakeStationOption(argv, i, options, error);
    if (take == OptionTake::kBad) return false;
    if (take == OptionTake::kTaken) continue;
    if (arg == "--trace") {
      options.trace = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version" || arg == "-V") {
      options.version = true;
    } else if (arg == "--folder" || arg.rfind("--folder=", 0) == 0) {
      if (!TakeFolder(argv, i, options, error)) return false;
    } else {
      error = "unknown option " + arg;
      return false;
    }
  }
  if (!CheckStationOptions(options, error)) return false;
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
  static const std::string help =
      std::string("  --folder DIR          program folder (Skyvane.ini, Skyvane.dat, the transfer module)\n") +
      StationOptionsHelp() +
      "  --trace               show every 8-byte report sent and received on standard error\n"
      "  -h, --help            show this help (after a command: that command's usage)\n"
      "  -V, --version         show the version\n";
  return help.c_str();
}

}  // namespace skyvane
