#include "gui/shell/frame_windows.h"

#include "gui/dialogs/alarm_dlg.h"
#include "gui/dialogs/maxmin_dlg.h"
#include "gui/dialogs/setup_dlg.h"
#include "gui/shell/main_frame.h"
#include "gui/windows/graph_window_entry.h"
#include "gui/windows/history_dlg.h"
#include "gui/windows/statistics_dlg.h"

namespace skyvane {

void PlugInWindows(CMainFrame& frame, DesktopContext& context) {
  // The dialogs end accepted only after a successful save: the form then shows
  // the new units and lamps without waiting out the monitor's pause.
  frame.SetWindowOpener(FrameCommand::kSetup, [&context, &frame](QWidget* parent) {
    CSetupDlg dialog(context.device, context.text, parent);
    if (dialog.Run() == QDialog::Accepted) frame.Bridge().WakeMonitor();
  });
  frame.SetWindowOpener(FrameCommand::kAlarm, [&context, &frame](QWidget* parent) {
    CAlarmDlg dialog(context.device, context.text, parent);
    if (dialog.Run() == QDialog::Accepted) frame.Bridge().WakeMonitor();
  });
  frame.SetWindowOpener(FrameCommand::kScope, [&context](QWidget* parent) {
    CMaxMinDlg dialog(context.device, context.file, context.text, parent);
    dialog.Run();
  });
  frame.SetWindowOpener(FrameCommand::kHistory, [&context](QWidget* parent) {
    // "Graph..." ends the History window and opens the Graph window on its range.
    GraphOpener graph = [&context](QWidget* graphParent, const GraphRequest& request) {
      OpenGraphWindow(graphParent, context.text, context.device, context.file, context.clock,
                      request.condition, request.start, request.end);
    };
    OpenHistoryWindow(parent, context.text, context.device, context.file, context.clock, graph);
  });
  frame.SetWindowOpener(FrameCommand::kGraph, [&context](QWidget* parent) {
    OpenGraphWindow(parent, context.text, context.device, context.file, context.clock);
  });
  frame.SetWindowOpener(FrameCommand::kStatistics, [&context](QWidget* parent) {
    OpenStatisticsWindow(parent, context.text, context.device, context.file, context.clock,
                         context.folder.string());
  });
}

}  // namespace skyvane
