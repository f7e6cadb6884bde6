#include "core/history/export_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/scratch_folder.h"

namespace skyvane {
namespace {

// The History grid's 34 columns with their default widths.
TextGrid HistoryGrid() {
  return TextGrid({"No", "Time", "Interval(mi)", "Indoor Humidity(%)", "Indoor Temperature(°C)",
                   "Outdoor Humidity(%)", "Outdoor Temperature(°C)", "Absolute Pressure(Hpa)",
                   "Wind(m/s)", "Gust(m/s)", "Direction", "Relative Pressure(Hpa)",
                   "Dewpoint(°C)", "Windchill(°C)", "Hour Rainfall(mm)", "24 hour Rainfall(mm)",
                   "Week Rainfall(mm)", "Month Rainfall(mm)", "Total Rainfall(mm)",
                   "Wind Level(bft)", "Gust Level(bft)", "windDir", "Rain(Hz)", "Rain(mm)",
                   "Increment(mm)", "flag1", "flag2", "flag3", "flag4", "flag5", "flag6", "flag7",
                   "flag8", "saveTime"});
}
const std::vector<int> kWidths = {40,  120, 90,  180, 180, 180, 150, 150, 100, 100, 80, 150,
                                  100, 150, 150, 180, 150, 180, 180, 120, 150, 0,   0,  0,
                                  0,   0,   0,   0,   0,   0,   0,   0,   0,   0};

std::vector<std::string> Cells(int n) {
  std::vector<std::string> cells;
  for (int c = 0; c < 34; ++c) cells.push_back("r" + std::to_string(n) + "c" + std::to_string(c));
  cells[0] = std::to_string(n);
  cells[1] = "0" + std::to_string(n) + "-03-2024 12:00";
  return cells;
}

// What the dialog returns when every offered entry stays selected.
ExportChoices FromEntries(const std::vector<std::string>& entries, const std::string& combo) {
  ExportChoices choices;
  for (const std::string& e : entries) {
    ExportColumn c = ExportColumn::AtGridColumn(0);
    EXPECT_TRUE(ParseColumnEntry(e.substr(0, e.find('-')), c)) << e;
    choices.columns.push_back(c);
  }
  choices.separator = ExportSeparator(combo);
  return choices;
}

TEST(ExportColumn, EntriesCountFromOneGridColumnsFromZero) {
  const ExportColumn no = ExportColumn::FromEntryNumber(1);
  EXPECT_EQ(no.gridColumn(), 0);
  EXPECT_EQ(ExportColumn::AtGridColumn(2).entryNumber(), 3);
  ExportColumn parsed = ExportColumn::AtGridColumn(9);
  EXPECT_TRUE(ParseColumnEntry("3.Interval(mi)", parsed));
  EXPECT_EQ(parsed.gridColumn(), 2);
  EXPECT_TRUE(ParseColumnEntry("12.Relative Pressure(Hpa)-150", parsed));
  EXPECT_EQ(parsed.gridColumn(), 11);
  EXPECT_FALSE(ParseColumnEntry("No", parsed));
  EXPECT_FALSE(ParseColumnEntry(".No", parsed));
  EXPECT_FALSE(ParseColumnEntry("0.No", parsed));
  EXPECT_FALSE(ParseColumnEntry("x1.No", parsed));
}

TEST(ExportColumn, OnlyColumnsWiderThanZeroAreOffered) {
  const TextGrid grid = HistoryGrid();
  std::vector<std::string> entries = ColumnEntries(grid, kWidths);
  ASSERT_EQ(entries.size(), 21u);
  EXPECT_EQ(entries[0], "1.No-40");
  EXPECT_EQ(entries[2], "3.Interval(mi)-90");
  EXPECT_EQ(entries[20], "21.Gust Level(bft)-150");

  std::vector<int> widths = kWidths;
  widths[4] = 0;    // dragged shut
  widths[22] = 60;  // a hidden column widened
  entries = ColumnEntries(grid, widths);
  ASSERT_EQ(entries.size(), 21u);
  EXPECT_EQ(entries[3], "4.Indoor Humidity(%)-180");
  EXPECT_EQ(entries[4], "6.Outdoor Humidity(%)-180");
  EXPECT_EQ(entries[20], "23.Rain(Hz)-60");
}

TEST(ExportText, DefaultChoicesWriteTheHeadersOverTheirOwnCells) {
  TextGrid grid = HistoryGrid();
  grid.AddRow(Cells(1));
  grid.AddRow(Cells(2));
  std::string text;
  ASSERT_TRUE(ExportText(grid, FromEntries(ColumnEntries(grid, kWidths), "TAB"), text));
  std::string header = "No\tTime\tInterval(mi)\tIndoor Humidity(%)\tIndoor Temperature(°C)\t"
                       "Outdoor Humidity(%)\tOutdoor Temperature(°C)\tAbsolute Pressure(Hpa)\t"
                       "Wind(m/s)\tGust(m/s)\tDirection\tRelative Pressure(Hpa)\tDewpoint(°C)\t"
                       "Windchill(°C)\tHour Rainfall(mm)\t24 hour Rainfall(mm)\t"
                       "Week Rainfall(mm)\tMonth Rainfall(mm)\tTotal Rainfall(mm)\t"
                       "Wind Level(bft)\tGust Level(bft)\r\n";
  std::string row1 = "1\t01-03-2024 12:00";
  for (int c = 2; c < 21; ++c) row1 += "\tr1c" + std::to_string(c);
  ASSERT_GT(text.size(), header.size() + row1.size());
  EXPECT_EQ(text.substr(0, header.size()), header);
  EXPECT_EQ(text.substr(header.size(), row1.size() + 2), row1 + "\r\n");
  EXPECT_EQ(text.substr(text.size() - 13), "r2c19\tr2c20\r\n");
}

TEST(ExportText, SeparatorsOrderAndHeaderChoice) {
  TextGrid grid = HistoryGrid();
  grid.AddRow(Cells(1));
  grid.AddRow(Cells(2));
  ExportChoices choices;
  // UP moved Time above No; Interval stays third.
  choices.columns = {ExportColumn::FromEntryNumber(2), ExportColumn::FromEntryNumber(1),
                     ExportColumn::FromEntryNumber(3)};
  choices.separator = ExportSeparator("BLANK");
  std::string text;
  ASSERT_TRUE(ExportText(grid, choices, text));
  EXPECT_EQ(text, "Time No Interval(mi)\r\n01-03-2024 12:00 1 r1c2\r\n02-03-2024 12:00 2 r2c2\r\n");

  choices.separator = ExportSeparator("; TAB ;");
  EXPECT_EQ(choices.separator, "; \t ;");
  choices.header = false;
  ASSERT_TRUE(ExportText(grid, choices, text));
  EXPECT_EQ(text, "01-03-2024 12:00; \t ;1; \t ;r1c2\r\n02-03-2024 12:00; \t ;2; \t ;r2c2\r\n");
  EXPECT_EQ(ExportSeparator(";TAB;"), ";\t;");
  EXPECT_EQ(ExportSeparator("TABBLANK|"), "\t |");
}

TEST(ExportText, EmptyGridAndUnfitChoices) {
  const TextGrid grid = HistoryGrid();
  ExportChoices choices;
  choices.columns = {ExportColumn::FromEntryNumber(1), ExportColumn::FromEntryNumber(2)};
  std::string text = "old";
  ASSERT_TRUE(ExportText(grid, choices, text));
  EXPECT_EQ(text, "No\tTime\r\n");
  choices.header = false;
  ASSERT_TRUE(ExportText(grid, choices, text));
  EXPECT_EQ(text, "");

  choices.columns = {};
  EXPECT_FALSE(ExportText(grid, choices, text));
  choices.columns = {ExportColumn::FromEntryNumber(35)};  // one past the last column
  EXPECT_FALSE(ExportText(grid, choices, text));

  choices.header = true;
  choices.columns.assign(60, ExportColumn::FromEntryNumber(1));
  ASSERT_TRUE(ExportText(grid, choices, text));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 49);  // at most 50 columns
}

TEST(WriteExportFile, WritesTheSameBytesWhateverTheName) {
  test::ScratchFolder folder;
  TextGrid grid = HistoryGrid();
  grid.AddRow(Cells(1));
  const ExportChoices choices = FromEntries(ColumnEntries(grid, kWidths), "TAB");
  std::string text;
  ASSERT_TRUE(ExportText(grid, choices, text));
  const auto txt = folder / "Skyvane.txt";
  const auto xls = folder / "Skyvane.xls";
  test::WriteFileBytes(xls, std::string(100000, 'z'));  // replaced, not added to
  ASSERT_TRUE(WriteExportFile(txt.string(), grid, choices));
  ASSERT_TRUE(WriteExportFile(xls.string(), grid, choices));
  EXPECT_EQ(test::ReadFileBytes(txt), text);
  EXPECT_EQ(test::ReadFileBytes(xls), text);
  EXPECT_FALSE(WriteExportFile(folder.path().string(), grid, choices));
  EXPECT_FALSE(WriteExportFile((folder / "none/x.txt").string(), grid, choices));
}

}  // namespace
}  // namespace skyvane
