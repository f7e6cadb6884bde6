// skyvane: the desktop program. Builds the process-wide objects (program
// folder, data file, settings, text table, station), then the main window.
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/app/app_settings.h"
#include "core/app/clock.h"
#include "core/app/program_folder.h"
#include "core/app/text_table.h"
#include "core/history/history_file.h"
#include "core/history/poller_lock.h"
#include "core/station/chosen_station.h"
#include "core/station/station_device.h"
#include "gui/shell/command_line.h"
#include "gui/shell/dark_colours.h"
#include "gui/shell/desktop_context.h"
#include "gui/shell/desktop_resources.h"
#include "gui/shell/frame_windows.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/quit_signals.h"
#include "gui/view/monitor_thread_control.h"

namespace {

constexpr const char* kDataFileName = "Skyvane.dat";

}  // namespace

int main(int argc, char** argv) {
  using namespace skyvane;
  const std::vector<std::string> arguments(argv, argv + argc);
  DesktopOptions options;
  std::string error;
  const std::vector<std::string> own =
      WithoutToolkitOptions(std::vector<std::string>(arguments.begin() + 1, arguments.end()));
  if (!ParseDesktopOptions(own, options, error)) {
    std::fprintf(stderr, "skyvane: %s\nTry 'skyvane --help'.\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(DesktopUsage().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("skyvane %s\n", SKYVANE_VERSION);
    return 0;
  }

  // The program folder is the current directory; every file lives there.
  std::filesystem::path folder;
  if (!ResolveProgramFolder(CurrentProgramFolderInputs(options.folder), folder, error)) {
    std::fprintf(stderr, "skyvane: %s\n", error.c_str());
    return 1;
  }
  if (::chdir(folder.c_str()) != 0) {
    std::fprintf(stderr, "skyvane: cannot enter %s\n", folder.c_str());
    return 1;
  }

  AppSettings settings = LoadSettings(folder);
  TextTable text(settings.languageIndex);

  // Another program polls into this folder (the logger service, say): look
  // at its data without polling, and never write to it.
  PollerLock pollerLock((folder / kDataFileName).string());
  std::string notPolling;
  if (!pollerLock.MayPoll()) {
    notPolling = FillIn(text.Text(Txt::DataFileInUse), {std::to_string(pollerLock.holderPid())});
    std::fprintf(stderr, "skyvane: %s\n", notPolling.c_str());
  }

  ChosenStation station = OpenChosenStation(options, settings, folder,
                                            notPolling.empty() ? StationUse::kPoll : StationUse::kLookOnly);
  if (!station.device) {
    std::fprintf(stderr, "skyvane: %s\n", station.error.c_str());
    return 1;
  }
  for (const std::string& note : station.notes) std::fprintf(stderr, "skyvane: %s\n", note.c_str());
  std::unique_ptr<StationDevice> device = std::move(station.device);
  const Clock& clock = *station.clock;
  HistoryFile file(clock);
  file.OpenFile((folder / kDataFileName).string());  // history operations report their own failures
  if (!notPolling.empty()) file.KeepReadOnly();

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Skyvane"));
  QApplication::setApplicationVersion(QStringLiteral(SKYVANE_VERSION));
  InitDesktopResources();
  if (options.dark) UseDarkColours();
  QIcon icon;
  icon.addFile(QStringLiteral(":/pictures/skyvane_32.png"));
  icon.addFile(QStringLiteral(":/pictures/skyvane_128.png"));
  QApplication::setWindowIcon(icon);
  // The chart component is part of the program, so it is always registered.

  DesktopContext context{folder, settings, text, *device, file, clock, arguments, {}, station.notes,
                         options.mqtt, !notPolling.empty()};
  if (notPolling.empty()) {
    context.monitorFactory = MakeMonitorFactory(context);
  } else {
    context.startNotes.push_back(notPolling);
  }
  // SIGTERM, SIGINT and SIGHUP end the program as its Exit command does: the
  // windows close, the loops end, the frame stops the monitor and the data
  // file is closed below. Dialogs still open are left without their work.
  QuitSignals quitSignals([](int) {
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
  });
  int result = 0;
  {
    CMainFrame frame(context);
    PlugInWindows(frame, context);
    frame.show();
    frame.repaint();
    result = QApplication::exec();
  }
  file.CloseFile();
  return result;
}
