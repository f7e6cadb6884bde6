#pragma once
// HistoryGrid: the rows of the History window's grid and what its 34 columns
// show. The rows are the stored rows of the searched range, held compactly;
// a cell's text (the value in the display unit, the time in the display form)
// is made when it is asked for, so a range of years fills the grid quickly.
// The same grid feeds the export, in the window and in skyvane-cli.
#include <cstddef>
#include <string>
#include <vector>

#include "core/app/text_table.h"
#include "core/history/export_writer.h"
#include "core/history/history_table.h"
#include "core/station/header_record.h"

namespace skyvane {

class HistoryFile;

// The grid's columns, counted from 0 as the grid counts them.
namespace gridcol {
enum Column : int {
  kNo = 0,
  kTime = 1,
  kInterval = 2,
  kIndoorHumidity = 3,
  kIndoorTemperature = 4,
  kOutdoorHumidity = 5,
  kOutdoorTemperature = 6,
  kAbsolutePressure = 7,
  kWind = 8,
  kGust = 9,
  kDirection = 10,
  kRelativePressure = 11,
  kDewpoint = 12,
  kWindchill = 13,
  kHourRainfall = 14,
  kRainfall24Hour = 15,
  kWeekRainfall = 16,
  kMonthRainfall = 17,
  kTotalRainfall = 18,
  kWindLevel = 19,
  kGustLevel = 20,
  kWindDir = 21,
  kRainCounter = 22,
  kRain = 23,
  kIncrement = 24,
  kFlag1 = 25,
  kFlag8 = 32,
  kSaveTime = 33,
  kCount = 34
};
}  // namespace gridcol

// Width in pixels a column starts with; 0 for the columns that are present
// but not shown.
int GridDefaultWidth(int column);
std::vector<int> GridDefaultWidths();

// The columns the export offers for these widths (those wider than 0), in
// grid order.
std::vector<ExportColumn> VisibleColumns(const std::vector<int>& widths);

class HistoryGrid final : public ExportGrid {
 public:
  // Headers in the table's current language and the units' texts.
  explicit HistoryGrid(const TextTable& text, const HeaderRecord& units = HeaderRecord());

  // New units (and headers) for the rows already held.
  void SetUnits(const HeaderRecord& units);
  const HeaderRecord& Units() const { return units_; }

  HistoryTable& Rows() { return rows_; }
  const HistoryTable& Rows() const { return rows_; }
  void Clear() { rows_.clear(); }
  // The number the first row shows in "No" is this plus 1: a grid that holds
  // one part of a longer export at a time goes on counting.
  void SetFirstNumber(std::size_t before) { before_ = before; }

  int ColumnCount() const override { return gridcol::kCount; }
  std::string Header(int column) const override;
  std::size_t RowCount() const override { return rows_.size(); }
  // The cell as the grid shows it; empty outside the grid.
  std::string Cell(std::size_t row, int column) const override;

 private:
  void BuildHeaders();

  const TextTable& text_;
  HeaderRecord units_;
  std::string timeFormat_;
  std::vector<std::string> headers_;
  HistoryTable rows_;
  std::size_t before_ = 0;
};

// Empties the grid and fills it with the stored rows whose recordTime lies in
// [start, end], oldest first; returns their number. An empty data file leaves
// the grid as it was (0); a busy one too (HistoryFile::kBusyCount).
int SearchToGrid(HistoryFile& file, HistoryGrid& grid, const std::string& start,
                 const std::string& end);

}  // namespace skyvane
