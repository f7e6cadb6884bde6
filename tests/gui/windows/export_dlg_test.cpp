// The Export dialog and the export of the History grid on the offscreen
// platform: offered columns, UP and Down, separators, the header line, the
// save dialog and the bytes written.
#include "gui/windows/export_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "core/history/history_grid.h"
#include "gui/windows/history_dlg.h"
#include "gui/windows/history_grid_model.h"
#include "gui/windows/window_controls.h"
#include "history_window_support.h"
#include "gui_test_support.h"

namespace skyvane {
namespace {

using test::OnModal;
using test::LocalStamp;
using test::WindowRig;

const std::string kDefaultHeader =
    "No\tTime\tInterval(mi)\tIndoor Humidity(%)\tIndoor Temperature(°C)\tOutdoor Humidity(%)\t"
    "Outdoor Temperature(°C)\tAbsolute Pressure(Hpa)\tWind(m/s)\tGust(m/s)\tDirection\t"
    "Relative Pressure(Hpa)\tDewpoint(°C)\tWindchill(°C)\tHour Rainfall(mm)\t24 hour Rainfall(mm)\t"
    "Week Rainfall(mm)\tMonth Rainfall(mm)\tTotal Rainfall(mm)\tWind Level(bft)\tGust Level(bft)\r\n";
// A stored row's cells after "No" and "Time" in the metric units.
const std::string kMetricCells =
    "5\t45\t21.5\t80\t-3.2\t1013.2\t1.2\t2.0\tSEE\t1020.1\t-6.1\t-8.4\t0.6\t1.2\t4.5\t12.0\t25.4\t1\t2";

std::vector<std::string> Items(const QListWidget* list) {
  std::vector<std::string> items;
  for (int i = 0; i < list->count(); ++i) {
    items.push_back(list->item(i)->text().toStdString() + (list->item(i)->isSelected() ? "" : " (off)"));
  }
  return items;
}

class ExportDlgTest : public ::testing::Test {
 protected:
  std::vector<std::string> DefaultEntries() {
    const HistoryGrid grid(rig_.text);
    return ColumnEntries(grid, GridDefaultWidths());
  }
  WindowRig rig_;
};

TEST_F(ExportDlgTest, OffersTheVisibleColumnsAllSelectedWithTab) {
  CExportDlg dlg(rig_.text, DefaultEntries());
  EXPECT_EQ(dlg.windowTitle(), "Export Grid Data");
  const std::vector<std::string> items = Items(dlg.List());
  ASSERT_EQ(items.size(), 21u);
  EXPECT_EQ(items[0], "1.No");
  EXPECT_EQ(items[1], "2.Time");
  EXPECT_EQ(items[2], "3.Interval(mi)");
  EXPECT_EQ(items[20], "21.Gust Level(bft)");
  QComboBox* separator = dlg.findChild<QComboBox*>("separator");
  EXPECT_TRUE(separator->isEditable());
  EXPECT_EQ(separator->currentText(), "TAB");
  ASSERT_EQ(separator->count(), 7);
  EXPECT_EQ(separator->itemText(1), "BLANK");
  EXPECT_EQ(separator->itemText(6), ":");
  EXPECT_TRUE(dlg.findChild<QCheckBox*>("header")->isChecked());
  EXPECT_EQ(dlg.List()->selectionMode(), QAbstractItemView::MultiSelection);

  dlg.accept();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  const ExportChoices& choices = dlg.Choices();
  ASSERT_EQ(choices.columns.size(), 21u);
  for (int i = 0; i < 21; ++i) EXPECT_EQ(choices.columns[i].gridColumn(), i);
  EXPECT_EQ(choices.separator, "\t");
  EXPECT_TRUE(choices.header);
}

TEST_F(ExportDlgTest, UpAndDownMoveTheFocusedItemWithItsSelection) {
  CExportDlg dlg(rig_.text, DefaultEntries());
  QListWidget* list = dlg.List();
  list->item(2)->setSelected(false);

  list->setCurrentRow(1, QItemSelectionModel::NoUpdate);
  dlg.findChild<QPushButton*>("up")->click();  // Time to the top
  EXPECT_EQ(list->currentRow(), 0);
  dlg.MoveUp();  // the first item stays
  EXPECT_EQ(Items(list)[0], "2.Time");
  EXPECT_EQ(Items(list)[1], "1.No");

  list->setCurrentRow(2, QItemSelectionModel::NoUpdate);
  dlg.findChild<QPushButton*>("down")->click();  // the unselected Interval moves and stays off
  EXPECT_EQ(Items(list)[3], "3.Interval(mi) (off)");
  EXPECT_EQ(list->currentRow(), 3);

  list->setCurrentRow(20, QItemSelectionModel::NoUpdate);
  dlg.MoveDown();  // the last item stays
  EXPECT_EQ(Items(list)[20], "21.Gust Level(bft)");

  dlg.accept();
  const ExportChoices& choices = dlg.Choices();
  ASSERT_EQ(choices.columns.size(), 20u);
  EXPECT_EQ(choices.columns[0].gridColumn(), 1);  // the number read back picks Time
  EXPECT_EQ(choices.columns[1].gridColumn(), 0);
  EXPECT_EQ(choices.columns[2].gridColumn(), 3);
}

TEST_F(ExportDlgTest, NothingSelectedAsksForASelectionAndStays) {
  CExportDlg dlg(rig_.text, DefaultEntries());
  dlg.show();
  dlg.List()->clearSelection();
  auto message = OnModal::Message("Please select data!", [](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Operation Notify");
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    box->accept();
  });
  dlg.findChild<QPushButton*>("export")->click();
  EXPECT_TRUE(message->Seen());
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_NE(dlg.result(), QDialog::Accepted);
}

TEST_F(ExportDlgTest, SeparatorWordsAndHeaderChoice) {
  const std::pair<QString, std::string> cases[] = {
      {"BLANK", " "}, {";TAB;", ";\t;"}, {"; TAB ;", "; \t ;"}, {"|", "|"}, {"", ""}};
  for (const auto& [typed, separator] : cases) {
    CExportDlg dlg(rig_.text, DefaultEntries());
    dlg.findChild<QComboBox*>("separator")->setEditText(typed);
    dlg.findChild<QCheckBox*>("header")->setChecked(false);
    dlg.accept();
    EXPECT_EQ(dlg.Choices().separator, separator) << typed.toStdString();
    EXPECT_FALSE(dlg.Choices().header);
  }
}

// The whole Export... of the History window: the dialog, the save dialog and
// the file.
class HistoryExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_.UseMetricUnits();
    // As if the user had saved into the test's folder before in this session.
    RememberSaveFolder(QString::fromStdString((rig_.folder_ / "earlier.txt").string()));
    dlg_ = std::make_unique<CHistoryDlg>(rig_.text, *rig_.device, rig_.file, rig_.clock, nullptr,
                                         GraphOpener{}, rig_.prompts);
  }
  // Presses Export..., lets dialogAction set the choices, saves to name.
  void Export(const std::function<void(CExportDlg*)>& dialogAction,
              const std::function<void(QFileDialog*)>& fileAction) {
    auto choose = OnModal::Of<CExportDlg>([&](CExportDlg* d) {
      dialogAction(d);
      d->findChild<QPushButton*>("export")->click();
    });
    auto save = OnModal::Of<QFileDialog>([&](QFileDialog* d) { fileAction(d); });
    dlg_->findChild<QPushButton*>("export")->click();
    EXPECT_TRUE(choose->Seen());
    EXPECT_TRUE(save->Seen());
  }
  // The file dialog leaves its name field alone while that has the focus,
  // which depends on the machine's window handling: take the focus away first.
  static void ChooseFile(QFileDialog* d, const std::filesystem::path& path) {
    test::ChooseFile(d, QString::fromStdString(path.string()));
  }
  static std::function<void(QFileDialog*)> SaveAs(const std::filesystem::path& path) {
    return [path](QFileDialog* d) {
      ChooseFile(d, path);
      QMetaObject::invokeMethod(d, "accept");
    };
  }
  std::string Row(int n, std::time_t t) {
    return std::to_string(n) + "\t" + LocalStamp(t, "%d-%m-%Y %H:%M") + "\t" + kMetricCells + "\r\n";
  }

