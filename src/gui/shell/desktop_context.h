#pragma once
// The process-wide objects the desktop program's windows work with. They are
// created in main() before the main window and outlive it.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "gui/view/monitor_control.h"

namespace skyvane {

struct AppSettings;
class TextTable;
class StationDevice;
class HistoryFile;
class Clock;

struct DesktopContext {
  std::filesystem::path folder;  // the program folder
  AppSettings& settings;
  const TextTable& text;
  StationDevice& device;
  HistoryFile& file;
  const Clock& clock;
  std::vector<std::string> arguments;  // the command line, for a restart
  MonitorFactory monitorFactory;       // builds the bridge's monitor; none: no live updates
  // What start-up has to tell the user (also said on standard error): the
  // main frame shows it in pane 0 until the monitor's first status.
  std::vector<std::string> startNotes;
  std::optional<std::string> mqttUrl;  // --mqtt; else [mqtt] Url of Skyvane.ini
  // Another program polls this folder: the window only looks at its data.
  bool notPolling = false;
};

}  // namespace skyvane
