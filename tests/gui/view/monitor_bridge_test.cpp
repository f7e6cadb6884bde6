#include "gui/view/monitor_bridge.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <thread>

#include "desktop_fixture.h"
#include "gui/controls/compass_ctrl.h"
#include "gui/shell/frame_windows.h"
#include "gui/shell/main_frame.h"
#include "gui/view/alarm_lamp.h"
#include "gui/view/halvar_view.h"

namespace skyvane {
namespace {

QString FieldText(const CHalvarView& view, const char* name) {
  auto* field = view.findChild<QLabel*>(QString::fromLatin1(name));
  EXPECT_NE(field, nullptr) << name;
  return field ? field->text() : QString();
}

HistoryRow RowWithWind(const char* speed) {
  HistoryRow r;
  r[row::windSpeed] = speed;
  r[row::windDir] = "4";
  return r;
}

TEST(MonitorBridge, CallsFromTheMonitorThreadReachTheFrameOnTheUiThread) {
  test::DesktopRig rig;
  CMainFrame frame(*rig.context);
  MonitorBridge& bridge = frame.Bridge();
  const CHalvarView& view = *frame.View();
  bool updated = false;
  QObject::connect(frame.View(), &CHalvarView::livePanelsUpdated, [&] { updated = true; });
  LampStates lamps{};
  lamps.fill(LampState::kArmed);
  lamps[0] = LampState::kTriggered;
  MaxMinRecord maxmin;
  maxmin[mm::kRainTotalMax] = "25";
  std::thread monitor([&] {
    bridge.ShowLiveValues(RowWithWind("3.4"), HeaderRecord{}, AlarmRecord{});
    bridge.ShowLampStates(lamps);
    bridge.ShowMaxMin(maxmin, HeaderRecord{});
    bridge.SetTitle("Skyvane Radio Controlled");
  });
  monitor.join();
  EXPECT_FALSE(updated);  // carried over, not run on the calling thread
  ASSERT_TRUE(test::WaitFor([&] { return updated; }));
  EXPECT_EQ(FieldText(view, "windSpeed"), "3.4 m/s");
  EXPECT_EQ(view.Form().compass->Direction(), 4);
  EXPECT_EQ(view.Form().lamps[0]->State(), LampState::kTriggered);
  EXPECT_EQ(view.Form().lamps[1]->State(), LampState::kArmed);
  EXPECT_EQ(FieldText(view, "rainTotalMax"), "25 mm");
  EXPECT_EQ(frame.windowTitle(), "Skyvane Radio Controlled");

  // Readings that arrive faster than the UI thread takes them: the latest one
  // is what stays on the form.
  std::thread fast([&] {
    for (const char* speed : {"5.0", "6.0", "7.5"})
      bridge.ShowLiveValues(RowWithWind(speed), HeaderRecord{}, AlarmRecord{});
  });
  fast.join();
  ASSERT_TRUE(test::WaitFor([&] { return FieldText(view, "windSpeed") == "7.5 m/s"; }));
  QCoreApplication::processEvents();
  EXPECT_EQ(FieldText(view, "windSpeed"), "7.5 m/s");
}

TEST(MonitorBridge, AfterReleaseAStatusHandOverNeverBlocks) {
  test::DesktopRig rig;
  MonitorBridge bridge(*rig.context);
  QStringList shown;
  QObject::connect(&bridge, &MonitorBridge::statusText, [&](const QString& text) { shown << text; });
  std::thread first([&] { bridge.SetStatusText("one"); });
  ASSERT_TRUE(test::WaitFor([&] { return !shown.isEmpty(); }));
  first.join();
  bridge.ReleaseBlockedCalls();
  std::thread second([&] { bridge.SetStatusText("two"); });
  second.join();  // returns without the UI thread's help
  QCoreApplication::processEvents();
  EXPECT_EQ(shown, QStringList{"one"});
}

struct FakeMonitor : MonitorControl {
  FakeMonitor(bool result, int& stopCount, int* wakeCount = nullptr)
      : startResult(result), stops(stopCount), wakes(wakeCount) {}
  bool Start() override { return running = startResult; }
  void Stop() override {
    ++stops;
    running = false;
  }
  bool Running() const override { return running; }
  void Wake() override {
    if (wakes != nullptr) ++*wakes;
  }
  bool startResult;
  int& stops;
  int* wakes;
  bool running = false;
};

// Presses the named button of the next modal window that is not a message box.
void PressInNextDialog(const char* button) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, button] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || qobject_cast<QMessageBox*>(modal) != nullptr) return;
    auto* b = modal->findChild<QPushButton*>(QLatin1String(button));
    if (b == nullptr) return;
    timer->stop();
    timer->deleteLater();
    b->click();
  });
  timer->start();
}

