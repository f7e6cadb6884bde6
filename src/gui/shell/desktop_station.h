#pragma once
// The station the desktop program talks to: the hardware module, test mode,
// a virtual station kept in an image file, or a simulated one.
#include <filesystem>
#include <memory>
#include <string>

#include "gui/shell/command_line.h"

namespace skyvane {

class StationDevice;
struct AppSettings;

// Null, with a one-line reason in error, when the chosen station cannot be used.
std::unique_ptr<StationDevice> MakeDesktopStation(const DesktopOptions& options,
                                                  const AppSettings& settings,
                                                  const std::filesystem::path& folder,
                                                  std::string& error);

}  // namespace skyvane
