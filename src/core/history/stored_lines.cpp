#include "core/history/stored_lines.h"

#include <fcntl.h>

#include <cerrno>

#include "core/app/posix_file.h"
#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/history/line_scan.h"
#include "core/history/shared_index.h"

namespace skyvane {

int ForEachStoredLine(HistoryFile& file, const std::string& start, const std::string& end,
                      const std::function<void(std::string_view line)>& onLine) {
  FileBusy::Hold hold = file.fileBusy().TakeHold();
  if (!hold.held()) return -1;
  const std::string path = file.path();
  const FileDescriptor in = FileDescriptor::Open(path, O_RDONLY);
  if (!in) return errno == ENOENT ? 0 : -1;
  IndexedRange range;
  if (!FindIndexedRange(in.get(), path, start, end, range)) return -1;

  int added = 0;
  const HistoryRow fresh;
  for (const RecordIndex::Span& span : range.spans) {
    const bool read = ScanLinesForwardFrom(
        in.get(), span.from, span.to,
        [&](std::string_view line) {
          if (TrimLine(line).empty()) return;
          // The line's own time, as parsing it would give it: a line
          // without one has a fresh row's.
          std::string_view time;
          time = ThirdPiece(line, time) ? TrimLine(time) : std::string_view(fresh[row::recordTime]);
          if (time >= start && time <= end) {
            onLine(line);
            ++added;
          }
        },
        [] {});
    if (!read) return -1;
  }
  return added;
}

int LoadStoredLines(HistoryFile& file, const std::string& start, const std::string& end,
                    std::vector<std::string>& lines) {
  return ForEachStoredLine(file, start, end, [&lines](std::string_view line) { lines.emplace_back(line); });
}

}  // namespace skyvane
