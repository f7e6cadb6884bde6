#pragma once
// The desktop program's command line.
#include <optional>
#include <string>
#include <vector>

#include "core/app/station_options.h"

namespace skyvane {

// The station options (station_options.h), shared with skyvane-cli, and the rest.
struct DesktopOptions : StationOptions {
  std::optional<std::string> folder;        // --folder DIR
  std::optional<std::string> mqtt;          // --mqtt URL: publish the readings to this broker
  bool help = false;                        // --help
  bool version = false;                     // --version
  bool dark = false;                        // --dark: the Fusion style with dark colours
};

// argv without the program name. False with a one-line reason on a usage error.
// Options the toolkit itself understands (-platform, -style, ...) must have been
// taken out before.
bool ParseDesktopOptions(const std::vector<std::string>& args, DesktopOptions& options,
                         std::string& error);

// Takes the toolkit's own options (-platform NAME, -style NAME, -display X, ...)
// out of args so that only the program's options remain.
std::vector<std::string> WithoutToolkitOptions(const std::vector<std::string>& args);

// The --help text.
std::string DesktopUsage();

}  // namespace skyvane
