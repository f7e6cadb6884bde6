#pragma once
// CMainFrame: the program's only top-level window — menus, tool bar, status bar
// with the connection picture, the live form, and the one-second connection
// watch. It owns the monitor bridge and connects its signals to the form, the
// status bar and its own title.
#include <QAction>
#include <QMainWindow>
#include <QRect>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>

#include "gui/shell/desktop_context.h"
#include "gui/shell/frame_texts.h"
#include "gui/view/monitor_bridge.h"

class QToolBar;

namespace skyvane {

class CHalvarView;
class CLinkStatusBar;

// Where the frame is placed on a screen: at its top-left corner, the full
// width, the height less 25 pixels for the desktop's own panel.
QRect FrameRectFor(const QRect& screen);

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kConnectionPeriodMs = 1000;

  explicit CMainFrame(DesktopContext& context, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // A window of a later part of the program plugs in here: its menu item and
  // tool bar button are enabled and run open(parent) when chosen. Commands
  // without an opener stay disabled. (Setup, Alarm, Scope, History, Graph,
  // Statistics.)
  void SetWindowOpener(FrameCommand command, std::function<void(QWidget* parent)> open);

  QAction* Action(FrameCommand command) const {
    return actions_[static_cast<int>(command)];
  }
  CLinkStatusBar* LinkStatusBar() const { return statusBar_; }
  QToolBar* ToolBar() const { return toolBar_; }
  CHalvarView* View() const { return view_; }
  MonitorBridge& Bridge() { return bridge_; }

  // Pane 0 text, as the monitor hands it over. UI thread.
  void SetStatusText(const QString& text);
  // One tick of the connection watch (the timer calls it every second).
  void OnConnectionTick();
  bool ConnectionTimerActive() const { return timer_.isActive(); }

  // Replaces the Language and About dialogs (tests).
  void SetDialogRunner(FrameCommand command, std::function<void(QWidget* parent)> run);

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void Run(FrameCommand command);
  void ShowStationHint();

  DesktopContext& context_;
  // Stopped in the destructor, and as a member destroyed before the child
  // widgets: the monitor never reaches a destroyed form.
  MonitorBridge bridge_;
  std::array<QAction*, kFrameCommandCount> actions_{};
  std::array<std::function<void(QWidget*)>, kFrameCommandCount> openers_{};
  QToolBar* toolBar_ = nullptr;
  CLinkStatusBar* statusBar_ = nullptr;
  CHalvarView* view_ = nullptr;
  QTimer timer_;
  // Whether pane 0 and pane 1 tell of a missing station; unset before the first tick.
  std::optional<bool> hintShown_;
  QString startNotes_;
};

}  // namespace skyvane
