#include "core/history/history_grid.h"

#include <gtest/gtest.h>

#include "support/scratch_folder.h"
#include "core/history/history_file.h"
#include "core/history/history_support.h"

namespace skyvane {
namespace {

using test::LocalTime;
using test::ReadFileBytes;
using testing::StoredRow;

HeaderRecord ImperialUnits() {
  HeaderRecord units;
  units[hdr::kUnitIndoorTemp] = "°F";
  units[hdr::kUnitOutdoorTemp] = "°F";
  units[hdr::kUnitPressure] = "inHg";
  units[hdr::kUnitWind] = "km/h";
  units[hdr::kUnitRain] = "inch";
  return units;
}

class HistoryGridTest : public ::testing::Test {
 protected:
  HistoryGridTest() : clock_(LocalTime(2024, 3, 1, 12, 0, 5)), file_(clock_) {
    file_.OpenFile((folder_ / "Skyvane.dat").string());
  }
  // Stores rows (given oldest first) with the given record times.
  void Store(const std::vector<std::string>& times) {
    HistoryRowArray rows;
    for (auto it = times.rbegin(); it != times.rend(); ++it) rows.push_back(StoredRow(*it));
    ASSERT_TRUE(file_.AppendRows(rows));
  }

  test::ScratchFolder folder_;
  FixedClock clock_;
  HistoryFile file_;
  TextTable text_{0};
};

TEST_F(HistoryGridTest, HeadersFromTheTextTableAndTheUnits) {
  const HistoryGrid metric(text_);
  const std::vector<std::string> expected = {
      "No", "Time", "Interval(mi)", "Indoor Humidity(%)", "Indoor Temperature(°C)",
      "Outdoor Humidity(%)", "Outdoor Temperature(°C)", "Absolute Pressure(Hpa)", "Wind(m/s)",
      "Gust(m/s)", "Direction", "Relative Pressure(Hpa)", "Dewpoint(°C)", "Windchill(°C)",
      "Hour Rainfall(mm)", "24 hour Rainfall(mm)", "Week Rainfall(mm)", "Month Rainfall(mm)",
      "Total Rainfall(mm)", "Wind Level(bft)", "Gust Level(bft)", "windDir", "Rain(Hz)", "Rain(mm)",
      "Increment(mm)", "flag1", "flag2", "flag3", "flag4", "flag5", "flag6", "flag7", "flag8",
      "saveTime"};
  ASSERT_EQ(metric.ColumnCount(), 34);
  for (int c = 0; c < 34; ++c) EXPECT_EQ(metric.Header(c), expected[c]) << "column " << c;

  const HistoryGrid imperial(text_, ImperialUnits());
  EXPECT_EQ(imperial.Header(4), "Indoor Temperature(°F)");
  EXPECT_EQ(imperial.Header(7), "Absolute Pressure(inHg)");
  EXPECT_EQ(imperial.Header(9), "Gust(km/h)");
  EXPECT_EQ(imperial.Header(12), "Dewpoint(°F)");
  EXPECT_EQ(imperial.Header(18), "Total Rainfall(inch)");
  EXPECT_EQ(imperial.Header(24), "Increment(inch)");

  TextTable german(1);
  const HistoryGrid inGerman(german);
  EXPECT_EQ(inGerman.Header(0), "No");
  EXPECT_EQ(inGerman.Header(1), "Zeit");
  EXPECT_EQ(inGerman.Header(2), "Intervall(mi)");
  EXPECT_EQ(inGerman.Header(11), "relative Luftdruck(Hpa)");
  EXPECT_EQ(inGerman.Header(22), "Niederschlag(Hz)");
}

TEST(GridWidths, TwentyOneVisibleColumnsThenZeroWidthOnes) {
  const std::vector<int> widths = GridDefaultWidths();
  ASSERT_EQ(widths.size(), 34u);
  EXPECT_EQ(widths[0], 40);
  EXPECT_EQ(widths[1], 120);
  EXPECT_EQ(widths[20], 150);
  for (int c = 21; c < 34; ++c) EXPECT_EQ(widths[c], 0) << c;
  const std::vector<ExportColumn> visible = VisibleColumns(widths);
  ASSERT_EQ(visible.size(), 21u);
  EXPECT_EQ(visible.front().entryNumber(), 1);
  EXPECT_EQ(visible.back().gridColumn(), 20);

  std::vector<int> changed = widths;
  changed[1] = 0;   // Time dragged shut
  changed[33] = 60; // saveTime widened
  const std::vector<ExportColumn> offered = VisibleColumns(changed);
  ASSERT_EQ(offered.size(), 21u);
  EXPECT_EQ(offered[1].gridColumn(), 2);
  EXPECT_EQ(offered.back().gridColumn(), 33);
}

TEST_F(HistoryGridTest, RecordsAtTheRangeEndsAreShownOldestFirstNumberedFromOne) {
  Store({"2024-03-01 10:59:59", "2024-03-01 11:00:00", "2024-03-01 11:30:00",
         "2024-03-01 12:00:00", "2024-03-01 12:00:01"});
  HistoryGrid grid(text_);
  EXPECT_EQ(SearchToGrid(file_, grid, "2024-03-01 11:00:00", "2024-03-01 12:00:00"), 3);
  ASSERT_EQ(grid.RowCount(), 3u);
  // sequenceNo of the first shown row is 2; the grid counts its own rows.
  EXPECT_EQ(grid.Cell(0, gridcol::kNo), "1");
  EXPECT_EQ(grid.Cell(1, gridcol::kNo), "2");
  EXPECT_EQ(grid.Cell(2, gridcol::kNo), "3");
  EXPECT_EQ(grid.Cell(0, gridcol::kTime), "01-03-2024 11:00");
  EXPECT_EQ(grid.Cell(2, gridcol::kTime), "01-03-2024 12:00");
  EXPECT_EQ(grid.Cell(0, gridcol::kSaveTime), "2024-03-01 12:00:05");

  // A range without records empties the grid.
  EXPECT_EQ(SearchToGrid(file_, grid, "2024-03-02 00:00:00", "2024-03-02 01:00:00"), 0);
  EXPECT_EQ(grid.RowCount(), 0u);
}

TEST_F(HistoryGridTest, AnEmptyDataFileLeavesTheGridAsItWas) {
  Store({"2024-03-01 11:30:00"});
  HistoryGrid grid(text_);
  ASSERT_EQ(SearchToGrid(file_, grid, "2024-03-01 11:00:00", "2024-03-01 12:00:00"), 1);
  ASSERT_TRUE(file_.ClearAll());
  EXPECT_EQ(SearchToGrid(file_, grid, "2024-03-01 11:00:00", "2024-03-01 12:00:00"), 0);
  EXPECT_EQ(grid.RowCount(), 1u);
}

TEST_F(HistoryGridTest, CellsInTheDisplayUnitsLeaveTheFileUnchanged) {
  Store({"2024-03-01 11:30:00"});
  const std::string before = ReadFileBytes(folder_ / "Skyvane.dat");
  HistoryGrid grid(text_, ImperialUnits());
  ASSERT_EQ(SearchToGrid(file_, grid, "2024-03-01 11:00:00", "2024-03-01 12:00:00"), 1);
  EXPECT_EQ(ReadFileBytes(folder_ / "Skyvane.dat"), before);

  const std::vector<std::pair<int, std::string>> expected = {
      {gridcol::kInterval, "5"},          {gridcol::kIndoorHumidity, "45"},
      {gridcol::kIndoorTemperature, "70.7"}, {gridcol::kOutdoorHumidity, "80"},
      {gridcol::kOutdoorTemperature, "26.2"}, {gridcol::kAbsolutePressure, "29.92"},
      {gridcol::kWind, "4.3"},            {gridcol::kGust, "7.2"},
      {gridcol::kDirection, "SEE"},       {gridcol::kRelativePressure, "30.12"},
      {gridcol::kDewpoint, "21.0"},       {gridcol::kWindchill, "16.9"},
      {gridcol::kHourRainfall, "0.02"},   {gridcol::kRainfall24Hour, "0.05"},
      {gridcol::kWeekRainfall, "0.18"},   {gridcol::kMonthRainfall, "0.47"},
      {gridcol::kTotalRainfall, "0.00"},  {gridcol::kWindLevel, "1"},
      {gridcol::kGustLevel, "2"},         {gridcol::kWindDir, "5"},
      {gridcol::kRainCounter, "100"},     {gridcol::kRain, "1.18"},
      {gridcol::kIncrement, "0.00"},      {gridcol::kFlag1, "0"},
      {gridcol::kFlag1 + 6, "1"}};
  for (const auto& [column, text] : expected) {
    EXPECT_EQ(grid.Cell(0, column), text) << "column " << column;
  }
  // Outside the grid: nothing.
  EXPECT_EQ(grid.Cell(1, gridcol::kNo), "");
  EXPECT_EQ(grid.Cell(0, 34), "");
}

TEST_F(HistoryGridTest, MissingReadingsShowTheMarker) {
  HistoryRow r = StoredRow("2024-03-01 11:30:00");
  r[row::indoorTemperature] = "";
  r[row::absolutePressure] = "---";
  r[row::indoorHumidity] = "";
  ASSERT_TRUE(file_.AppendRows({r}));
  HistoryGrid grid(text_);
  ASSERT_EQ(SearchToGrid(file_, grid, "2024-03-01 11:00:00", "2024-03-01 12:00:00"), 1);
  EXPECT_EQ(grid.Cell(0, gridcol::kIndoorTemperature), "---");
  EXPECT_EQ(grid.Cell(0, gridcol::kAbsolutePressure), "---");
  EXPECT_EQ(grid.Cell(0, gridcol::kIndoorHumidity), "");  // shown as stored
  EXPECT_EQ(grid.Cell(0, gridcol::kOutdoorTemperature), "-3.2");
}

TEST_F(HistoryGridTest, DefaultExportHasTheVisibleHeadersOverTheirCells) {
  Store({"2024-03-01 11:30:00", "2024-03-01 11:35:00"});
  HistoryGrid grid(text_);
  ASSERT_EQ(SearchToGrid(file_, grid, "2024-03-01 11:00:00", "2024-03-01 12:00:00"), 2);
  ExportChoices choices;
  choices.columns = VisibleColumns(GridDefaultWidths());
  std::string text;
  ASSERT_TRUE(ExportText(grid, choices, text));
  EXPECT_EQ(text.substr(0, text.find("\r\n")),
            "No\tTime\tInterval(mi)\tIndoor Humidity(%)\tIndoor Temperature(°C)\t"
            "Outdoor Humidity(%)\tOutdoor Temperature(°C)\tAbsolute Pressure(Hpa)\tWind(m/s)\t"
            "Gust(m/s)\tDirection\tRelative Pressure(Hpa)\tDewpoint(°C)\tWindchill(°C)\t"
            "Hour Rainfall(mm)\t24 hour Rainfall(mm)\tWeek Rainfall(mm)\tMonth Rainfall(mm)\t"
            "Total Rainfall(mm)\tWind Level(bft)\tGust Level(bft)");
  EXPECT_EQ(text.substr(text.find("\r\n") + 2),
            "1\t01-03-2024 11:30\t5\t45\t21.5\t80\t-3.2\t1013.2\t1.2\t2.0\tSEE\t1020.1\t-6.1\t-8.4\t"
            "0.6\t1.2\t4.5\t12.0\t0.0\t1\t2\r\n"
            "2\t01-03-2024 11:35\t5\t45\t21.5\t80\t-3.2\t1013.2\t1.2\t2.0\tSEE\t1020.1\t-6.1\t-8.4\t"
            "0.6\t1.2\t4.5\t12.0\t0.0\t1\t2\r\n");
}

}  // namespace
}  // namespace skyvane