TEST(MonitorBridge, ASavedSetupOrAlarmWakesTheMonitorAndACancelDoesNot) {
  for (const char* action : {"actionSetup", "actionAlarm"}) {
    SCOPED_TRACE(action);
    test::DesktopRig rig(0, "true", true);
    int stops = 0;
    int wakes = 0;
    rig.context->monitorFactory = [&](MonitorFrontEnd&) { return std::make_unique<FakeMonitor>(true, stops, &wakes); };
    CMainFrame frame(*rig.context);
    PlugInWindows(frame, *rig.context);
    frame.show();
    ASSERT_TRUE(test::WaitFor([&] { return frame.View()->InitialUpdateDone(); }));
    auto* command = frame.findChild<QAction*>(QLatin1String(action));
    ASSERT_NE(command, nullptr);

    PressInNextDialog("cancel");
    command->trigger();
    EXPECT_EQ(wakes, 0);

    test::ModalAnswer yes(QMessageBox::Yes);  // "Save?"
    PressInNextDialog("save");
    command->trigger();
    EXPECT_TRUE(yes.Seen());
    EXPECT_EQ(wakes, 1);
  }
}

TEST(MonitorBridge, AMonitorThatCannotStartIsReportedAndTheFormStaysEmpty) {
  test::DesktopRig rig(0, "true");
  int stops = 0;
  rig.context->monitorFactory = [&](MonitorFrontEnd&) {
    return std::make_unique<FakeMonitor>(false, stops);
  };
  CMainFrame frame(*rig.context);
  test::ModalAnswer answer(QMessageBox::Ok);
  frame.show();  // the initial update starts the monitor
  ASSERT_TRUE(answer.Seen());
  EXPECT_EQ(answer.Text(), "Begin monitor thread fail!");
  EXPECT_FALSE(frame.Bridge().MonitorRunning());
  EXPECT_EQ(FieldText(*frame.View(), "windSpeed"), "--- m/s");
}

TEST(MonitorBridge, StartsOnlyWhenSearchingIsOnAndStopsWithTheBridge) {
  for (const char* search : {"false", "FALSE", "0", "true", "no", ""}) {
    test::DesktopRig rig(0, search);
    int built = 0;
    int stops = 0;
    rig.context->monitorFactory = [&](MonitorFrontEnd&) {
      ++built;
      return std::make_unique<FakeMonitor>(true, stops);
    };
    const bool on = std::string(search) != "false" && std::string(search) != "FALSE" &&
                    std::string(search) != "0";
    {
      MonitorBridge bridge(*rig.context);
      EXPECT_EQ(bridge.StartMonitor(),
                on ? MonitorBridge::Start::kStarted : MonitorBridge::Start::kNotSearching)
          << search;
      bridge.StartMonitor();  // once only
      EXPECT_EQ(bridge.MonitorRunning(), on) << search;
    }
    EXPECT_EQ(built, on ? 1 : 0) << search;
    EXPECT_EQ(stops, on ? 1 : 0) << search;
  }
}

}  // namespace
}  // namespace skyvane