  WindowRig rig_;
  std::unique_ptr<CHistoryDlg> dlg_;
};

TEST_F(HistoryExportTest, DefaultChoicesWriteTheGridWithTabsAndCrLf) {
  rig_.Store({rig_.now - 900, rig_.now - 300});
  ASSERT_TRUE(dlg_->Open());
  const auto path = rig_.folder_ / "Skyvane.txt";
  Export([](CExportDlg*) {},
         [&](QFileDialog* d) {
           EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
           EXPECT_EQ(d->nameFilters(),
                     QStringList({"TXT Files (*.txt)", "EXCEL Files (*.xls)", "All Files (*.*)"}));
           EXPECT_EQ(d->defaultSuffix(), "txt");
           ASSERT_FALSE(d->selectedFiles().isEmpty());
           EXPECT_EQ(d->selectedFiles().first().toStdString(), path.string());
           QMetaObject::invokeMethod(d, "accept");
         });
  EXPECT_EQ(test::ReadFileBytes(path), kDefaultHeader + Row(1, rig_.now - 900) + Row(2, rig_.now - 300));
}

TEST_F(HistoryExportTest, TimeMovedFirstAndTheExcelFilter) {
  rig_.Store({rig_.now - 300});
  ASSERT_TRUE(dlg_->Open());
  Export(
      [](CExportDlg* d) {
        d->List()->setCurrentRow(1, QItemSelectionModel::NoUpdate);
        d->MoveUp();
        for (int i = 3; i < d->List()->count(); ++i) d->List()->item(i)->setSelected(false);
        d->findChild<QComboBox*>("separator")->setEditText("BLANK");
      },
      [&](QFileDialog* d) {
        QTest::keyClick(d->findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);
        ChooseFile(d, rig_.folder_ / "week");
        QMetaObject::invokeMethod(d, "accept");
      });
  EXPECT_EQ(test::ReadFileBytes(rig_.folder_ / "week.xls"),
            "Time No Interval(mi)\r\n" + LocalStamp(rig_.now - 300, "%d-%m-%Y %H:%M") + " 1 5\r\n");
}

