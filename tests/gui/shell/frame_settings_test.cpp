// The Setup, Alarm and Scope dialogs open from the main frame's System menu and
// from its tool bar: each comes up modal over the frame with the station's
// values and goes away with its own "Cancel" (or "OK") button.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "desktop_fixture.h"
#include "gui/shell/frame_windows.h"
#include "gui/shell/main_frame.h"

namespace skyvane {
namespace {

// What came up modal while a command ran.
struct Seen {
  QString dialog;  // object name
  QString title;
  QString value;   // the text of one of its fields
  QWidget* parent = nullptr;
  QStringList messages;
};

// Watches for the modal windows a command opens: a message box is noted and
// dismissed; the settings dialog is noted and closed with its button.
class ModalCloser {
 public:
  ModalCloser(const char* field, const char* button) : field_(field), button_(button) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  const Seen& seen() const { return seen_; }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      seen_.messages << box->text();
      box->reject();
      return;
    }
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (dialog == nullptr || !dialog->isVisible()) return;
    seen_.dialog = dialog->objectName();
    seen_.title = dialog->windowTitle();
    seen_.parent = dialog->parentWidget();
    if (auto* edit = dialog->findChild<QLineEdit*>(field_)) seen_.value = edit->text();
    if (auto* button = dialog->findChild<QPushButton*>(button_)) {
      button->click();
    } else {
      dialog->reject();
    }
  }

  QString field_;
  QString button_;
  QTimer timer_;
  Seen seen_;
};

struct Case {
  FrameCommand command;
  const char* actionName;
  const char* dialog;
  const char* title;
  const char* field;  // a field and what it shows for the test image
  const char* value;
  const char* button;
};

constexpr Case kCases[] = {
    {FrameCommand::kSetup, "actionSetup", "setupDialog", "Setup", "pressure-relative", "1013.2",
     "cancel"},
    {FrameCommand::kAlarm, "actionAlarm", "alarmDialog", "Alarm", "outdoor-temperature-low", "-10.0",
     "cancel"},
    {FrameCommand::kScope, "actionScope", "maxMinDialog", "Scope", "indoor-humidity-maximum", "70 %",
     "ok"},
};

QAction* MenuItem(CMainFrame& frame, const char* menu, const char* name) {
  for (QAction* a : frame.findChild<QMenu*>(menu)->actions()) {
    if (a->objectName() == name) return a;
  }
  return nullptr;
}

Seen RunCommand(const Case& c, const std::function<void()>& choose) {
  ModalCloser closer(c.field, c.button);
  choose();
  return closer.seen();
}

void ExpectOpenedAndClosed(const Seen& seen, const Case& c, CMainFrame& frame) {
  EXPECT_EQ(seen.dialog, c.dialog);
  EXPECT_EQ(seen.title, c.title);
  EXPECT_EQ(seen.value, c.value) << c.dialog;
  EXPECT_EQ(seen.parent, &frame);
  EXPECT_TRUE(seen.messages.isEmpty()) << seen.messages.join('|').toStdString();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

class FrameSettings : public ::testing::Test {
 protected:
  test::DesktopRig rig{0, "false", true};  // test mode: the test image answers
  CMainFrame frame{*rig.context};
  void SetUp() override {
    PlugInWindows(frame, *rig.context);
    frame.show();
  }
};

TEST_F(FrameSettings, EachDialogOpensFromTheSystemMenu) {
  for (const Case& c : kCases) {
    QAction* item = MenuItem(frame, "menuSystem", c.actionName);
    ASSERT_NE(item, nullptr) << c.actionName;
    ASSERT_TRUE(item->isEnabled()) << c.actionName;
    ExpectOpenedAndClosed(RunCommand(c, [&] { item->trigger(); }), c, frame);
    EXPECT_FALSE(rig.device->DeviceBusy().load()) << c.actionName;
  }
}

TEST_F(FrameSettings, EachDialogOpensFromTheToolBar) {
  for (const Case& c : kCases) {
    auto* button = qobject_cast<QAbstractButton*>(frame.ToolBar()->widgetForAction(frame.Action(c.command)));
    ASSERT_NE(button, nullptr) << c.actionName;
    ASSERT_TRUE(button->isEnabled()) << c.actionName;
    ExpectOpenedAndClosed(RunCommand(c, [&] { button->click(); }), c, frame);
  }
}

TEST(FrameSettingsLanguage, TheGermanFrameOpensTheGermanDialogs) {
  test::DesktopRig rig(1, "false", true);
  CMainFrame frame(*rig.context);
  PlugInWindows(frame, *rig.context);
  frame.show();
  const Case setupCase{FrameCommand::kSetup, "actionSetup", "setupDialog", "Einstellungen",
                       "pressure-relative", "1013.2", "cancel"};
  const Case scopeCase{FrameCommand::kScope, "actionScope", "maxMinDialog", "Zeitstempel",
                       "indoor-humidity-maximum", "70 %", "ok"};
  for (const Case& c : {setupCase, scopeCase}) {
    QAction* item = MenuItem(frame, "menuSystem", c.actionName);
    ASSERT_NE(item, nullptr);
    ExpectOpenedAndClosed(RunCommand(c, [&] { item->trigger(); }), c, frame);
  }
}

TEST(FrameSettingsBusy, ABusyLinkIsReportedAndTheScopeNeverShows) {
  test::DesktopRig rig(0, "false", true);
  CMainFrame frame(*rig.context);
  PlugInWindows(frame, *rig.context);
  rig.device->DeviceBusy().store(true);  // held by someone else for good
  ModalCloser closer("indoor-humidity-maximum", "ok");
  frame.Action(FrameCommand::kScope)->trigger();
  EXPECT_EQ(closer.seen().messages, QStringList{"Can't communicate with device!"});
  EXPECT_EQ(closer.seen().dialog, "");
  EXPECT_TRUE(rig.device->DeviceBusy().load());
}

}  // namespace
}  // namespace skyvane
