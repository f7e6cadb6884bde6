#include "gui/shell/command_line.h"

namespace skyvane {

namespace {

// "--name VALUE" or "--name=VALUE"; i is advanced past a separate value.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::optional<std::string>& out, std::string& error) {
  const std::string& arg = args[i];
  std::string value;
  if (arg == name) {
    if (i + 1 >= args.size()) {
      error = name + " needs a value";
      return false;
    }
    value = args[++i];
  } else {
    value = arg.substr(name.size() + 1);
  }
  if (value.empty()) {
    error = name + " needs a value";
    return false;
  }
  if (out) {
    error = name + " given twice";
    return false;
  }
  out = value;
  return true;
}

bool Is(const std::string& arg, const std::string& name) {
  return arg == name || arg.rfind(name + "=", 0) == 0;
}

}  // namespace

bool ParseDesktopOptions(const std::vector<std::string>& args, DesktopOptions& options,
                         std::string& error) {
  options = DesktopOptions{};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const OptionTake take = TakeStationOption(args, i, options, error);
    if (take == OptionTake::kBad) return false;
    if (take == OptionTake::kTaken) continue;
    const std::string& arg = args[i];
    if (Is(arg, "--folder")) {
      if (!TakeValue(args, i, "--folder", options.folder, error)) return false;
    } else if (Is(arg, "--mqtt")) {
      if (!TakeValue(args, i, "--mqtt", options.mqtt, error)) return false;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version" || arg == "-V") {
      options.version = true;
    } else if (arg == "--dark") {
      options.dark = true;
    } else {
      error = "unknown option: " + arg;
      return false;
    }
  }
  return CheckStationOptions(options, error);
}

std::vector<std::string> WithoutToolkitOptions(const std::vector<std::string>& args) {
  static const char* const withValue[] = {"-platform", "-platformpluginpath", "-platformtheme",
                                          "-plugin", "-qwindowgeometry", "-qwindowicon",
                                          "-qwindowtitle", "-style", "-stylesheet", "-display",
                                          "-geometry", "-session", "-qmljsdebugger"};
  static const char* const alone[] = {"-reverse", "-nograb", "-dograb", "-sync", "-widgetcount"};
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool taken = false;
    for (const char* name : withValue) {
      if (arg == name) {
        ++i;  // and its value
        taken = true;
      } else if (arg.rfind(std::string(name) + "=", 0) == 0) {
        taken = true;
      }
    }
    for (const char* name : alone) taken = taken || arg == name;
    if (!taken) kept.push_back(arg);
  }
  return kept;
}

std::string DesktopUsage() {
  return std::string("Usage: skyvane [OPTIONS]\n"
                     "The desktop companion of a USB home weather station.\n"
                     "\n"
                     "  --folder DIR          keep Skyvane.ini and Skyvane.dat in DIR\n"
                     "  --mqtt URL            publish the readings to an MQTT broker\n"
                     "                        (mqtt[s]://[user@]host[:port][/prefix])\n") +
         StationOptionsHelp() +
         "  --dark                dark windows, whatever the desktop's theme\n"
         "  -h, --help            show this text and exit\n"
         "  -V, --version         show the version and exit\n";
}

}  // namespace skyvane
