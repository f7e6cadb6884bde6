#include "gui/shell/frame_windows.h"

#include "gui/dialogs/alarm_dlg.h"
#include "gui/dialogs/maxmin_dlg.h"
#include "gui/dialogs/setup_dlg.h"
#include "gui/shell/main_frame.h"

namespace skyvane {

void PlugInWindows(CMainFrame& frame, DesktopContext& context) {
  frame.SetWindowOpener(FrameCommand::kSetup, [&context](QWidget* parent) {
    CSetupDlg dialog(context.device, context.text, parent);
    dialog.Run();
  });
  frame.SetWindowOpener(FrameCommand::kAlarm, [&context](QWidget* parent) {
    CAlarmDlg dialog(context.device, context.text, parent);
    dialog.Run();
  });
  frame.SetWindowOpener(FrameCommand::kScope, [&context](QWidget* parent) {
    CMaxMinDlg dialog(context.device, context.file, context.text, parent);
    dialog.Run();
  });
  // History and Graph plug in the same way once their windows exist.
}

}  // namespace skyvane
