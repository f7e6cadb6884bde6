// The export written as the file is read against the export of the grid the
// History window fills: the same bytes, rows numbered on across the pieces.
#include "core/history/export_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "history_support.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

std::string Time(int minute) {
  char text[32];
  std::snprintf(text, sizeof text, "2025-03-%02d %02d:%02d:00", 1 + minute / 1440, minute / 60 % 24, minute % 60);
  return text;
}

TEST(StreamExportTest, GivesTheBytesOfTheSearchedGridsExport) {
  test::ScratchFolder folder;
  const std::string path = (folder / "Skyvane.dat").string();
  std::string text;
  for (int i = 0; i < 3000; ++i) {  // several pieces of the stream
    HistoryRow r = testing::StoredRow(Time(i * 5));
    r[row::sequenceNo] = std::to_string(i + 1);
    r[row::outdoorTemperature] = std::to_string(i % 40 - 10) + ".3";
    text += FormatRowLine(r, Time(i * 5 + 1));
  }
  test::WriteFileBytes(path, text);
  TextTable table(0);
  HeaderRecord units;
  units[hdr::kUnitOutdoorTemp] = "°F";
  struct Case {
    std::string start, end;
    std::vector<ExportColumn> columns;
    bool header;
    ExportStreamResult result;
  };
  const std::vector<ExportColumn> visible = VisibleColumns(GridDefaultWidths());
  const std::vector<ExportColumn> picked = {ExportColumn::FromEntryNumber(9), ExportColumn::FromEntryNumber(1),
                                            ExportColumn::FromEntryNumber(2)};
  const Case cases[] = {
      {Time(0), Time(99999), visible, true, ExportStreamResult::kDone},
      {Time(0), Time(99999), picked, false, ExportStreamResult::kDone},
      {Time(5000), Time(12000), picked, true, ExportStreamResult::kDone},
      {Time(90000), Time(99999), visible, true, ExportStreamResult::kDone},  // no rows: the header
      {Time(0), Time(99999), {ExportColumn::FromEntryNumber(99)}, true, ExportStreamResult::kNoColumns},
  };
  FixedClock clock(0);
  HistoryFile file(clock);
  ASSERT_TRUE(file.OpenFile(path));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start + " " + std::to_string(c.columns.size()));
    ExportChoices choices;
    choices.columns = c.columns;
    choices.header = c.header;
    HistoryGrid searched(table, units);
    SearchToGrid(file, searched, c.start, c.end);
    std::string expected;
    ExportText(searched, choices, expected);

    HistoryGrid grid(table, units);
    std::string streamed;
    int blocks = 0;
    EXPECT_EQ(StreamExport(path, grid, c.start, c.end, choices, [&](const std::string& block) {
                streamed += block;
                ++blocks;
                return true;
              }),
              c.result);
    EXPECT_EQ(streamed, expected);
    EXPECT_EQ(grid.RowCount(), 0u);
  }
  // A writer that gives up ends the export.
  HistoryGrid grid(table, units);
  ExportChoices choices;
  choices.columns = visible;
  EXPECT_EQ(StreamExport(path, grid, Time(0), Time(99999), choices, [](const std::string&) { return false; }),
            ExportStreamResult::kUnwritten);
  EXPECT_EQ(StreamExport((folder / "missing.dat").string(), grid, Time(0), Time(99999), choices,
                         [](const std::string&) { return true; }),
            ExportStreamResult::kUnreadable);
}

}  // namespace
}  // namespace skyvane
