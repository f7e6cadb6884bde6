#include "core/history/stored_lines.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/history/line_scan.h"
#include "core/history/record_tail.h"

namespace skyvane {

namespace {

class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~ReadOnlyFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

int LoadStoredLines(HistoryFile& file, const std::string& start, const std::string& end,
                    std::vector<std::string>& lines) {
  FileBusy::Hold hold = file.fileBusy().TakeHold();
  if (!hold.held()) return -1;
  ReadOnlyFile in(file.path());
  if (in.fd() < 0) return errno == ENOENT ? 0 : -1;
  const std::int64_t size = FileSize(in.fd());
  if (size < 0) return -1;
  RecordsEnd records;
  if (!FindRecordsEnd(in.fd(), static_cast<std::uint64_t>(size), records)) return -1;

  int added = 0;
  HistoryRow row;
  const bool read = ScanLinesForward(
      in.fd(), records.end,
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
