#pragma once
// Export of the history grid: the cells the grid shows, in the columns and the
// order the user chose, joined by a separator, one line per grid row, CR LF
// line ends, no quoting; optionally a first line of column headers. The same
// text whether the file is named .txt or .xls.
//
// Columns are counted two ways: the grid counts from 0 ("No" is column 0), the
// export dialog lists its entries from 1 ("1.No"). ExportColumn holds the grid
// column and is only made from one of the two counts by name, so a header and
// the cells under it always come from the same column.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace skyvane {

class ExportColumn {
 public:
  static ExportColumn AtGridColumn(int gridColumn) { return ExportColumn(gridColumn); }
  static ExportColumn FromEntryNumber(int entryNumber) { return ExportColumn(entryNumber - 1); }
  int gridColumn() const { return gridColumn_; }
  int entryNumber() const { return gridColumn_ + 1; }
  bool operator==(const ExportColumn&) const = default;

 private:
  explicit ExportColumn(int gridColumn) : gridColumn_(gridColumn) {}
  int gridColumn_;
};

// The grid being exported: its headers and cell texts by grid column.
class ExportGrid {
 public:
  virtual ~ExportGrid() = default;
  virtual int ColumnCount() const = 0;
  virtual std::string Header(int gridColumn) const = 0;
  virtual std::size_t RowCount() const = 0;
  virtual std::string Cell(std::size_t row, int gridColumn) const = 0;
};

// A grid held as texts.
class TextGrid final : public ExportGrid {
 public:
  TextGrid() = default;
  explicit TextGrid(std::vector<std::string> headers) : headers_(std::move(headers)) {}
  void AddRow(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }

  int ColumnCount() const override { return static_cast<int>(headers_.size()); }
  std::string Header(int gridColumn) const override { return headers_[gridColumn]; }
  std::size_t RowCount() const override { return rows_.size(); }
  // A row shorter than the grid shows empty cells at its end.
  std::string Cell(std::size_t row, int gridColumn) const override;

 private:
  std::vector<std::string> headers_;
  std::vector<std::vector<std::string>> rows_;
};

inline constexpr int kMaxExportColumns = 50;

struct ExportChoices {
  std::vector<ExportColumn> columns;  // in the order wanted; at most 50 are used
  std::string separator = "\t";
  bool header = true;
};

// The dialog's entry of a column: "%d.%s-%d" (entry number, header, width).
std::string ColumnEntryText(ExportColumn column, std::string_view header, int width);
// The entries the dialog offers: every column wider than 0, in grid order.
std::vector<std::string> ColumnEntries(const ExportGrid& grid, const std::vector<int>& widths);
// The column of an entry text ("%d.%s" or "%d.%s-%d"): the number before its
// first "." counts from 1. False when the text does not start that way.
bool ParseColumnEntry(std::string_view entry, ExportColumn& column);

// The separator typed or chosen in the dialog: every "TAB" becomes one TAB
// character, then every "BLANK" one blank.
std::string ExportSeparator(std::string comboText);

// The whole export text. False, leaving text empty, when no column is chosen
// or a chosen column is not in the grid.
bool ExportText(const ExportGrid& grid, const ExportChoices& choices, std::string& text);

// Appends the export text of the grid to text (its header line only when
// choices ask for one). False, appending nothing, when no column is chosen or
// a chosen column is not in the grid.
bool AppendExportText(const ExportGrid& grid, const ExportChoices& choices, std::string& text);

// Creates (or replaces) the file at path and writes the export text into it.
// False when there is nothing to export or the file cannot be written.
bool WriteExportFile(const std::string& path, const ExportGrid& grid,
                     const ExportChoices& choices);

}  // namespace skyvane
