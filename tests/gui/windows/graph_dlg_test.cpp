#include "gui/windows/graph_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimeEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/units/timestamps.h"
#include "gui/chart/chart_widget.h"
#include "gui/windows/graph_window_entry.h"
#include "gui/windows/window_controls.h"
#include "gui_test_support.h"
#include "windows/graph_window_support.h"

namespace skyvane {
namespace {

using test::GraphRig;
using test::GraphTestNow;
using test::LocalStamp;

constexpr std::time_t kHour = 3600;
constexpr std::time_t kDay = 86400;
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);

template <class T>
T* Child(const QWidget& w, const char* name) {
  T* c = w.findChild<T*>(QLatin1String(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

int PlottedPoints(const ChartSeries& s) {
  int n = 0;
  for (const ChartPoint& p : s.points) n += p.IsGap() ? 0 : 1;
  return n;
}

// A window opened as the Graph command opens it; waits for a busy station are
// counted, not slept, and messages are kept.
std::unique_ptr<CGraphDlg> OpenFromMenu(GraphRig& rig, int* sleeps = nullptr, QStringList* messages = nullptr) {
  DialogPrompts prompts;
  prompts.sleep = [sleeps](std::chrono::milliseconds) {
    if (sleeps) ++*sleeps;
  };
  prompts.message = [messages](QWidget*, const QString& text) {
    if (messages) messages->append(text);
  };
  prompts.ask = [](QWidget*, const QString&, const QString&) { return false; };
  return std::make_unique<CGraphDlg>(rig.text, *rig.device, rig.file, rig.clock, MenuGraphOpening(rig.clock),
                                     nullptr, prompts);
}

// While it lives, a modal window left open after five seconds is closed, so a
// failing test cannot hang.
class ModalSafetyNet {
 public:
  ModalSafetyNet() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    timer_.start(5000);
  }
  // Timers started with this context die with the net.
  QObject* context() { return &timer_; }

 private:
  QTimer timer_;
};

// Answers the next file dialog with the path and tells what it offered.
struct FileDialogAnswer {
  QString defaultName, suffix, folder;
  QStringList filters;
  bool confirms = false;
};
void AnswerFileDialog(ModalSafetyNet& net, const QString& path, FileDialogAnswer& seen) {
  QTimer::singleShot(0, net.context(), [path, &seen] {
    auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (files == nullptr) return;
    seen.defaultName = QFileInfo(files->selectedFiles().value(0)).fileName();
    seen.folder = files->directory().absolutePath();
    seen.suffix = files->defaultSuffix();
    seen.filters = files->nameFilters();
    seen.confirms = !files->testOption(QFileDialog::DontConfirmOverwrite);
    test::ChooseFile(files, path);
    QMetaObject::invokeMethod(files, "accept");
  });
}

TEST(GraphWindow, OpensOnTheLastMonthsHumidityAsALine) {
  GraphRig rig;
  // Just outside, exactly at the start, inside, exactly at the end.
  ASSERT_TRUE(rig.StoreAt({30 * kDay + 1, 30 * kDay, kHour, 0}));
  auto dlg = OpenFromMenu(rig);

  EXPECT_EQ(Child<QComboBox>(*dlg, "condition")->currentText(), "a month");
  EXPECT_EQ(Child<QComboBox>(*dlg, "series")->currentText(), "Humidity");
  EXPECT_EQ(Child<QComboBox>(*dlg, "type")->currentText(), "Line");
  EXPECT_EQ(dlg->StartText(), LocalStamp(GraphTestNow() - 30 * kDay));
  EXPECT_EQ(dlg->EndText(), LocalStamp(GraphTestNow()));

  const ChartContent& c = dlg->Chart()->Content();
  EXPECT_EQ(c.header, "Weather--Humidity");
  EXPECT_FALSE(c.view3D);
  EXPECT_DOUBLE_EQ(c.bottom.minimum, TimestampToChartTime(dlg->StartText()));
  EXPECT_DOUBLE_EQ(c.bottom.maximum, TimestampToChartTime(dlg->EndText()));
  EXPECT_EQ(c.bottom.title, "Sample Time");
  EXPECT_EQ(c.bottomFormat, "dd-mm-yyyy hh:nn:ss");
  EXPECT_EQ(c.left.title, "Humidity (Unit:%)");
  EXPECT_EQ(c.left.minimum, 0);
  EXPECT_EQ(c.left.maximum, 100);
  ASSERT_EQ(c.series.size(), 2u);
  EXPECT_EQ(c.series[0].title, "Indoor Humidity");
  EXPECT_EQ(c.series[1].title, "Outdoor Humidity");
  EXPECT_EQ(c.series[0].colour, kRed);
  EXPECT_EQ(c.series[1].colour, kGreen);
  for (const ChartSeries& s : c.series) {
    EXPECT_EQ(s.kind, ChartSeriesClass::kLine);
    ASSERT_EQ(s.points.size(), 3u);
    EXPECT_DOUBLE_EQ(s.points.front().x, c.bottom.minimum);
    EXPECT_DOUBLE_EQ(s.points.back().x, c.bottom.maximum);
  }
  EXPECT_EQ(c.series[0].points[1].y, 45);
  EXPECT_EQ(c.series[1].points[1].y, 80);
}

TEST(GraphWindow, PressureInInchesOfMercury) {
  GraphRig rig;
  rig.SetPressureUnit("inHg");
  ASSERT_TRUE(rig.StoreAt({kHour}));
  auto dlg = OpenFromMenu(rig);
  Child<QComboBox>(*dlg, "series")->setCurrentIndex(4);

  const ChartContent& c = dlg->Chart()->Content();
  EXPECT_EQ(c.header, "Weather--Pressure");
  EXPECT_EQ(c.left.title, "Pressure (Unit:inHg)");
  // 900 and 1050 hPa in inches of mercury.
  EXPECT_NEAR(c.left.minimum, 26.577, 0.001);
  EXPECT_NEAR(c.left.maximum, 31.006, 0.001);
  ASSERT_EQ(c.series.size(), 2u);
  EXPECT_EQ(c.series[0].title, "Absolute Pressure");
  EXPECT_EQ(c.series[1].title, "Relative Pressure");
  ASSERT_EQ(c.series[0].points.size(), 1u);
  // 1013.2 and 1020.1 hPa, as the display texts "29.92" and "30.12" read back.
  EXPECT_DOUBLE_EQ(c.series[0].points[0].y, 29.92);
  EXPECT_DOUBLE_EQ(c.series[1].points[0].y, 30.12);
  // The data file keeps hPa.
  HistoryRowArray stored;
  rig.file.LoadAll(stored);
  EXPECT_EQ(stored.at(0)[row::absolutePressure], "1013.2");
}

TEST(GraphWindow, SeriesTypeAnd3DRedrawTheLoadedRowsWithoutReadingTheFile) {
  GraphRig rig;
  ASSERT_TRUE(rig.StoreAt({2 * kHour, kHour}));
  auto dlg = OpenFromMenu(rig);
  // A row stored after the search: only Refresh or Search may show it.
  ASSERT_TRUE(rig.StoreAt({60}));

  Child<QComboBox>(*dlg, "type")->setCurrentIndex(10);
  const ChartContent& c = dlg->Chart()->Content();
  EXPECT_EQ(Child<QComboBox>(*dlg, "type")->currentText(), "Bar3D");
  ASSERT_EQ(c.series.size(), 2u);
  for (const ChartSeries& s : c.series) {
    EXPECT_EQ(s.kind, ChartSeriesClass::kBar3D);
    EXPECT_EQ(s.points.size(), 2u);
  }
  Child<QCheckBox>(*dlg, "view3D")->setChecked(true);
  EXPECT_TRUE(c.view3D);
  Child<QComboBox>(*dlg, "series")->setCurrentIndex(3);
  ASSERT_EQ(c.series.size(), 1u);
  EXPECT_EQ(c.series[0].title, "Windchill");
  EXPECT_EQ(c.series[0].points.size(), 2u);
  EXPECT_EQ(dlg->Rows().size(), 2u);

  Child<QPushButton>(*dlg, "refresh")->click();
  EXPECT_EQ(dlg->Rows().size(), 3u);
  EXPECT_EQ(c.series[0].points.size(), 3u);
  EXPECT_EQ(c.series[0].kind, ChartSeriesClass::kBar3D);
  EXPECT_TRUE(c.view3D);
}

TEST(GraphWindow, TypeListGivesEachSeriesClass) {
  GraphRig rig;
  auto dlg = OpenFromMenu(rig);
  auto* type = Child<QComboBox>(*dlg, "type");
  const QStringList names = {"Line",     "Bar",   "HorizBar", "Area",    "Point", "FastLine",
                             "Arrow",    "Volume", "Bezier",  "Point3D", "Bar3D"};
  const int classes[] = {0, 1, 2, 3, 4, 6, 10, 14, 16, 19, 23};
  ASSERT_EQ(type->count(), 11);
  for (int i : {9, 3, 10, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10}) {
    type->setCurrentIndex(i);
    EXPECT_EQ(type->currentText(), names[i]);
    // The 3D box follows the type: ticked for Point3D and Bar3D only.
    EXPECT_EQ(Child<QCheckBox>(*dlg, "view3D")->isChecked(), i >= 9) << names[i].toStdString();
    EXPECT_EQ(dlg->Chart()->Content().view3D, i >= 9) << names[i].toStdString();
    ASSERT_EQ(dlg->Chart()->Content().series.size(), 2u);
    EXPECT_EQ(static_cast<int>(dlg->Chart()->Content().series[0].kind), classes[i]);
  }
}

TEST(GraphWindow, EmptyRangeDrawsAxesTitlesAndEmptySeries) {
  GraphRig rig;
  ASSERT_TRUE(rig.StoreAt({40 * kDay, 35 * kDay}));
  auto dlg = OpenFromMenu(rig);
  const ChartContent& c = dlg->Chart()->Content();
  EXPECT_EQ(dlg->Rows().size(), 0u);
  EXPECT_EQ(c.header, "Weather--Humidity");
  EXPECT_EQ(c.left.title, "Humidity (Unit:%)");
  EXPECT_EQ(c.bottom.title, "Sample Time");
  ASSERT_EQ(c.series.size(), 2u);
  EXPECT_TRUE(c.series[0].points.empty());
  EXPECT_TRUE(c.series[1].points.empty());
  // The series colours show in the legend only; the rows, once searched, add lines.
  // At the size the window's layout gives the chart, which a paint would restore.
  dlg->layout()->activate();
  ChartWidget* chart = dlg->Chart();
  const QImage empty = test::Paint(*chart, chart->width(), chart->height());
  const int legendRed = test::CountPixels(empty, kRed);
  EXPECT_GT(legendRed, 0);
  EXPECT_EQ(test::CountPixels(empty, kGreen), legendRed);
  Child<QDateEdit>(*dlg, "startDate")->setDate(QDate(2024, 1, 1));
  Child<QPushButton>(*dlg, "search")->click();
  ASSERT_EQ(dlg->Rows().size(), 2u);
  const QImage drawn = test::Paint(*chart, chart->width(), chart->height());
  EXPECT_GT(test::CountPixels(drawn, kRed), legendRed);
}

TEST(GraphWindow, MissingValuesLeaveGapsAndShortTimesAreNotPlotted) {
  GraphRig rig;
  std::vector<HistoryRow> rows;
  for (std::time_t s : {5 * kHour, 4 * kHour, 3 * kHour, 2 * kHour, kHour}) {
    rows.push_back(test::GraphRow(LocalStamp(GraphTestNow() - s)));
  }
  rows[1][row::outdoorHumidity] = "---";
  rows[2][row::outdoorHumidity] = "";
  rows[3][row::indoorHumidity] = "255";  // the station's mark of no reading
  ASSERT_TRUE(rig.Store(rows));
  auto dlg = OpenFromMenu(rig);
  const ChartContent& c = dlg->Chart()->Content();
  ASSERT_EQ(c.series.size(), 2u);
  ASSERT_EQ(c.series[0].points.size(), 5u);
  ASSERT_EQ(c.series[1].points.size(), 5u);
  EXPECT_EQ(PlottedPoints(c.series[0]), 4);
  EXPECT_TRUE(c.series[0].points[3].IsGap());
  EXPECT_EQ(PlottedPoints(c.series[1]), 3);
  EXPECT_TRUE(c.series[1].points[1].IsGap());
  EXPECT_TRUE(c.series[1].points[2].IsGap());
  EXPECT_DOUBLE_EQ(c.series[1].points[2].x, TimestampToChartTime(rows[2][row::recordTime]));
}

TEST(GraphWindow, ConditionSetsThePickersWithoutSearching) {
  GraphRig rig;
  ASSERT_TRUE(rig.StoreAt({2 * kDay, kHour}));
  auto dlg = OpenFromMenu(rig);
  rig.clock.Advance(600);
  const std::time_t now = GraphTestNow() + 600;
  auto* condition = Child<QComboBox>(*dlg, "condition");
  auto* startDate = Child<QDateEdit>(*dlg, "startDate");
  auto* startTime = Child<QTimeEdit>(*dlg, "startTime");
  auto* endDate = Child<QDateEdit>(*dlg, "endDate");
  auto* endTime = Child<QTimeEdit>(*dlg, "endTime");
  auto pickerStart = [&] { return QDateTime(startDate->date(), startTime->time()).toSecsSinceEpoch(); };
  auto pickerEnd = [&] { return QDateTime(endDate->date(), endTime->time()).toSecsSinceEpoch(); };

  const std::pair<int, std::time_t> spans[] = {{1, kDay}, {2, 7 * kDay}, {0, kHour}, {3, 30 * kDay}, {4, kHour}};
  for (const auto& [index, span] : spans) {
    condition->setCurrentIndex(index);
    EXPECT_EQ(pickerStart(), now - span) << index;
    EXPECT_EQ(pickerEnd(), now) << index;
  }
  EXPECT_EQ(dlg->StartText(), LocalStamp(GraphTestNow() - 30 * kDay));
  EXPECT_EQ(dlg->Rows().size(), 2u);

  condition->setCurrentIndex(1);
  Child<QPushButton>(*dlg, "search")->click();
  EXPECT_EQ(dlg->StartText(), LocalStamp(now - kDay));
  EXPECT_EQ(dlg->EndText(), LocalStamp(now));
  EXPECT_EQ(dlg->Rows().size(), 1u);
  EXPECT_TRUE(Child<QPushButton>(*dlg, "search")->isDefault());
}

TEST(GraphWindow, OpensFromTheHistoryWindowOnItsSelectionAndRange) {
  GraphRig rig;
  ASSERT_TRUE(rig.StoreAt({8 * kDay, 6 * kDay, 3 * kDay}));
  // The History window's "a week", searched a little while ago.
  const QString start = QString::fromStdString(LocalStamp(GraphTestNow() - 7 * kDay - 1234));
  const QString end = QString::fromStdString(LocalStamp(GraphTestNow() - 1234));
  QString condition, startText, endText, header;
  std::size_t rows = 0;
  bool seen = false;
  ModalSafetyNet net;
  QTimer::singleShot(0, net.context(), [&] {
    auto* dlg = qobject_cast<CGraphDlg*>(QApplication::activeModalWidget());
    if (dlg == nullptr) return;
    seen = true;
    condition = Child<QComboBox>(*dlg, "condition")->currentText();
    startText = QString::fromStdString(dlg->StartText());
    endText = QString::fromStdString(dlg->EndText());
    header = dlg->Chart()->Content().header;
    rows = dlg->Rows().size();
    dlg->reject();
  });
  OpenGraphWindow(nullptr, rig.text, *rig.device, rig.file, rig.clock, 2, start, end);
  ASSERT_TRUE(seen);
  EXPECT_EQ(condition, "a week");
  EXPECT_EQ(startText, start);
  EXPECT_EQ(endText, end);
  EXPECT_EQ(header, "Weather--Humidity");
  EXPECT_EQ(rows, 2u);
}

TEST(GraphWindow, BusyStationKeepsTheUnitsAfterThreeWaits) {
  GraphRig rig;
  rig.SetPressureUnit("mmHg");
  ASSERT_TRUE(rig.StoreAt({kHour}));
  int sleeps = 0;
  auto dlg = OpenFromMenu(rig, &sleeps);
  EXPECT_EQ(sleeps, 0);
  EXPECT_EQ(dlg->Units()[hdr::kUnitPressure], "mmHg");

  rig.SetPressureUnit("inHg");
  rig.device->DeviceBusy().store(true);
  Child<QComboBox>(*dlg, "series")->setCurrentIndex(4);
  EXPECT_EQ(sleeps, 3);
  EXPECT_TRUE(rig.device->DeviceBusy().load());  // still the other holder's
  EXPECT_EQ(dlg->Chart()->Content().left.title, "Pressure (Unit:mmHg)");

  rig.device->DeviceBusy().store(false);
  Child<QComboBox>(*dlg, "type")->setCurrentIndex(1);
  EXPECT_EQ(dlg->Chart()->Content().left.title, "Pressure (Unit:inHg)");
  EXPECT_FALSE(rig.device->DeviceBusy().load());
}

TEST(GraphWindow, BusyStationFromTheStartDrawsInDefaultUnits) {
  GraphRig rig;
  rig.SetPressureUnit("inHg");
  rig.device->DeviceBusy().store(true);
  int sleeps = 0;
  auto dlg = OpenFromMenu(rig, &sleeps);
  EXPECT_EQ(sleeps, 3);
  Child<QComboBox>(*dlg, "series")->setCurrentIndex(4);
  EXPECT_EQ(dlg->Chart()->Content().left.title, "Pressure (Unit:Hpa)");
  EXPECT_EQ(dlg->Chart()->Content().left.minimum, 900);
}

TEST(GraphWindow, PaintsSeriesOneRedAndSeriesTwoGreen) {
  GraphRig rig;
  std::vector<std::time_t> times;
  for (int i = 48; i >= 1; --i) times.push_back(i * kHour);
  ASSERT_TRUE(rig.StoreAt(times));
  auto dlg = OpenFromMenu(rig);
  Child<QComboBox>(*dlg, "condition")->setCurrentIndex(2);
  Child<QPushButton>(*dlg, "search")->click();

  QImage image = test::Paint(*dlg->Chart(), 800, 500);
  EXPECT_GT(test::CountPixels(image, kRed), 100);
  EXPECT_GT(test::CountPixels(image, kGreen), 100);

  Child<QComboBox>(*dlg, "series")->setCurrentIndex(1);  // one series: indoor temperature
  image = test::Paint(*dlg->Chart(), 800, 500);
  EXPECT_GT(test::CountPixels(image, kRed), 100);
  EXPECT_EQ(test::CountPixels(image, kGreen), 0);
}

TEST(GraphWindow, ResizeMovesTheBottomRowAndStretchesTheChart) {
  GraphRig rig;
  auto dlg = OpenFromMenu(rig);
  dlg->show();
  QApplication::processEvents();
  auto* chart = dlg->Chart();
  auto* cancel = Child<QPushButton>(*dlg, "cancel");
  auto* series = Child<QComboBox>(*dlg, "series");
  auto* group = Child<QWidget>(*dlg, "searchGroup");
  const QRect chart0 = chart->geometry(), cancel0 = cancel->geometry(), series0 = series->geometry();
  const QRect group0 = group->geometry();
  const QSize size0 = dlg->size();

  dlg->resize(size0 + QSize(120, 80));
  QApplication::processEvents();
  EXPECT_EQ(chart->geometry(), QRect(chart0.topLeft(), chart0.size() + QSize(120, 80)));
  EXPECT_EQ(cancel->geometry(), cancel0.translated(0, 80));
  EXPECT_EQ(series->geometry(), series0.translated(0, 80));
  EXPECT_EQ(group->geometry().topLeft(), group0.topLeft());

  // The window does not shrink below what keeps the bottom row inside it.
  dlg->resize(150, 150);
  QApplication::processEvents();
  EXPECT_EQ(dlg->size(), dlg->minimumSize());
  EXPECT_TRUE(dlg->rect().contains(cancel->geometry())) << cancel->geometry().x();
  dlg->resize(size0);
  QApplication::processEvents();
  EXPECT_EQ(chart->geometry(), chart0);
  EXPECT_EQ(cancel->geometry(), cancel0);
}

TEST(GraphWindow, ExportWritesAJpegOf1024By768) {
  GraphRig rig;
  ASSERT_TRUE(rig.StoreAt({3 * kHour, 2 * kHour, kHour}));
  QStringList messages;
  auto dlg = OpenFromMenu(rig, nullptr, &messages);

  // The first picture of a session is offered to the user's Pictures (their
  // home where there is none), never to the program folder; cancelled here.
  ForgetSaveFolder();
  QString firstFolder;
  QTimer::singleShot(0, [&firstFolder] {
    if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      firstFolder = files->directory().absolutePath();
      files->reject();
    }
  });
  Child<QPushButton>(*dlg, "export")->click();
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  EXPECT_EQ(firstFolder, QDir(QFileInfo(pictures).isDir() ? pictures : QDir::homePath()).absolutePath());
  EXPECT_NE(firstFolder, QDir(rig.Folder()).absolutePath());

  const QString target = rig.Folder() + QStringLiteral("/chart");
  FileDialogAnswer seen;
  ModalSafetyNet net;
  AnswerFileDialog(net, target, seen);
  Child<QPushButton>(*dlg, "export")->click();
  EXPECT_EQ(seen.defaultName, "Skyvane.jpg");

  // Then the folder saved into last.
  FileDialogAnswer again;
  AnswerFileDialog(net, rig.Folder() + QStringLiteral("/again"), again);
  Child<QPushButton>(*dlg, "export")->click();
  EXPECT_EQ(again.folder, QDir(rig.Folder()).absolutePath());
  EXPECT_EQ(seen.suffix, "jpg");
  EXPECT_EQ(seen.filters, QStringList({"JPEG Files (*.jpg)", "All Files (*.*)"}));
  EXPECT_TRUE(seen.confirms);
  QImageReader reader(target + QStringLiteral(".jpg"));
  EXPECT_EQ(reader.format(), "jpeg");
  EXPECT_EQ(reader.size(), QSize(1024, 768));
  const QImage picture = reader.read();
  ASSERT_FALSE(picture.isNull());
  EXPECT_FALSE(picture.isGrayscale());
  const std::vector<int> quantisers = test::JpegQuantisers(target + QStringLiteral(".jpg"));
  ASSERT_FALSE(quantisers.empty());
  EXPECT_TRUE(std::all_of(quantisers.begin(), quantisers.end(), [](int q) { return q == 1; }));  // quality 100
  EXPECT_TRUE(messages.isEmpty());
}

TEST(GraphWindow, ExportThatCannotWriteSaysSo) {
  GraphRig rig;
  QStringList messages;
  auto dlg = OpenFromMenu(rig, nullptr, &messages);
  const QString target = rig.Folder() + QStringLiteral("/missing/chart.jpg");
  RememberSaveFolder(rig.Folder() + QStringLiteral("/earlier.jpg"));  // the dialog opens beside the missing folder
  FileDialogAnswer seen;
  ModalSafetyNet net;
  AnswerFileDialog(net, target, seen);
  Child<QPushButton>(*dlg, "export")->click();
  EXPECT_FALSE(QFileInfo::exists(target));
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], target + QStringLiteral("\n\nFail"));
}

TEST(GraphWindow, GermanLayoutAndTexts) {
  GraphRig rig;
  rig.text.SetLanguageIndex(1);
  auto dlg = OpenFromMenu(rig);
  EXPECT_EQ(dlg->windowTitle(), "Grafik");
  auto* type = Child<QComboBox>(*dlg, "type");
  EXPECT_EQ(type->itemText(0), "Reihe");
  EXPECT_EQ(type->itemText(1), "Leiste");
  EXPECT_EQ(Child<QComboBox>(*dlg, "condition")->currentText(), "Monat");
  const ChartContent& c = dlg->Chart()->Content();
  EXPECT_EQ(c.header, "Wetter--Luftfeuchtigkeit");
  EXPECT_EQ(c.left.title, "Luftfeuchtigkeit (Einheit:%)");
  EXPECT_EQ(c.series.at(0).title, "innen Luftfeuchtigkeit");
  EXPECT_EQ(Child<QDateEdit>(*dlg, "startDate")->displayFormat(), "dd-MM-yyyy");
  auto* print = Child<QPushButton>(*dlg, "print");
  EXPECT_FALSE(print->isEnabled());
  EXPECT_TRUE(print->isHidden());
}

}  // namespace
}  // namespace skyvane
