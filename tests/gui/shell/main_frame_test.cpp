#include "gui/shell/main_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "desktop_fixture.h"
#include "gui/shell/frame_windows.h"
#include "gui/shell/link_status_bar.h"
#include "gui/view/halvar_view.h"

namespace skyvane {
namespace {

QStringList MenuTitles(CMainFrame& frame) {
  QStringList titles;
  for (QAction* a : frame.menuBar()->actions()) titles << a->text();
  return titles;
}

QStringList ItemTexts(CMainFrame& frame, const char* menu) {
  QStringList texts;
  for (QAction* a : frame.findChild<QMenu*>(menu)->actions())
    texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return texts;
}

TEST(FrameRect, FullWidthAndTheHeightLessTwentyFive) {
  EXPECT_EQ(FrameRectFor(QRect(0, 0, 1024, 768)), QRect(0, 0, 1024, 743));
  EXPECT_EQ(FrameRectFor(QRect(1920, 0, 1280, 1024)), QRect(1920, 0, 1280, 999));
}

TEST(CMainFrame, OpensAtTheTopLeftCornerOfTheScreenInItsFullWidth) {
  test::DesktopRig rig;
  CMainFrame frame(*rig.context);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(frame.pos(), screen.topLeft());
  EXPECT_EQ(frame.size(), QSize(screen.width(), screen.height() - 25));
}

TEST(CMainFrame, EnglishMenusWithAccessKeys) {
  test::DesktopRig rig(0);
  CMainFrame frame(*rig.context);
  EXPECT_EQ(MenuTitles(frame), (QStringList{"&Display", "&System", "&Record", "&Help"}));
  EXPECT_EQ(ItemTexts(frame, "menuDisplay"),
            (QStringList{"&ToolBar", "&StatusBar", "Language...", "-", "&Exit"}));
  EXPECT_EQ(ItemTexts(frame, "menuSystem"), (QStringList{"&Setup", "&Alarm", "&Scope"}));
  EXPECT_EQ(ItemTexts(frame, "menuRecord"), (QStringList{"&History", "&Graph", "&Statistics"}));
  EXPECT_EQ(ItemTexts(frame, "menuHelp"), (QStringList{"&About Skyvane..."}));
}

TEST(CMainFrame, GermanMenus) {
  test::DesktopRig rig(1);
  CMainFrame frame(*rig.context);
  EXPECT_EQ(MenuTitles(frame), (QStringList{"&Display", "&System", "&Aufzeichnung", "&Info"}));
  EXPECT_EQ(ItemTexts(frame, "menuDisplay"),
            (QStringList{"&Symbolleiste", "&Statusleiste", "Sprache...", "-", "&Ausgang"}));
  EXPECT_EQ(ItemTexts(frame, "menuSystem"),
            (QStringList{"&Einstellungen", "&Alarm", "&Zeitstempel"}));
  EXPECT_EQ(ItemTexts(frame, "menuRecord"), (QStringList{"&Historie", "&Grafik", "&Statistik"}));
  EXPECT_EQ(ItemTexts(frame, "menuHelp"), (QStringList{"&Circa Skyvane..."}));
}

TEST(CMainFrame, DanishMenus) {
  test::DesktopRig rig(2);
  CMainFrame frame(*rig.context);
  EXPECT_EQ(MenuTitles(frame),
            (QStringList{"&Skærm", "&System", "&Registrering", "&Hjælp"}));
  EXPECT_EQ(ItemTexts(frame, "menuDisplay"),
            (QStringList{"&Værktøjslinie", "&StatusBar", "Sprog...", "-", "&Exit"}));
  EXPECT_EQ(ItemTexts(frame, "menuSystem"),
            (QStringList{"&Opsætning", "&Alarm", "&Oversigt Min/Max"}));
  EXPECT_EQ(ItemTexts(frame, "menuRecord"), (QStringList{"&Historik", "&Graf", "&Statistik"}));
  EXPECT_EQ(ItemTexts(frame, "menuHelp"), (QStringList{"&Om Skyvane..."}));
}

TEST(CMainFrame, ToolBarHasSevenButtonsAndTwoSeparators) {
  test::DesktopRig rig;
  CMainFrame frame(*rig.context);
  QStringList layout;
  for (QAction* a : frame.ToolBar()->actions())
    layout << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
  EXPECT_EQ(layout, (QStringList{"actionSetup", "actionAlarm", "actionScope", "-",
                                 "actionHistory", "actionGraph", "actionStatistics", "-", "actionAbout"}));
  for (QAction* a : frame.ToolBar()->actions()) {
    if (a->isSeparator()) continue;
    EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
  }
}

TEST(CMainFrame, WindowsNotYetBuiltAreDisabledUntilTheyPlugIn) {
  test::DesktopRig rig;
  CMainFrame frame(*rig.context);
  for (FrameCommand c : {FrameCommand::kSetup, FrameCommand::kAlarm, FrameCommand::kScope,
                         FrameCommand::kHistory, FrameCommand::kGraph, FrameCommand::kStatistics})
    EXPECT_FALSE(frame.Action(c)->isEnabled());
  EXPECT_TRUE(frame.Action(FrameCommand::kAbout)->isEnabled());
  EXPECT_TRUE(frame.Action(FrameCommand::kLanguage)->isEnabled());
  int opened = 0;
  frame.SetWindowOpener(FrameCommand::kHistory, [&](QWidget* parent) {
    EXPECT_EQ(parent, &frame);
    ++opened;
  });
  EXPECT_TRUE(frame.Action(FrameCommand::kHistory)->isEnabled());
  frame.Action(FrameCommand::kHistory)->trigger();
  EXPECT_EQ(opened, 1);
}

TEST(CMainFrame, EveryWindowIsPluggedIn) {
  test::DesktopRig rig;
  CMainFrame frame(*rig.context);
  PlugInWindows(frame, *rig.context);
  EXPECT_TRUE(frame.Action(FrameCommand::kSetup)->isEnabled());
  EXPECT_TRUE(frame.Action(FrameCommand::kAlarm)->isEnabled());
  EXPECT_TRUE(frame.Action(FrameCommand::kScope)->isEnabled());
  EXPECT_TRUE(frame.Action(FrameCommand::kHistory)->isEnabled());
  EXPECT_TRUE(frame.Action(FrameCommand::kGraph)->isEnabled());
  EXPECT_TRUE(frame.Action(FrameCommand::kStatistics)->isEnabled());
}

TEST(CMainFrame, PromptsGoToPaneZeroAndTheToolTipIsTheSecondLine) {
  ::setenv("LANG", "C", 1);
  ::unsetenv("LC_ALL");
  ::unsetenv("LC_MESSAGES");
  test::DesktopRig rig(1);  // the prompts follow the desktop, not the program's language
  CMainFrame frame(*rig.context);
  QAction* exit = frame.Action(FrameCommand::kExit);
  EXPECT_EQ(exit->statusTip(), "Quit the application");
  EXPECT_EQ(exit->toolTip(), "Exit");
  EXPECT_EQ(frame.Action(FrameCommand::kAbout)->toolTip(), "About");
  EXPECT_EQ(frame.Action(FrameCommand::kGraph)->statusTip(), "Display graph data");

  frame.SetStatusText(QStringLiteral("Last Read Time: ..."));
  QStatusTipEvent tip(exit->statusTip());
  QApplication::sendEvent(&frame, &tip);
  EXPECT_EQ(frame.LinkStatusBar()->PaneText(), "Quit the application");
  QStatusTipEvent none{QString()};
  QApplication::sendEvent(&frame, &none);
  EXPECT_EQ(frame.LinkStatusBar()->PaneText(), "Last Read Time: ...");
}

TEST(CMainFrame, PaneZeroStartsReadyOrWithWhatStartUpHasToSay) {
  test::DesktopRig rig;
  {
    CMainFrame frame(*rig.context);
    EXPECT_EQ(frame.LinkStatusBar()->PaneText(), "Ready");
  }
  rig.context->startNotes = {"station.state: seed or station time missing; kept as station.state.bad",
                             "second note"};
  CMainFrame frame(*rig.context);
  EXPECT_EQ(frame.LinkStatusBar()->PaneText(),
            "station.state: seed or station time missing; kept as station.state.bad second note");
}

TEST(CMainFrame, ToolBarAndStatusBarToggle) {
  test::DesktopRig rig;
  CMainFrame frame(*rig.context);
  frame.show();
  QAction* tb = frame.Action(FrameCommand::kToolBar);
  QAction* sb = frame.Action(FrameCommand::kStatusBar);
  EXPECT_TRUE(tb->isChecked());
  tb->trigger();
  EXPECT_FALSE(frame.ToolBar()->isVisible());
  tb->trigger();
  EXPECT_TRUE(frame.ToolBar()->isVisible());
  sb->trigger();
  EXPECT_FALSE(frame.LinkStatusBar()->isVisible());
  sb->trigger();
  EXPECT_TRUE(frame.LinkStatusBar()->isVisible());

  // Hidden from the window's context menu: the menu's check mark follows.
  frame.ToolBar()->toggleViewAction()->trigger();
  EXPECT_FALSE(tb->isChecked());
  frame.ToolBar()->toggleViewAction()->trigger();
  EXPECT_TRUE(tb->isChecked());
  // Hiding the whole window leaves it checked.
  frame.hide();
  EXPECT_TRUE(tb->isChecked());
}

bool PaneShowsConnected(CMainFrame& frame) {
  ConnectionPane* pane = frame.LinkStatusBar()->Pane1();
  const QImage shot = pane->grab().toImage();
  // The connected picture is green, the other one red and blue.
  int green = 0;
  int red = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QColor c = shot.pixelColor(x, y);
      if (c.green() > 120 && c.red() < 80 && c.blue() < 80) ++green;
      if (c.red() > 150 && c.green() < 60 && c.blue() < 60) ++red;
    }
  EXPECT_NE(green > 0, red > 0) << "green " << green << " red " << red;
  return green > 0;
}

TEST(ConnectionWatch, FollowsPlugUnplugAndReplugOfTheStation) {
  test::DesktopRig rig(0, "true");
  CMainFrame frame(*rig.context);
  rig.station->Unplug();
  frame.show();  // looks once at once: nothing there yet
  EXPECT_TRUE(frame.ConnectionTimerActive());
  EXPECT_FALSE(rig.device->IsConnected());
  EXPECT_FALSE(PaneShowsConnected(frame));

  rig.station->Replug();
  frame.OnConnectionTick();  // found: the watch is armed again since searching is on
  EXPECT_TRUE(rig.device->IsConnected());
  EXPECT_TRUE(rig.device->IsWatchEnabled());
  ConnectionPane* pane = frame.LinkStatusBar()->Pane1();
  EXPECT_TRUE(test::WaitFor([&] { return pane->ShowedConnected(); }));  // repainted by itself
  EXPECT_TRUE(PaneShowsConnected(frame));

  rig.station->Unplug();
  frame.OnConnectionTick();
  EXPECT_FALSE(rig.device->IsConnected());
  EXPECT_TRUE(test::WaitFor([&] { return !pane->ShowedConnected(); }));
  EXPECT_FALSE(PaneShowsConnected(frame));

  rig.station->Replug();
  frame.OnConnectionTick();
  EXPECT_TRUE(rig.device->IsConnected());
  EXPECT_TRUE(PaneShowsConnected(frame));
}

TEST(ConnectionWatch, WithSearchingOffLaterLossesGoUnnoticed) {
  test::DesktopRig rig(0, "0");
  CMainFrame frame(*rig.context);
  frame.show();
  frame.OnConnectionTick();
  EXPECT_TRUE(rig.device->IsConnected());
  EXPECT_FALSE(rig.device->IsWatchEnabled());
  EXPECT_TRUE(PaneShowsConnected(frame));
  rig.station->Unplug();
  frame.OnConnectionTick();
  EXPECT_TRUE(rig.device->IsConnected());  // the tick does nothing any more
  EXPECT_TRUE(PaneShowsConnected(frame));
}

TEST(ConnectionWatch, TheTimerFindsTheStationWithinASecond) {
  test::DesktopRig rig(0, "false");
  CMainFrame frame(*rig.context);
  frame.show();
  EXPECT_TRUE(test::WaitFor([&] { return rig.device->IsConnected(); },
                            std::chrono::milliseconds(1500)));
}

TEST(CMainFrame, TheMonitorsStatusAndTitleReachTheFrame) {
  test::DesktopRig rig(0, "true", /*testMode=*/true);
  CMainFrame frame(*rig.context);
  int lampUpdates = 0;
  int maxMinUpdates = 0;
  QObject::connect(frame.View(), &CHalvarView::lampsUpdated, [&] { ++lampUpdates; });
  QObject::connect(frame.View(), &CHalvarView::maxMinPanelsUpdated, [&] { ++maxMinUpdates; });
  frame.OnConnectionTick();  // connected before the monitor's first cycle
  frame.show();              // the initial update starts the monitor
  ASSERT_TRUE(frame.Bridge().MonitorRunning());
  ASSERT_TRUE(test::WaitFor(
      [&] { return frame.LinkStatusBar()->PaneText().startsWith("Last Read Time: "); },
      std::chrono::seconds(10)));
  EXPECT_EQ(frame.windowTitle(), "Skyvane Radio Controlled(---TEST MODE---)");
  EXPECT_NE(frame.View()->findChild<QLabel*>("outdoorTemperature")->text(), "--- °C");
  EXPECT_NE(frame.View()->findChild<QLabel*>("outdoorTemperatureMax")->text(), "--- °C");
  // The initial update's one, then the monitor's.
  EXPECT_GE(lampUpdates, 2);
  EXPECT_GE(maxMinUpdates, 2);
}

TEST(CMainFrame, ExitClosesTheWindowAndStopsTheMonitor) {
  test::DesktopRig rig(0, "true", /*testMode=*/true);
  CMainFrame frame(*rig.context);
  frame.show();
  ASSERT_TRUE(frame.Bridge().MonitorRunning());
  frame.Action(FrameCommand::kExit)->trigger();
  EXPECT_FALSE(frame.isVisible());
  EXPECT_FALSE(frame.Bridge().MonitorRunning());
  EXPECT_FALSE(frame.ConnectionTimerActive());
}

// Closing must end the monitor quickly wherever it is: asleep between cycles or
// in the middle of a cycle that holds the station link and hands status over.
TEST(CMainFrame, ClosingWhileTheMonitorSleepsReturnsWithinASecond) {
  test::DesktopRig rig(0, "true", /*testMode=*/true);
  auto frame = std::make_unique<CMainFrame>(*rig.context);
  frame->OnConnectionTick();
  frame->show();
  ASSERT_TRUE(test::WaitFor(
      [&] { return frame->LinkStatusBar()->PaneText().startsWith("Last Read Time: "); },
      std::chrono::seconds(10)));
  QElapsedTimer t;
  t.start();
  frame->close();
  frame.reset();
  EXPECT_LT(t.elapsed(), 1000);
}

TEST(CMainFrame, ClosingWhileTheMonitorHoldsTheLinkReturnsWithinASecond) {
  test::DesktopRig rig(0, "true", /*testMode=*/true);
  rig.device->Link().SetTestPause(std::chrono::milliseconds(100));  // slow, device-like exchanges
  auto frame = std::make_unique<CMainFrame>(*rig.context);
  frame->OnConnectionTick();
  frame->show();
  ASSERT_TRUE(test::WaitFor([&] { return rig.device->DeviceBusy().load(); },
                            std::chrono::seconds(5)));
  QElapsedTimer t;
  t.start();
  frame->close();
  frame.reset();
  EXPECT_LT(t.elapsed(), 1000);
}

}  // namespace
}  // namespace skyvane

