// The History window on the offscreen platform: opening on the last hour,
// the Condition list, the grid's columns and units, Clear Data and Clear
// Memory with their questions, Graph... and the resize rule.
#include "gui/windows/history_dlg.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimeEdit>

#include "core/station/header_record.h"
#include "gui/windows/history_grid_model.h"
#include "history_window_support.h"

namespace skyvane {
namespace {

using test::OnModal;
using test::LocalStamp;
using test::WindowRig;

class HistoryDlgTest : public ::testing::Test {
 protected:
  std::unique_ptr<CHistoryDlg> Make(GraphOpener graph = {}) {
    return std::make_unique<CHistoryDlg>(rig_.text, *rig_.device, rig_.file, rig_.clock, nullptr,
                                         std::move(graph), rig_.prompts);
  }
  static QString Cell(const CHistoryDlg& dlg, int row, int column) {
    const CHistoryGridModel* m = dlg.Model();
    return m->data(m->index(row, column)).toString();
  }
  static QString Picker(const CHistoryDlg& dlg, const char* date, const char* time) {
    return dlg.findChild<QDateEdit*>(date)->date().toString("yyyy-MM-dd") + " " +
           dlg.findChild<QTimeEdit*>(time)->time().toString("HH:mm:ss");
  }
  WindowRig rig_;
};

TEST_F(HistoryDlgTest, OpensOnTheLastHourWithTheNewestRowVisibleAtTheBottom) {
  std::vector<std::time_t> times{rig_.now - 3601};
  for (int s = 3600; s >= 0; s -= 15) times.push_back(rig_.now - s);  // 241 rows, both ends included
  times.push_back(rig_.now + 1);
  rig_.Store(times);

  auto dlg = Make();
  ASSERT_TRUE(dlg->Open());
  dlg->show();
  EXPECT_EQ(dlg->windowTitle(), "History Data");
  EXPECT_EQ(dlg->StartText(), LocalStamp(rig_.now - 3600));
  EXPECT_EQ(dlg->EndText(), LocalStamp(rig_.now));
  EXPECT_EQ(dlg->findChild<QComboBox*>("condition")->currentText(), "an hour");
  EXPECT_EQ(dlg->findChild<QDateEdit*>("startDate")->displayFormat(), "dd-MM-yyyy");
  EXPECT_EQ(dlg->findChild<QTimeEdit*>("startTime")->displayFormat(), "HH:mm:ss");

  ASSERT_EQ(dlg->Model()->rowCount(), 241);
  EXPECT_EQ(Cell(*dlg, 0, 1), QString::fromStdString(LocalStamp(rig_.now - 3600, "%d-%m-%Y %H:%M")));
  EXPECT_EQ(Cell(*dlg, 240, 1), QString::fromStdString(LocalStamp(rig_.now, "%d-%m-%Y %H:%M")));
  // Column 0 counts the grid's rows, not the stored sequence numbers (2 ...).
  EXPECT_EQ(Cell(*dlg, 0, 0), "1");
  EXPECT_EQ(Cell(*dlg, 240, 0), "241");

  QTableView* grid = dlg->GridView();
  QApplication::processEvents();
  EXPECT_GT(grid->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(grid->verticalScrollBar()->value(), grid->verticalScrollBar()->maximum());
  EXPECT_EQ(grid->rowAt(grid->viewport()->height() - 2), 240);
}

TEST_F(HistoryDlgTest, RefreshRereadsTheRangeAndScrollsToTheNewestRow) {
  std::vector<std::time_t> times;
  for (int s = 3000; s >= 600; s -= 15) times.push_back(rig_.now - s);
  rig_.Store(times);
  auto dlg = Make();
  ASSERT_TRUE(dlg->Open());
  dlg->show();
  QApplication::processEvents();
  const int shown = dlg->Model()->rowCount();
  QTableView* grid = dlg->GridView();
  grid->scrollToTop();
  ASSERT_EQ(grid->verticalScrollBar()->value(), 0);

  // Newer rows within the searched range; the window does not follow them by itself.
  rig_.Store({rig_.now - 300, rig_.now});
  EXPECT_EQ(dlg->Model()->rowCount(), shown);
  dlg->findChild<QPushButton*>("refresh")->click();
  QApplication::processEvents();
  ASSERT_EQ(dlg->Model()->rowCount(), shown + 2);
  EXPECT_EQ(Cell(*dlg, shown + 1, 1), QString::fromStdString(LocalStamp(rig_.now, "%d-%m-%Y %H:%M")));
  EXPECT_EQ(grid->verticalScrollBar()->value(), grid->verticalScrollBar()->maximum());
  EXPECT_EQ(grid->rowAt(grid->viewport()->height() - 2), shown + 1);
  EXPECT_EQ(dlg->StartText(), LocalStamp(rig_.now - 3600));  // the same range as before
}

TEST_F(HistoryDlgTest, AWeekAndUserDefined) {
  rig_.Store({rig_.now - 8 * 86400, rig_.now - 6 * 86400, rig_.now - 1800});
  auto dlg = Make();
  ASSERT_TRUE(dlg->Open());
  ASSERT_EQ(dlg->Model()->rowCount(), 1);

  QComboBox* condition = dlg->findChild<QComboBox*>("condition");
  condition->setCurrentIndex(2);  // "a week": the pickers move, nothing is searched yet
  EXPECT_EQ(Picker(*dlg, "startDate", "startTime").toStdString(), LocalStamp(rig_.now - 604800));
  EXPECT_EQ(Picker(*dlg, "endDate", "endTime").toStdString(), LocalStamp(rig_.now));
  EXPECT_EQ(dlg->Model()->rowCount(), 1);
  dlg->findChild<QPushButton*>("search")->click();
  EXPECT_EQ(dlg->StartText(), LocalStamp(rig_.now - 604800));
  EXPECT_EQ(dlg->Model()->rowCount(), 2);

  rig_.clock.Advance(120);
  condition->setCurrentIndex(4);  // "user defined": back to the last hour, from the new now
  EXPECT_EQ(Picker(*dlg, "startDate", "startTime").toStdString(), LocalStamp(rig_.now + 120 - 3600));
  EXPECT_EQ(Picker(*dlg, "endDate", "endTime").toStdString(), LocalStamp(rig_.now + 120));
  EXPECT_EQ(dlg->StartText(), LocalStamp(rig_.now - 604800));
}

TEST_F(HistoryDlgTest, ColumnsInTheStationsUnitsWithTheFileUnchanged) {
  rig_.UseImperialUnits();
  rig_.Store({rig_.now - 60});
  const std::string before = rig_.DataBytes();
  auto dlg = Make();
  ASSERT_TRUE(dlg->Open());
  ASSERT_EQ(dlg->Model()->rowCount(), 1);
  const std::vector<std::pair<int, QString>> cells = {
      {4, "70.7"},  {6, "26.2"},  {12, "21.0"}, {13, "16.9"}, {7, "29.92"}, {11, "30.12"},
      {8, "4.3"},   {9, "7.2"},   {14, "0.02"}, {15, "0.05"}, {16, "0.18"}, {17, "0.47"},
      {18, "1.00"}, {3, "45"},    {10, "SEE"}};
  for (const auto& [column, text] : cells) EXPECT_EQ(Cell(*dlg, 0, column), text) << column;
  const CHistoryGridModel* m = dlg->Model();
  EXPECT_EQ(m->headerData(4, Qt::Horizontal).toString(), "Indoor Temperature(°F)");
  EXPECT_EQ(m->headerData(11, Qt::Horizontal).toString(), "Relative Pressure(inHg)");
  EXPECT_EQ(m->headerData(8, Qt::Horizontal).toString(), "Wind(km/h)");
  EXPECT_EQ(m->headerData(15, Qt::Horizontal).toString(), "24 hour Rainfall(inch)");
  EXPECT_EQ(rig_.DataBytes(), before);
}

TEST_F(HistoryDlgTest, GridLooksAndBehavesAsAHistoryList) {
  rig_.Store({rig_.now - 60});
  auto dlg = Make();
  ASSERT_TRUE(dlg->Open());
  QTableView* grid = dlg->GridView();
  QHeaderView* header = grid->horizontalHeader();
  EXPECT_EQ(dlg->Model()->columnCount(), 34);
  EXPECT_TRUE(header->sectionsMovable());
  EXPECT_EQ(grid->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_TRUE(grid->showGrid());
  EXPECT_GE(header->sectionSize(0), 40);
  EXPECT_GE(header->sectionSize(20), 150);
  for (int c = 21; c < 34; ++c) EXPECT_EQ(header->sectionSize(c), 0) << c;
  const QVariant centred = dlg->Model()->data(dlg->Model()->index(0, 5), Qt::TextAlignmentRole);
  EXPECT_EQ(centred.value<Qt::Alignment>(), Qt::AlignCenter);
  EXPECT_FALSE(dlg->findChild<QPushButton*>("print")->isVisibleTo(dlg.get()));
  EXPECT_FALSE(dlg->findChild<QPushButton*>("delete")->isEnabled());
  // No Graph window to open: the button says so.
  EXPECT_FALSE(dlg->findChild<QPushButton*>("graph")->isEnabled());
}

TEST_F(HistoryDlgTest, ClearDataAsksFirst) {
  rig_.Store({rig_.now - 120, rig_.now - 60});
  const std::string before = rig_.DataBytes();
  auto dlg = Make();
  ASSERT_TRUE(dlg->Open());
  rig_.answer = false;
  dlg->findChild<QPushButton*>("clearData")->click();
  EXPECT_EQ(rig_.questions, QStringList({"Do you want to clear all data on PC?"}));
  EXPECT_EQ(rig_.captions, QStringList({"Operation Notify"}));
  EXPECT_EQ(dlg->Model()->rowCount(), 2);
  EXPECT_EQ(rig_.DataBytes(), before);

  rig_.answer = true;
  dlg->ClearData();
  EXPECT_EQ(dlg->Model()->rowCount(), 0);
  EXPECT_EQ(rig_.DataBytes(), "");
  EXPECT_TRUE(rig_.messages.isEmpty());
}

TEST_F(HistoryDlgTest, ClearMemoryAsksThenClearsTheStationsHistory) {
  HeaderRecord header;
  ASSERT_TRUE(rig_.device->ReadHeader(header));
  ASSERT_NE(header[hdr::kRecordCount], "0");
  auto dlg = Make();
  ASSERT_TRUE(dlg->Open());
  rig_.answer = false;
  dlg->findChild<QPushButton*>("clearMemory")->click();
  EXPECT_EQ(rig_.questions, QStringList({"Do you want to clear memory on the device?"}));
  EXPECT_EQ(rig_.captions, QStringList({"Operation Notify"}));
  ASSERT_TRUE(rig_.device->ReadHeader(header));
  EXPECT_NE(header[hdr::kRecordCount], "0");

  // A busy station: three waits, then the message, and nothing written.
  rig_.answer = true;
  rig_.device->DeviceBusy().store(true);
  dlg->ClearMemory();
  EXPECT_EQ(rig_.sleeps, 3);
  EXPECT_EQ(rig_.messages, QStringList({"Can't communicate with device!"}));
  rig_.device->DeviceBusy().store(false);
  ASSERT_TRUE(rig_.device->ReadHeader(header));
  EXPECT_NE(header[hdr::kRecordCount], "0");

  dlg->ClearMemory();
  EXPECT_FALSE(rig_.device->DeviceBusy().load());
  ASSERT_TRUE(rig_.device->ReadHeader(header));
  EXPECT_EQ(header[hdr::kRecordCount], "0");
  EXPECT_EQ(rig_.messages.size(), 1);  // no word on the outcome
}

TEST_F(HistoryDlgTest, BusyStationAtOpeningClosesTheWindow) {
  rig_.device->DeviceBusy().store(true);
  auto dlg = Make();
  EXPECT_FALSE(dlg->Open());
  EXPECT_EQ(rig_.messages, QStringList({"Can't communicate with device!"}));
  EXPECT_EQ(rig_.sleeps, 3);
  EXPECT_TRUE(rig_.device->DeviceBusy().load());  // still the other holder's
}

TEST_F(HistoryDlgTest, UnreadableHeaderGivesTheDefaultUnits) {
  rig_.UseImperialUnits();
  rig_.Store({rig_.now - 60});
  rig_.station->RefuseReportsAfter(0);
  auto dlg = Make();
  ASSERT_TRUE(dlg->Open());
  EXPECT_EQ(rig_.messages, QStringList({"Read weather setup data fail!"}));
  EXPECT_EQ(dlg->Model()->headerData(4, Qt::Horizontal).toString(), "Indoor Temperature(°C)");
  EXPECT_EQ(Cell(*dlg, 0, 4), "21.5");
  EXPECT_EQ(Cell(*dlg, 0, 7), "1013.2");
  EXPECT_FALSE(rig_.device->DeviceBusy().load());
}

TEST_F(HistoryDlgTest, GraphHandsOnTheSelectionAndTheRangeAfterTheWindowIsGone) {
  rig_.Store({rig_.now - 60});
  std::vector<GraphRequest> opened;
  bool historyGone = false;
  auto opener = [&](QWidget*, const GraphRequest& r) {
    historyGone = QApplication::topLevelWidgets().size() == 0 ||
                  std::none_of(QApplication::topLevelWidgets().begin(),
                               QApplication::topLevelWidgets().end(),
                               [](QWidget* w) { return qobject_cast<CHistoryDlg*>(w) != nullptr; });
    opened.push_back(r);
  };
  auto pressGraph = OnModal::Of<CHistoryDlg>([](CHistoryDlg* dlg) {
    dlg->findChild<QComboBox*>("condition")->setCurrentIndex(2);
    dlg->findChild<QPushButton*>("graph")->click();
  });
  OpenHistoryWindow(nullptr, rig_.text, *rig_.device, rig_.file, rig_.clock, opener, rig_.prompts);
  ASSERT_TRUE(pressGraph->Seen());
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_TRUE(historyGone);
  EXPECT_EQ(opened[0].condition, 2);
  EXPECT_EQ(opened[0].start.toStdString(), LocalStamp(rig_.now - 604800));
  EXPECT_EQ(opened[0].end.toStdString(), LocalStamp(rig_.now));

  // Cancel ends the window without a Graph window.
  auto cancel = OnModal::Of<CHistoryDlg>([](CHistoryDlg* dlg) {
    dlg->findChild<QPushButton*>("cancel")->click();
  });
  OpenHistoryWindow(nullptr, rig_.text, *rig_.device, rig_.file, rig_.clock, opener, rig_.prompts);
  ASSERT_TRUE(cancel->Seen());
  EXPECT_EQ(opened.size(), 1u);
}

TEST_F(HistoryDlgTest, ResizeMovesTheButtonsAndStretchesTheGridDownToTheSmallestSize) {
  auto dlg = Make();
  ASSERT_TRUE(dlg->Open());
  dlg->show();
  QApplication::processEvents();
  const QSize start = dlg->size();
  QWidget* grid = dlg->GridView();
  const char* const buttons[] = {"refresh", "clearData", "clearMemory", "graph", "export", "cancel"};
  auto geometries = [&] {
    std::vector<QRect> g{grid->geometry(), dlg->findChild<QWidget*>("searchGroup")->geometry()};
    for (const char* b : buttons) g.push_back(dlg->findChild<QPushButton*>(b)->geometry());
    return g;
  };
  const std::vector<QRect> before = geometries();

  dlg->resize(start.width() + 140, start.height() + 100);
  QApplication::processEvents();
  const std::vector<QRect> after = geometries();
  EXPECT_EQ(after[0], before[0].adjusted(0, 0, 140, 100));
  EXPECT_EQ(after[1].topLeft(), before[1].topLeft());  // the search group stays on top
  for (std::size_t i = 2; i < after.size(); ++i) EXPECT_EQ(after[i], before[i].translated(0, 100)) << i;

  // Smaller than its controls the window does not become: every button stays in it.
  dlg->resize(200, 200);
  QApplication::processEvents();
  EXPECT_EQ(dlg->size(), dlg->minimumSize());
  for (const char* b : buttons) EXPECT_TRUE(dlg->rect().contains(dlg->findChild<QPushButton*>(b)->geometry())) << b;
  EXPECT_GT(grid->height(), 0);
}

TEST(HistoryDlgLanguages, CaptionsFollowTheLanguage) {
  const std::pair<int, std::vector<QString>> cases[] = {
      {1, {"Daten Historie", "Stunde", "Individuell"}},
      {2, {"Historik Data", "en time", "bruger defineret"}}};
  for (const auto& [language, texts] : cases) {
    WindowRig rig(language);
    CHistoryDlg dlg(rig.text, *rig.device, rig.file, rig.clock, nullptr, {}, rig.prompts);
    EXPECT_EQ(dlg.windowTitle(), texts[0]);
    QComboBox* condition = dlg.findChild<QComboBox*>("condition");
    ASSERT_EQ(condition->count(), 5);
    EXPECT_EQ(condition->itemText(0), texts[1]);
    EXPECT_EQ(condition->itemText(4), texts[2]);
  }
}

}  // namespace
}  // namespace skyvane
