#include "core/history/stored_lines.h"

#include <fcntl.h>

#include <cerrno>

#include "core/app/posix_file.h"
#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/history/line_scan.h"
#include "core/history/record_tail.h"

namespace skyvane {

int LoadStoredLines(HistoryFile& file, const std::string& start, const std::string& end,
                    std::vector<std::string>& lines) {
  FileBusy::Hold hold = file.fileBusy().TakeHold();
  if (!hold.held()) return -1;
  const FileDescriptor in = FileDescriptor::Open(file.path(), O_RDONLY);
  if (!in) return errno == ENOENT ? 0 : -1;
  const std::int64_t size = FileSize(in.get());
  if (size < 0) return -1;
  RecordsEnd records;
  if (!FindRecordsEnd(in.get(), static_cast<std::uint64_t>(size), records)) return -1;

  int added = 0;
  HistoryRow row;
  const bool read = ScanLinesForward(
      in.get(), records.end,
      [&](std::string_view line) {
        if (TrimLine(line).empty()) return;
        row = HistoryRow{};
        HistoryFile::ParseLine(row, line);
        const std::string& time = row[row::recordTime];
        if (time >= start && time <= end) {
          lines.emplace_back(line);
          ++added;
        }
      },
      [] {});
  return read ? added : -1;
}

}  // namespace skyvane
