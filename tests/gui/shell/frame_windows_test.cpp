// History, Graph and Export reached the way the user reaches them: from the
// main frame's Record menu and tool bar, and the Graph window from History's
// "Graph...", in the three languages. The modal windows are driven by timers
// while they run.
#include "gui/shell/frame_windows.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QTimeEdit>
#include <QToolButton>

#include <algorithm>

#include "desktop_fixture.h"
#include "gui/chart/chart_widget.h"
#include "gui/shell/main_frame.h"
#include "gui/windows/export_dlg.h"
#include "gui/windows/graph_dlg.h"
#include "gui/windows/history_dlg.h"
#include "gui/windows/history_grid_model.h"
#include "windows/history_window_support.h"
#include "gui_test_support.h"

namespace skyvane {
namespace {

using test::OnModal;

constexpr std::time_t kHour = 3600;
constexpr std::time_t kDay = 86400;

// What each language shows.
struct LanguageTexts {
  int index;
  std::string historyTitle, graphTitle, anHour, aWeek, aMonth, chartHeader, exportHeads;
};

const LanguageTexts kLanguages[] = {
    {0, "History Data", "Graph", "an hour", "a week", "a month", "Weather--Humidity",
     "No\tTime\tInterval(mi)\t"},
    {1, "Daten Historie", "Grafik", "Stunde", "Woche", "Monat", "Wetter--Luftfeuchtigkeit",
     "No\tZeit\tIntervall(mi)\t"},
    {2, "Historik Data", "Graf", "en time", "en uge", "en måned", "Vejr--Fugtighed",
     "No\tTid\tInterval(mi)\t"},
};

// While it lives, a modal window still open after the timeout is closed, so a
// failing test ends instead of hanging.
class ModalSafetyNet {
 public:
  ModalSafetyNet() {
    QObject::connect(&timer_, &QTimer::timeout, [] {
      if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    timer_.start(15000);
  }

 private:
  QTimer timer_;
};

class FrameWindows : public ::testing::TestWithParam<LanguageTexts> {
 protected:
  FrameWindows() : rig_(GetParam().index), frame_(*rig_.context) {
    PlugInWindows(frame_, *rig_.context);
    frame_.OnConnectionTick();  // the station is there: the windows read its units
    frame_.show();
    // Two rows in the last hour, one three days back, one twenty days back.
    const std::time_t now = rig_.clock.Now();
    HistoryRowArray rows;
    for (std::time_t t : {now - 300, now - 600, now - 3 * kDay, now - 20 * kDay}) {
      rows.push_back(test::StoredRowAt(t));  // newest first, as a download gives them
    }
    EXPECT_TRUE(rig_.file->AppendRows(rows));
  }

  QAction* MenuItem(const char* name) {
    auto* menu = frame_.findChild<QMenu*>("menuRecord");
    for (QAction* a : menu->actions()) {
      if (a->objectName() == QLatin1String(name)) return a;
    }
    ADD_FAILURE() << name << " is not in the Record menu";
    return nullptr;
  }
  QToolButton* ToolButton(const char* name) {
    auto* bar = frame_.findChild<QToolBar*>();
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(MenuItem(name)));
    EXPECT_NE(button, nullptr) << name << " has no tool bar button";
    return button;
  }

  test::DesktopRig rig_;
  CMainFrame frame_;
  ModalSafetyNet net_;
};

// What the Graph window showed when it came up.
struct GraphSeen {
  std::string title, condition, header, start, end;
  std::size_t rows = 0;
};

std::unique_ptr<OnModal> RecordGraphAndClose(GraphSeen& seen) {
  return OnModal::Of<CGraphDlg>([&seen](CGraphDlg* dlg) {
    seen.title = dlg->windowTitle().toStdString();
    seen.condition = dlg->findChild<QComboBox*>("condition")->currentText().toStdString();
    seen.header = dlg->Chart()->Content().header.toStdString();
    seen.start = dlg->StartText();
    seen.end = dlg->EndText();
    seen.rows = dlg->Rows().size();
    dlg->findChild<QPushButton*>("cancel")->click();
  });
}

TEST_P(FrameWindows, HistoryFromTheMenuHandsItsWeekOverToTheGraphWindow) {
  const LanguageTexts& t = GetParam();
  std::string historyTitle, historyCondition;
  int historyRows = -1;
  std::string pickedStart, pickedEnd;
  auto history = OnModal::Of<CHistoryDlg>([&](CHistoryDlg* dlg) {
    historyTitle = dlg->windowTitle().toStdString();
    auto* condition = dlg->findChild<QComboBox*>("condition");
    historyCondition = condition->currentText().toStdString();
    historyRows = dlg->Model()->rowCount();
    condition->setCurrentIndex(2);  // "a week", not searched: Graph... takes the pickers
    auto picker = [dlg](const char* date, const char* time) {
      return (dlg->findChild<QDateEdit*>(date)->date().toString("yyyy-MM-dd") + " " +
              dlg->findChild<QTimeEdit*>(time)->time().toString("HH:mm:ss"))
          .toStdString();
    };
    pickedStart = picker("startDate", "startTime");
    pickedEnd = picker("endDate", "endTime");
    dlg->findChild<QPushButton*>("graph")->click();
  });
  GraphSeen graph;
  auto graphWindow = RecordGraphAndClose(graph);

  MenuItem("actionHistory")->trigger();

  ASSERT_TRUE(history->Seen());
  EXPECT_EQ(historyTitle, t.historyTitle);
  EXPECT_EQ(historyCondition, t.anHour);
  EXPECT_EQ(historyRows, 2);
  ASSERT_TRUE(graphWindow->Seen());
  EXPECT_EQ(graph.title, t.graphTitle);
  EXPECT_EQ(graph.condition, t.aWeek);
  EXPECT_EQ(graph.start, pickedStart);
  EXPECT_EQ(graph.end, pickedEnd);
  EXPECT_EQ(graph.rows, 3u);
  EXPECT_EQ(graph.header, t.chartHeader);
  // Nothing is left open behind the Graph window.
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_P(FrameWindows, GraphFromTheToolBarChartsTheLastMonth) {
  const LanguageTexts& t = GetParam();
  GraphSeen graph;
  auto graphWindow = RecordGraphAndClose(graph);
  ToolButton("actionGraph")->click();
  ASSERT_TRUE(graphWindow->Seen());
  EXPECT_EQ(graph.title, t.graphTitle);
  EXPECT_EQ(graph.condition, t.aMonth);
  EXPECT_EQ(graph.header, t.chartHeader);
  EXPECT_EQ(graph.rows, 4u);

  // And from the menu.
  GraphSeen again;
  auto second = RecordGraphAndClose(again);
  MenuItem("actionGraph")->trigger();
  ASSERT_TRUE(second->Seen());
  EXPECT_EQ(again.title, t.graphTitle);
  EXPECT_EQ(again.rows, 4u);
}

TEST_P(FrameWindows, HistoryFromTheToolBarExportsItsGrid) {
  const LanguageTexts& t = GetParam();
  const std::filesystem::path out = rig_.folder.path() / "week.txt";
  std::string exportTitle, offeredSecond;
  auto history = OnModal::Of<CHistoryDlg>([](CHistoryDlg* dlg) {
    // Export... runs its dialogs and returns; then the window is closed.
    dlg->findChild<QPushButton*>("export")->click();
    dlg->findChild<QPushButton*>("cancel")->click();
  });
  auto choose = OnModal::Of<CExportDlg>([&](CExportDlg* dlg) {
    exportTitle = dlg->windowTitle().toStdString();
    offeredSecond = dlg->List()->item(1)->text().toStdString();
    dlg->findChild<QPushButton*>("export")->click();
  });
  auto save = OnModal::Of<QFileDialog>([&](QFileDialog* dlg) {
    test::ChooseFile(dlg, QString::fromStdString(out.string()));
    QMetaObject::invokeMethod(dlg, "accept");
  });

  ToolButton("actionHistory")->click();

  ASSERT_TRUE(history->Seen());
  ASSERT_TRUE(choose->Seen());
  ASSERT_TRUE(save->Seen());
  EXPECT_EQ(exportTitle, "Export Grid Data");
  const std::size_t timeAt = t.exportHeads.find('\t') + 1;
  EXPECT_EQ(offeredSecond, "2." + t.exportHeads.substr(timeAt, t.exportHeads.find('\t', timeAt) - timeAt));
  const std::string bytes = test::ReadFileBytes(out);
  EXPECT_EQ(bytes.substr(0, t.exportHeads.size()), t.exportHeads);
  // The header line and the last hour's two rows, numbered from 1.
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(bytes.substr(at, end - at));
  }
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].substr(0, 2), "1\t");
  EXPECT_EQ(lines[2].substr(0, 2), "2\t");
  EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), '\t'), 20);
  EXPECT_EQ(std::count(lines[2].begin(), lines[2].end(), '\t'), 20);
}

std::string LanguageName(const ::testing::TestParamInfo<LanguageTexts>& info) {
  static const char* const kNames[] = {"English", "German", "Danish"};
  return kNames[info.param.index];
}

INSTANTIATE_TEST_SUITE_P(Languages, FrameWindows, ::testing::ValuesIn(kLanguages), LanguageName);

}  // namespace
}  // namespace skyvane
