#pragma once
// The windows opened from the main frame's System and Record menus (Setup,
// Alarm, Scope, History, Graph, Statistics). Each one plugs in with one line in
// frame_windows.cpp: frame.SetWindowOpener(FrameCommand::kSetup, ...).
// Until a window is plugged in, its menu item and tool bar button stay disabled.

namespace skyvane {

class CMainFrame;
struct DesktopContext;

void PlugInWindows(CMainFrame& frame, DesktopContext& context);

}  // namespace skyvane
