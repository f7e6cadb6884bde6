#include "core/history/export_writer.h"

#include <fcntl.h>

#include "core/app/number_text.h"
#include "core/app/posix_file.h"

namespace skyvane {

namespace {

void ReplaceAll(std::string& text, std::string_view word, std::string_view by) {
  for (std::size_t at = text.find(word); at != std::string::npos;
       at = text.find(word, at + by.size())) {
    text.replace(at, word.size(), by);
  }
}

// The columns that will be written, or none when the choices do not fit the grid.
std::vector<int> ChosenColumns(const ExportGrid& grid, const ExportChoices& choices) {
  std::vector<int> columns;
  for (const ExportColumn& c : choices.columns) {
    if (static_cast<int>(columns.size()) == kMaxExportColumns) break;
    if (c.gridColumn() < 0 || c.gridColumn() >= grid.ColumnCount()) return {};
    columns.push_back(c.gridColumn());
  }
  return columns;
}

// Appends the export line by line to out, calling flush whenever it has grown.
template <class Flush>
bool Produce(const ExportGrid& grid, const ExportChoices& choices, std::string& out,
             Flush&& flush) {
  const std::vector<int> columns = ChosenColumns(grid, choices);
  if (columns.empty()) return false;
  if (choices.header) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) out += choices.separator;
      out += grid.Header(columns[i]);
    }
    out += "\r\n";
  }
  const std::size_t rows = grid.RowCount();
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) out += choices.separator;
      out += grid.Cell(r, columns[i]);
    }
    out += "\r\n";
    if (!flush(out)) return false;
  }
  return true;
}

}  // namespace

std::string TextGrid::Cell(std::size_t row, int gridColumn) const {
  const std::vector<std::string>& cells = rows_[row];
  return gridColumn < static_cast<int>(cells.size()) ? cells[gridColumn] : std::string();
}

std::string ColumnEntryText(ExportColumn column, std::string_view header, int width) {
  return std::to_string(column.entryNumber()) + "." + std::string(header) + "-" +
         std::to_string(width);
}

std::vector<std::string> ColumnEntries(const ExportGrid& grid, const std::vector<int>& widths) {
  std::vector<std::string> entries;
  for (int c = 0; c < grid.ColumnCount(); ++c) {
    const int width = c < static_cast<int>(widths.size()) ? widths[c] : 0;
    if (width > 0) {
      entries.push_back(ColumnEntryText(ExportColumn::AtGridColumn(c), grid.Header(c), width));
    }
  }
  return entries;
}

bool ParseColumnEntry(std::string_view entry, ExportColumn& column) {
  const std::size_t dot = entry.find('.');
  if (dot == std::string_view::npos || dot == 0) return false;
  int number = 0;
  if (!ReadNumberText(entry.substr(0, dot), number) || number < 1) return false;
  column = ExportColumn::FromEntryNumber(number);
  return true;
}

std::string ExportSeparator(std::string comboText) {
  ReplaceAll(comboText, "TAB", "\t");
  ReplaceAll(comboText, "BLANK", " ");
  return comboText;
}

bool ExportText(const ExportGrid& grid, const ExportChoices& choices, std::string& text) {
  text.clear();
  const bool ok = Produce(grid, choices, text, [](std::string&) { return true; });
  if (!ok) text.clear();
  return ok;
}

bool AppendExportText(const ExportGrid& grid, const ExportChoices& choices, std::string& text) {
  if (ChosenColumns(grid, choices).empty()) return false;
  return Produce(grid, choices, text, [](std::string&) { return true; });
}

bool WriteExportFile(const std::string& path, const ExportGrid& grid,
                     const ExportChoices& choices) {
  if (ChosenColumns(grid, choices).empty()) return false;
  FileDescriptor fd = FileDescriptor::Open(path, O_WRONLY | O_CREAT | O_TRUNC);
  if (!fd) return false;
  auto writeAll = [&fd](const std::string& bytes) {
    return WriteAll(fd.get(), bytes.data(), bytes.size());
  };
  constexpr std::size_t kBlock = 1 << 20;
  std::string buffer;
  bool ok = Produce(grid, choices, buffer, [&](std::string& out) {
    if (out.size() < kBlock) return true;
    const bool written = writeAll(out);
    out.clear();
    return written;
  });
  ok = ok && writeAll(buffer);
  ok = fd.Close() && ok;
  return ok;
}

}  // namespace skyvane
