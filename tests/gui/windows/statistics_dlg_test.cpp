// The Statistics window over a hand-made data file: the tables' cells in
// metric and imperial units and in another language, the exported report as
// the core writes it, and the window reached from the main frame's menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QDateEdit>
#include <QFileDialog>
#include <QPushButton>
#include <QTabWidget>

#include <fstream>
#include <sstream>

#include "core/climate/climate_book.h"
#include "core/climate/climate_report.h"
#include "core/history/history_support.h"
#include "desktop_fixture.h"
#include "gui/shell/frame_windows.h"
#include "gui/shell/main_frame.h"
#include "gui/windows/statistics_dlg.h"
#include "gui/windows/statistics_grid.h"
#include "gui_test_support.h"
#include "windows/history_window_support.h"

namespace skyvane {
namespace {

using test::OnModal;

// Two days of November 2026 and one of 2025. The row stamped 00:00:00 closes
// 2 November; its temperature is missing.
struct Stored {
  const char *time, *temperature, *humidity, *pressure, *wind, *gust, *direction, *rain;
};
constexpr Stored kRows[] = {
    {"2025-12-31 23:00:00", "1.0", "85", "1000.0", "1.0", "2.0", "8", "0.0"},
    {"2026-11-02 00:05:00", "4.0", "90", "1010.0", "2.0", "5.0", "0", "0.3"},
    {"2026-11-02 12:00:00", "12.6", "60", "1015.0", "4.0", "9.0", "4", "1.0"},
    {"2026-11-03 00:00:00", "---", "70", "1012.0", "0.0", "3.0", "4", "0.0"},
    {"2026-11-03 08:00:00", "-2.0", "95", "1020.0", "1.0", "2.0", "8", "0.0"},
};
constexpr const char* kNow = "2026-11-20 10:00:00";

void StoreRows(test::WindowRig& rig) {
  HistoryRowArray rows;
  for (const Stored& s : kRows) {
    HistoryRow r = testing::StoredRow(s.time, "30.0", s.rain);
    r[row::outdoorTemperature] = s.temperature;
    r[row::outdoorHumidity] = s.humidity;
    r[row::relativePressure] = s.pressure;
    r[row::windSpeed] = s.wind;
    r[row::gustSpeed] = s.gust;
    r[row::windDir] = s.direction;
    rows.push_back(r);
  }
  ASSERT_TRUE(rig.file.AppendRows(rows));
}

const climate::ReportUnits kMetric;
const climate::ReportUnits kImperial{"°F", "inch", "inHg", "km/h"};
const climate::ClimateOptions kOptions{18.3, 18.3, "Garden"};

std::unique_ptr<CStatisticsDlg> LoadedWindow(test::WindowRig& rig, const climate::ReportUnits& units) {
  StatisticsSource source{rig.DataPath().string(), kNow, units, kOptions};
  auto dlg = std::make_unique<CStatisticsDlg>(rig.text, source, nullptr, rig.prompts);
  EXPECT_TRUE(test::WaitFor([&] { return !dlg->Loading(); }));
  return dlg;
}

enum Tab { kDaily, kMonthly, kYearly, kRecords };
constexpr int kHeader = -1;

struct Cell {
  int tab, row, column;
  const char* text;
};
struct Setting {
  int language;
  bool imperial;
  std::vector<Cell> cells;
};

const Setting kSettings[] = {
    {0, false,
     {{kDaily, kHeader, statcol::kTemperatureHigh, "Temp. high (°C)"},
      {kDaily, 0, statcol::kDate, "2025-12-31"},
      {kDaily, 1, statcol::kDate, "2026-11-02"},
      {kDaily, 1, statcol::kRecords, "3"},
      {kDaily, 1, statcol::kTemperatureHigh, "12.6"},
      {kDaily, 1, statcol::kTemperatureHighTime, "12:00"},
      {kDaily, 1, statcol::kTemperatureLow, "4.0"},
      {kDaily, 1, statcol::kTemperatureLowTime, "00:05"},
      {kDaily, 1, statcol::kTemperatureMean, "8.3"},
      {kDaily, 1, statcol::kHumidityMean, "73"},
      {kDaily, 1, statcol::kPressureMean, "1012.3"},
      {kDaily, 1, statcol::kWindMean, "2.0"},
      {kDaily, 1, statcol::kGustHigh, "9.0"},
      {kDaily, 1, statcol::kDirection, "63"},
      {kDaily, 1, statcol::kRain, "1.3"},
      {kDaily, 1, statcol::kHeatingDegreeDays, "10.0"},
      {kDaily, 1, statcol::kCoolingDegreeDays, "0.0"},
      {kDaily, 2, statcol::kRecords, "1"},
      {kDaily, 2, statcol::kTemperatureMean, "-2.0"},
      {kMonthly, 1, statcol::kDate, "2026-11"},
      {kMonthly, 1, statcol::kTemperatureHighTime, "2026-11-02"},
      {kMonthly, 1, statcol::kTemperatureLow, "-2.0"},
      {kMonthly, 1, statcol::kWettestDay, "1.3"},
      {kMonthly, 1, statcol::kWettestDayDate, "2026-11-02"},
      {kMonthly, 1, statcol::kRainDays02, "1"},
      {kMonthly, 1, statcol::kRainDays10, "0"},
      {kYearly, 0, statcol::kDate, "2025"},
      {kYearly, 1, statcol::kRecords, "4"},
      {kRecords, kHeader, 1, "This year"},
      {kRecords, 0, 0, "12.6 °C  2026-11-02 12:00"},
      {kRecords, 1, 0, "-2.0 °C  2026-11-03 08:00"},
      {kRecords, 3, 1, "1.3 mm  2026-11-02"},
      {kRecords, 5, 2, "1010.0 Hpa  2026-11-02 00:05"}}},
    {0, true,
     {{kDaily, kHeader, statcol::kRain, "Rain (inch)"},
      {kDaily, kHeader, statcol::kGustHigh, "Gust high (km/h)"},
      {kDaily, 1, statcol::kTemperatureHigh, "54.7"},
      {kDaily, 1, statcol::kTemperatureLow, "39.2"},
      {kDaily, 1, statcol::kTemperatureMean, "46.9"},
      {kDaily, 1, statcol::kPressureHigh, "29.97"},
      {kDaily, 1, statcol::kWindMean, "7.2"},
      {kDaily, 1, statcol::kGustHigh, "32.4"},
      {kDaily, 1, statcol::kRain, "0.05"},
      {kDaily, 1, statcol::kHeatingDegreeDays, "18.0"},
      {kDaily, 2, statcol::kTemperatureHigh, "28.4"},
      {kRecords, 1, 2, "28.4 °F  2026-11-03 08:00"}}},
    {1, false,
     {{kDaily, kHeader, statcol::kTemperatureHigh, "Temp. max (°C)"},
      {kDaily, kHeader, statcol::kDirection, "Hauptrichtung (°)"},
      {kMonthly, kHeader, statcol::kRainDays1, "Regentage ≥ 1 mm"},
      {kRecords, kHeader, 0, "Gesamte Zeit"},
      {kDaily, 1, statcol::kTemperatureHigh, "12.6"},
      {kDaily, 3, statcol::kDate, ""},  // no fourth day
      {kRecords, 2, 0, "9.0 m/s  2026-11-02 12:00"}}},
};

QString CellText(const CStatisticsDlg& dlg, const Cell& c) {
  const CCellGridModel* model = dlg.Model(c.tab);
  if (c.row == kHeader) return model->headerData(c.column, Qt::Horizontal).toString();
  return model->data(model->index(c.row, c.column)).toString();
}

TEST(StatisticsWindow, TablesShowTheFileInTheDisplayUnitsAndLanguage) {
  for (const Setting& setting : kSettings) {
    test::WindowRig rig(setting.language);
    StoreRows(rig);
    auto dlg = LoadedWindow(rig, setting.imperial ? kImperial : kMetric);
    EXPECT_TRUE(rig.messages.isEmpty());
    for (const Cell& c : setting.cells) {
      EXPECT_EQ(CellText(*dlg, c).toStdString(), c.text)
          << "language " << setting.language << (setting.imperial ? " imperial" : " metric") << ", tab "
          << c.tab << ", row " << c.row << ", column " << c.column;
    }
  }
}

TEST(StatisticsWindow, TheRangeFiltersDaysMonthsAndYears) {
  test::WindowRig rig;
  StoreRows(rig);
  auto dlg = LoadedWindow(rig, kMetric);
  EXPECT_EQ(dlg->Model(kDaily)->rowCount(), 3);
  auto* to = dlg->findChild<QDateEdit*>("to");
  auto* from = dlg->findChild<QDateEdit*>("from");
  // The first read spans the whole file.
  EXPECT_EQ(from->date(), QDate(2025, 12, 31));
  EXPECT_EQ(to->date(), QDate(2026, 11, 3));
  from->setDate(QDate(2026, 11, 3));
  dlg->findChild<QPushButton*>("show")->click();
  EXPECT_EQ(dlg->Model(kDaily)->rowCount(), 1);
  EXPECT_EQ(dlg->Model(kMonthly)->rowCount(), 1);
  EXPECT_EQ(dlg->Model(kYearly)->rowCount(), 1);
  // The records are those of the whole file.
  EXPECT_EQ(CellText(*dlg, {kRecords, 0, 0, ""}).toStdString(), "12.6 °C  2026-11-02 12:00");
}

TEST(StatisticsWindow, RefreshReadsWhatWasAppended) {
  test::WindowRig rig;
  StoreRows(rig);
  auto dlg = LoadedWindow(rig, kMetric);
  HistoryRow later = testing::StoredRow("2026-11-05 09:00:00", "30.0", "2.5");
  later[row::outdoorTemperature] = "15.5";
  ASSERT_TRUE(rig.file.AppendRows({later}));
  dlg->findChild<QPushButton*>("refresh")->click();
  EXPECT_TRUE(dlg->Loading());
  ASSERT_TRUE(test::WaitFor([&] { return !dlg->Loading(); }));
  // The new day is within the range now, and the records know it.
  ASSERT_EQ(dlg->Model(kDaily)->rowCount(), 4);
  EXPECT_EQ(CellText(*dlg, {kDaily, 3, statcol::kDate, ""}).toStdString(), "2026-11-05");
  EXPECT_EQ(CellText(*dlg, {kDaily, 3, statcol::kRain, ""}).toStdString(), "2.5");
  EXPECT_EQ(CellText(*dlg, {kRecords, 0, 2, ""}).toStdString(), "15.5 °C  2026-11-05 09:00");

  // A range the user ended before the newest day stays where it was.
  dlg->findChild<QDateEdit*>("to")->setDate(QDate(2026, 11, 2));
  later[row::recordTime] = "2026-11-06 09:00:00";
  ASSERT_TRUE(rig.file.AppendRows({later}));
  dlg->findChild<QPushButton*>("refresh")->click();
  ASSERT_TRUE(test::WaitFor([&] { return !dlg->Loading(); }));
  EXPECT_EQ(dlg->findChild<QDateEdit*>("to")->date(), QDate(2026, 11, 2));
  EXPECT_EQ(dlg->Model(kDaily)->rowCount(), 2);
  EXPECT_EQ(CellText(*dlg, {kRecords, 0, 2, ""}).toStdString(), "15.5 °C  2026-11-05 09:00");
}

// Every tab, label and button has an access key of its own, in each language.
TEST(StatisticsWindow, AccessKeysAreUniqueInEveryLanguage) {
  for (int language = 0; language < 3; ++language) {
    test::WindowRig rig(language);
    auto dlg = LoadedWindow(rig, kMetric);
    QStringList texts;
    for (QAbstractButton* b : dlg->findChildren<QAbstractButton*>()) texts << b->text();
    for (QLabel* l : dlg->findChildren<QLabel*>()) texts << l->text();
    for (int i = 0; i < dlg->Tabs()->count(); ++i) texts << dlg->Tabs()->tabText(i);
    QString keys;
    for (const QString& text : texts) {
      const qsizetype amp = text.indexOf(QLatin1Char('&'));
      if (amp < 0 || amp + 1 >= text.size()) continue;
      const QChar key = text[amp + 1].toLower();
      EXPECT_FALSE(keys.contains(key)) << "language " << language << ": " << text.toStdString();
      keys += key;
    }
    EXPECT_GE(keys.size(), 9) << language;
  }
}

TEST(StatisticsWindow, AnUnreadableFileIsToldAndLeavesTheTablesEmpty) {
  test::WindowRig rig;
  StatisticsSource source{(rig.folder_.path() / "missing" / "Skyvane.dat").string(), kNow, {}, {}};
  CStatisticsDlg dlg(rig.text, source, nullptr, rig.prompts);
  ASSERT_TRUE(test::WaitFor([&] { return !dlg.Loading(); }));
  EXPECT_EQ(rig.messages.size(), 1);
  EXPECT_EQ(dlg.Model(kDaily)->rowCount(), 0);
  EXPECT_FALSE(dlg.findChild<QPushButton*>("exportReport")->isEnabled());
}

TEST(StatisticsWindow, ExportWritesTheReportTheCoreWrites) {
  test::WindowRig rig;
  StoreRows(rig);
  auto dlg = LoadedWindow(rig, kImperial);
  climate::ClimateBook book(kOptions);
  std::string error;
  ASSERT_TRUE(book.Refresh(rig.DataPath().string(), error)) << error;
  for (const char* period : {"2026-11", "2026", "2025-12"}) {
    const std::filesystem::path out = rig.folder_.path() / (std::string(period) + "-report.txt");
    auto* report = dlg->findChild<QComboBox*>("report");
    report->setCurrentText(QString::fromLatin1(period));
    ASSERT_EQ(report->currentText(), period);
    QString offered;
    auto save = OnModal::Of<QFileDialog>([&](QFileDialog* fd) {
      offered = fd->selectedFiles().value(0);
      test::ChooseFile(fd, QString::fromStdString(out.string()));
      QMetaObject::invokeMethod(fd, "accept");
    });
    dlg->findChild<QPushButton*>("exportReport")->click();
    ASSERT_TRUE(save->Seen());
    EXPECT_TRUE(offered.endsWith(QString::fromLatin1(period) + ".txt")) << offered.toStdString();
    const std::string expected = climate::ClimateReport(book, period, kImperial, kOptions);
    ASSERT_NE(expected.find("Station: Garden"), std::string::npos) << expected;
    std::ifstream in(out, std::ios::binary);
    std::ostringstream written;
    written << in.rdbuf();
    EXPECT_EQ(written.str(), expected) << period;
  }
  // The table's day and the report's line for it agree to the digit.
  QStringList fromTable{"2"};
  for (int col : {statcol::kTemperatureMean, statcol::kTemperatureHigh, statcol::kTemperatureHighTime,
                  statcol::kTemperatureLow, statcol::kTemperatureLowTime, statcol::kHeatingDegreeDays,
                  statcol::kCoolingDegreeDays, statcol::kRain, statcol::kWindMean, statcol::kGustHigh,
                  statcol::kGustHighTime, statcol::kDirection}) {
    fromTable << CellText(*dlg, {kDaily, 1, col, ""});
  }
  const QString report = QString::fromStdString(climate::ClimateReport(book, "2026-11", kImperial, kOptions));
  QStringList dayLine;
  for (const QString& line : report.split(QLatin1Char('\n'))) {
    if (line.startsWith(QStringLiteral("   2 "))) dayLine = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  }
  EXPECT_EQ(dayLine, fromTable) << report.toStdString();
}

TEST(StatisticsWindow, TheRecordMenuOpensItInTheProgramsLanguage) {
  test::DesktopRig rig(2);
  CMainFrame frame(*rig.context);
  PlugInWindows(frame, *rig.context);
  frame.OnConnectionTick();
  QString title, header;
  int tabs = 0;
  auto window = OnModal::Of<CStatisticsDlg>([&](CStatisticsDlg* dlg) {
    EXPECT_TRUE(test::WaitFor([&] { return !dlg->Loading(); }));
    title = dlg->windowTitle();
    tabs = dlg->Tabs()->count();
    header = dlg->Model(kDaily)->headerData(statcol::kRain, Qt::Horizontal).toString();
    dlg->findChild<QPushButton*>("close")->click();
  });
  QAction* entry = frame.Action(FrameCommand::kStatistics);
  ASSERT_TRUE(entry->isEnabled());
  EXPECT_EQ(entry->text(), "&Statistik");
  entry->trigger();
  ASSERT_TRUE(window->Seen());
  EXPECT_EQ(title, "Statistik");
  EXPECT_EQ(tabs, 4);
  EXPECT_EQ(header, "Regn (mm)");
}

}  // namespace
}  // namespace skyvane