namespace skyvane {
namespace {

TEST(ConnectionWatch, WithoutAStationThePanesSayWhatToCheck) {
  const std::pair<int, const char*> languages[] = {
      {0, "No weather station found"}, {1, "Keine Wetterstation gefunden"}, {2, "Ingen vejrstation fundet"}};
  for (const auto& [language, missing] : languages) {
    SCOPED_TRACE(language);
    test::DesktopRig rig(language, "true");
    rig.context->monitorFactory = {};
    CMainFrame frame(*rig.context);
    rig.station->Unplug();
    frame.show();
    CLinkStatusBar* bar = frame.LinkStatusBar();
    EXPECT_EQ(bar->PaneText(), QString::fromUtf8(missing));
    const QString help = bar->Pane1()->toolTip();
    for (const char* what : {"70-skyvane-station.rules", "plugdev", "libhidxfr.so"}) {
      EXPECT_TRUE(help.contains(QLatin1String(what))) << what;
    }
    rig.station->Replug();
    frame.OnConnectionTick();
    EXPECT_EQ(bar->PaneText(), "Ready");
    EXPECT_TRUE(bar->Pane1()->toolTip().isEmpty());
    rig.station->Unplug();
    frame.OnConnectionTick();
    EXPECT_EQ(bar->PaneText(), QString::fromUtf8(missing));
  }
}

TEST(CMainFrame, CtrlQQuits) {
  test::DesktopRig rig;
  rig.context->monitorFactory = {};
  CMainFrame frame(*rig.context);
  frame.show();
  QApplication::setActiveWindow(&frame);
  ASSERT_TRUE(frame.isVisible());
  QTest::keyClick(&frame, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(frame.isVisible());
}

}  // namespace
}  // namespace skyvane

namespace skyvane {
namespace {

// Another program polls the folder: the window never claims the station, says
// so in its own picture and tool tip, and carries the program's usual title.
TEST(CMainFrame, AWindowThatDoesNotPollSaysSo) {
  const std::pair<int, const char*> languages[] = {
      {0, "Skyvane Radio Controlled"}, {1, "Skyvane - Funk-Wetter-Station"}, {2, "Skyvane Radio Controlled"}};
  for (const auto& [language, title] : languages) {
    SCOPED_TRACE(language);
    test::DesktopRig rig(language, "true");
    rig.context->monitorFactory = {};
    rig.context->notPolling = true;
    CMainFrame frame(*rig.context);
    frame.show();
    frame.OnConnectionTick();
    EXPECT_EQ(frame.windowTitle(), QString::fromUtf8(title));
    ConnectionPane* pane = frame.LinkStatusBar()->Pane1();
    EXPECT_EQ(pane->toolTip(), NotPollingToolTip(language));
    EXPECT_TRUE(pane->toolTip().startsWith(QString::fromUtf8(
        language == 1 ? "Keine Abfrage" : language == 2 ? "Ingen aflæsning" : "Not polling")));
    // Neither green "Connected" nor red "Not Connect": the grey picture of its own.
    const QImage shot = pane->grab().toImage();
    int coloured = 0;
    int grey = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) {
        const QColor c = shot.pixelColor(x, y);
        if (c.hsvSaturation() > 100 && c.value() > 80) ++coloured;
        if (c.hsvSaturation() < 20 && c.value() < 120) ++grey;
      }
    EXPECT_EQ(coloured, 0);
    EXPECT_GT(grey, 40);
    EXPECT_FALSE(pane->ShowedConnected());
    // The station's absence is not this window's business.
    rig.station->Unplug();
    frame.OnConnectionTick();
    EXPECT_EQ(pane->toolTip(), NotPollingToolTip(language));
    EXPECT_NE(frame.LinkStatusBar()->PaneText(), QStringLiteral("No weather station found"));
  }
}

}  // namespace
}  // namespace skyvane
