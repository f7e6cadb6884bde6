#include "gui/shell/frame_windows.h"

#include "gui/shell/main_frame.h"

namespace skyvane {

void PlugInWindows(CMainFrame& frame, DesktopContext& context) {
  // Example for a window of its own:
  //   frame.SetWindowOpener(FrameCommand::kSetup, [&context](QWidget* parent) {
  //     CSetupDlg dialog(context, parent);
  //     dialog.exec();
  //   });
  (void)frame;
  (void)context;
}

}  // namespace skyvane
