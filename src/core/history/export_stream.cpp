#include "core/history/export_stream.h"

#include "core/history/range_stream.h"

namespace skyvane {

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20;

}  // namespace

ExportStreamResult StreamExport(const std::string& path, HistoryGrid& grid, const std::string& start,
                                const std::string& end, const ExportChoices& choices,
                                const std::function<bool(const std::string& block)>& write) {
  grid.Clear();
  grid.SetFirstNumber(0);
  std::string block;
  if (!AppendExportText(grid, choices, block)) return ExportStreamResult::kNoColumns;
  ExportChoices rowsOnly = choices;
  rowsOnly.header = false;
  RangeStream stream;
  bool read = stream.Open(path, start, end);
  std::size_t before = 0;
  while (read && stream.Next([&grid](const HistoryTable::FieldViews& fields) { grid.Rows().Append(fields); })) {
    AppendExportText(grid, rowsOnly, block);
    before += grid.RowCount();
    grid.Clear();
    grid.SetFirstNumber(before);
    if (block.size() >= kBlock) {
      if (!write(block)) return ExportStreamResult::kUnwritten;
      block.clear();
    }
  }
  grid.SetFirstNumber(0);
  if (!block.empty() && !write(block)) return ExportStreamResult::kUnwritten;
  return read && !stream.failed() ? ExportStreamResult::kDone : ExportStreamResult::kUnreadable;
}

}  // namespace skyvane