TEST_F(HistoryExportTest, EmptyGridWritesTheHeaderOrNothing) {
  ASSERT_TRUE(dlg_->Open());
  ASSERT_EQ(dlg_->Model()->rowCount(), 0);
  const auto path = rig_.folder_ / "empty.txt";
  Export([](CExportDlg*) {}, SaveAs(path));
  EXPECT_EQ(test::ReadFileBytes(path), kDefaultHeader);
  // Without the header, onto the file just written: it is replaced by
  // nothing. Ours is to have the file dialog ask first; the question itself
  // is the platform's and differs between machines, so the user's Yes is
  // taken as given.
  Export([](CExportDlg* d) { d->findChild<QCheckBox*>("header")->setChecked(false); },
         [&](QFileDialog* d) {
           EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
           d->setOption(QFileDialog::DontConfirmOverwrite);
           ChooseFile(d, path);
           QMetaObject::invokeMethod(d, "accept");
         });
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(test::ReadFileBytes(path), "");
}

TEST_F(HistoryExportTest, OffersWhatTheGridShowsInCreationOrder) {
  rig_.Store({rig_.now - 300});
  ASSERT_TRUE(dlg_->Open());
  QHeaderView* header = dlg_->GridView()->horizontalHeader();
  header->resizeSection(1, 0);    // Time dragged shut
  header->resizeSection(33, 70);  // saveTime widened
  header->moveSection(5, 0);      // dragging headers does not change the numbers
  std::vector<std::string> offered;
  const auto path = rig_.folder_ / "x.txt";
  Export([&](CExportDlg* d) { offered = Items(d->List()); }, SaveAs(path));
  ASSERT_EQ(offered.size(), 21u);
  EXPECT_EQ(offered[0], "1.No");
  EXPECT_EQ(offered[1], "3.Interval(mi)");
  EXPECT_EQ(offered[20], "34.saveTime");
  const std::string bytes = test::ReadFileBytes(path);
  const std::string firstLine = bytes.substr(0, bytes.find("\r\n"));
  EXPECT_EQ(firstLine.substr(0, 16), "No\tInterval(mi)\t");
  EXPECT_EQ(firstLine.substr(firstLine.size() - 24), "Gust Level(bft)\tsaveTime");
  EXPECT_EQ(bytes.substr(bytes.size() - 22), "\t" + LocalStamp(rig_.now) + "\r\n");  // stored at now
}

TEST_F(HistoryExportTest, CancelledSaveWritesNothing) {
  rig_.Store({rig_.now - 300});
  ASSERT_TRUE(dlg_->Open());
  Export([](CExportDlg*) {}, [](QFileDialog* d) { d->reject(); });
  EXPECT_FALSE(std::filesystem::exists(rig_.folder_ / "Skyvane.txt"));
}

}  // namespace
}  // namespace skyvane
