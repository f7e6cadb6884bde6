#include "core/history/history_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <cstdio>

#include "core/history/history_line.h"
#include "core/history/line_scan.h"
#include "core/history/record_tail.h"
#include "core/history/rain_tail.h"
#include "core/units/value_text.h"

namespace skyvane {

namespace {

static_assert(HistoryTable::kLineSlack <= kLineSlack, "lines are read with room to spare");

bool WriteAllAt(int fd, const char* data, std::size_t n, std::uint64_t offset) {
  while (n > 0) {
    const ssize_t put = ::pwrite(fd, data, n, static_cast<off_t>(offset));
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += put;
    n -= static_cast<std::size_t>(put);
    offset += static_cast<std::uint64_t>(put);
  }
  return true;
}

// A new file's name must survive a power loss as well as its contents.
void SyncFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir);
  ::close(dir);
}

// The working row of a bulk read: views into the block being read, copied
// into its own strings before that block is reused. Lines that lack fields
// leave those fields as the line before them had them.
class RowParser {
 public:
  RowParser() {
    const HistoryRow fresh;
    for (int f = 0; f < row::kCount; ++f) {
      owned_[f] = fresh[f];
      fields_[f] = owned_[f];
    }
  }
  void Parse(std::string_view text) {
    std::array<std::string_view, line::kPositions> pieces;
    const int count = std::min(SplitLine(text, pieces), line::kReservedPosition);
    for (int pos = 0; pos < count; ++pos) fields_[line::kFieldAt[pos]] = pieces[pos];
  }
  void Retain() {
    for (int f = 0; f < row::kCount; ++f) {
      if (fields_[f].data() != owned_[f].data()) owned_[f].assign(fields_[f]);
      fields_[f] = owned_[f];
    }
  }
  const HistoryTable::FieldViews& fields() const { return fields_; }
  std::string_view recordTime() const { return fields_[row::recordTime]; }

 private:
  HistoryTable::FieldViews fields_;
  std::array<std::string, row::kCount> owned_;
};

bool InRange(std::string_view time, const std::string& start, const std::string& end) {
  return time >= start && time <= end;
}

}  // namespace

struct HistoryFile::Tail {
  std::uint64_t size = 0;
  std::uint64_t validEnd = 0;  // where what follows the last record begins, else size
  std::string lastRecord;      // the last record line, empty without one
};

// Keeps the file open for one operation; the outermost one closes it.
class HistoryFile::Session {
 public:
  explicit Session(HistoryFile& file) : file_(file) {
    outermost_ = file_.sessions_++ == 0;
    open_ = file_.OpenLocked();
  }
  ~Session() {
    --file_.sessions_;
    if (outermost_) file_.CloseLocked();
  }
  bool open() const { return open_; }

 private:
  HistoryFile& file_;
  bool outermost_ = false;
  bool open_ = false;
};

HistoryFile::HistoryFile(const Clock& clock)
    : clock_(clock), rainTail_(std::make_unique<RainTail>()) {}

HistoryFile::~HistoryFile() { CloseLocked(); }

// ----- Line operations -------------------------------------------------------

bool HistoryFile::OpenFile(const std::string& path) {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  if (fd_ >= 0) return true;
  path_ = path;
  return OpenLocked();
}

bool HistoryFile::OpenFile() {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  return OpenLocked();
}

void HistoryFile::CloseFile() {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  CloseLocked();
}

void HistoryFile::KeepReadOnly() {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  readOnly_ = true;
  CloseLocked();
}

bool HistoryFile::IsOpen() const {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  return fd_ >= 0;
}

std::string HistoryFile::path() const {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  return path_;
}

bool HistoryFile::OpenLocked() {
  if (fd_ >= 0) return true;
  if (path_.empty()) return false;
  if (readOnly_) {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    openError_ = fd >= 0 ? EROFS : errno;
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
      ::close(fd);
      return false;
    }
    if (fd < 0) return false;
    fd_ = fd;
    writable_ = false;
    return true;
  }
  // Never O_TRUNC: an existing file keeps every byte, or opening fails.
  int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  const bool created = fd >= 0;
  if (fd < 0 && errno == EEXIST) fd = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
  bool writable = fd >= 0;
  openError_ = fd >= 0 ? 0 : errno;
  if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    writable = false;
  }
  if (fd < 0) {
    if (openError_ == 0) openError_ = errno;
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  if (created) SyncFolderOf(path_);
  fd_ = fd;
  writable_ = writable;
  return true;
}

void HistoryFile::CloseLocked() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  writable_ = false;
}

HistoryFile::Tail HistoryFile::FindTail() {
  Tail tail;
  if (fd_ < 0) return tail;
  const std::int64_t size = FileSize(fd_);
  if (size <= 0) return tail;
  tail.size = static_cast<std::uint64_t>(size);
  RecordsEnd records;
  if (!FindRecordsEnd(fd_, tail.size, records)) {
    // Unreadable: nothing to read, and nothing may be set aside.
    tail.size = 0;
    return tail;
  }
  tail.validEnd = records.end;
  tail.lastRecord = std::move(records.lastLine);
  return tail;
}

std::string HistoryFile::LastLineLocked() { return FindTail().lastRecord; }

std::string HistoryFile::ReadLastLine() {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  return LastLineLocked();
}

int HistoryFile::ReadAllLines(std::vector<std::string>& lines) {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  if (fd_ < 0) return 0;
  const Tail tail = FindTail();
  if (tail.size == 0) return 0;
  ScanLinesForward(
      fd_, tail.validEnd,
      [&](std::string_view line) {
        const std::string_view trimmed = TrimLine(line);
        if (!trimmed.empty()) lines.emplace_back(trimmed);
      },
      [] {});
  return static_cast<int>(lines.size());
}

bool HistoryFile::AppendLines(const std::vector<std::string>& lines) {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  lastError_ = 0;
  if (fd_ < 0 || !writable_) {
    lastError_ = openError_ != 0 ? openError_ : EBADF;
    return false;
  }
  if (lines.empty()) return true;
  std::string text;
  std::size_t total = 0;
  for (const std::string& l : lines) total += l.size();
  text.reserve(total);
  for (const std::string& l : lines) text += l;

  const Tail tail = FindTail();
  if (tail.validEnd < tail.size && !SetAside(tail.validEnd, tail.size)) {
    lastError_ = errno != 0 ? errno : EIO;
    return false;
  }
  const std::uint64_t at = tail.validEnd;
  // One write, then to the disk; anything less is taken back so that no
  // half line stays behind.
  if (!WriteAllAt(fd_, text.data(), text.size(), at) || ::fdatasync(fd_) != 0) {
    lastError_ = errno != 0 ? errno : EIO;
    if (::ftruncate(fd_, static_cast<off_t>(at)) == 0) ::fdatasync(fd_);
    return false;
  }
  return true;
}

bool HistoryFile::SetAside(std::uint64_t from, std::uint64_t size) {
  const int side = ::open(TornAppendPath(path_).c_str(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (side < 0) return false;
  // Copied a block at a time: what follows the last record may be large.
  constexpr std::size_t kBlock = std::size_t{1} << 20;
  std::string block;
  bool ok = true;
  char lastByte = '\n';
  for (std::uint64_t at = from; ok && at < size;) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, size - at));
    block.resize(n);
    ok = ReadAt(fd_, block.data(), n, at) && WriteAll(side, block.data(), n);
    lastByte = block[n - 1];
    at += n;
  }
  if (ok && lastByte != '\n') ok = WriteAll(side, "\r\n", 2);
  ok = ok && ::fdatasync(side) == 0;
  ::close(side);
  return ok && ::ftruncate(fd_, static_cast<off_t>(from)) == 0;
}

bool HistoryFile::Truncate() {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  if (fd_ < 0 || !writable_) return false;
  return ::ftruncate(fd_, 0) == 0 && ::fdatasync(fd_) == 0;
}

// ----- Row operations --------------------------------------------------------

std::string HistoryFile::FormatLine(HistoryRow& row) const {
  const std::tm now = clock_.LocalNow();
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &now);
  row[row::saveTime] = stamp;
  return FormatRowLine(row, stamp);
}

int HistoryFile::ParseLine(HistoryRow& row, std::string_view text) {
  return skyvane::ParseLine(row, text);
}

// ----- Store operations ------------------------------------------------------

// A range read looks at every line's recordTime and splits only the lines in
// range, each complete and so holding every field it gives. A line that takes
// fields from the lines before it (one without its own recordTime, or a short
// one in range) needs the full reading instead: -1, and the sink is begun
// again by it. Nothing relies on the lines being in time order.
template <class Sink>
int HistoryFile::LoadRangeQuickly(Sink& sink, std::uint64_t end) {
  const RowParser fresh;  // the fields no line sets (reserved)
  HistoryTable::FieldViews fields = fresh.fields();
  std::array<std::string_view, line::kPositions> pieces;
  int lines = 0;
  bool enough = true;
  ScanLinesForward(
      fd_, end,
      [&](std::string_view untrimmed) {
        const std::string_view text = TrimLine(untrimmed);
        if (text.empty()) return true;
        if (lines++ == 0) sink.Begin(end);
        std::string_view time;
        if (!ThirdPiece(text, time)) return enough = false;
        if (!sink.Wants(TrimLine(time))) return true;
        if (SplitLine(text, pieces, line::kReservedPosition) < line::kReservedPosition) return enough = false;
        for (int pos = 0; pos < line::kReservedPosition; ++pos) fields[line::kFieldAt[pos]] = pieces[pos];
        sink.Take(fields);
        return true;
      },
      [] {});
  return enough ? lines : -1;
}

template <class Sink>
int HistoryFile::LoadLines(Sink& sink) {
  // The caller holds the file and has it open.
  const Tail tail = FindTail();
  if (tail.validEnd == 0) return 0;
  if (sink.Ranged()) {
    const int lines = LoadRangeQuickly(sink, tail.validEnd);
    if (lines >= 0) return lines;
  }
  // A line lacking fields takes them from the line before it. A complete line
  // sets every field that is read back, so it is parsed into the working row
  // only when a short line follows it.
  RowParser working;
  std::string_view complete;  // the last complete line, not yet in working
  std::string completeOwned;
  std::array<std::string_view, line::kPositions> pieces;
  HistoryTable::FieldViews fields = working.fields();
  int lines = 0;
  ScanLinesForward(
      fd_, tail.validEnd,
      [&](std::string_view untrimmed) {
        // Lines are read trimmed: blank pieces at either end are no pieces.
        const std::string_view text = TrimLine(untrimmed);
        if (text.empty()) return;
        if (lines++ == 0) sink.Begin(tail.validEnd);
        // Every line wanted: straight into the table when it is complete.
        if (sink.TakeLine(text)) {
          complete = text;
          return;
        }
        // Only the lines that are kept are split.
        std::string_view time;
        if (CountPieces(text, line::kReservedPosition, time) >= line::kReservedPosition) {
          complete = text;
          if (!sink.Wants(TrimLine(time))) return;
          SplitLine(text, pieces, line::kReservedPosition);
          for (int pos = 0; pos < line::kReservedPosition; ++pos) {
            fields[line::kFieldAt[pos]] = pieces[pos];
          }
          sink.Take(fields);
          return;
        }
        if (!complete.empty()) working.Parse(complete);
        complete = {};
        working.Parse(text);
        if (sink.Wants(working.recordTime())) sink.Take(working.fields());
      },
      [&] {
        working.Retain();
        if (!complete.empty() && complete.data() != completeOwned.data()) {
          completeOwned.assign(complete);
          complete = completeOwned;
        }
      });
  return lines;
}

namespace {

struct TableSink {
  HistoryTable& table;
  const std::string* start = nullptr;
  const std::string* end = nullptr;
  int taken = 0;
  bool Ranged() const { return start != nullptr; }
  void Begin(std::uint64_t bytes) {
    table.clear();
    taken = 0;
    // Rows of the program's own lines are about 300 bytes, 180 of them text.
    if (!start) table.reserve(bytes / 290 + 16, bytes * 5 / 8);
  }
  bool TakeLine(std::string_view text) {
    if (start || !table.AppendLine(text)) return false;
    ++taken;
    return true;
  }
  bool Wants(std::string_view time) const { return !start || InRange(time, *start, *end); }
  void Take(const HistoryTable::FieldViews& fields) {
    table.Append(fields);
    ++taken;
  }
};

struct ArraySink {
  HistoryRowArray& rows;
  const std::string* start = nullptr;
  const std::string* end = nullptr;
  bool Ranged() const { return start != nullptr; }
  void Begin(std::uint64_t) { rows.clear(); }
  bool TakeLine(std::string_view) { return false; }
  bool Wants(std::string_view time) const { return !start || InRange(time, *start, *end); }
  void Take(const HistoryTable::FieldViews& fields) {
    HistoryRow& r = rows.emplace_back();
    for (int f = 0; f < row::kCount; ++f) r[f].assign(fields[f]);
  }
};

}  // namespace

int HistoryFile::SearchToGrid(HistoryTable& grid, const std::string& start,
                              const std::string& end) {
  FileBusy::Hold hold = busy_.TakeHold();
  if (!hold.held()) return kBusyCount;
  Session session(*this);
  if (!session.open()) return 0;
  TableSink sink{grid, &start, &end};
  LoadLines(sink);
  return sink.taken;
}

int HistoryFile::LoadRange(HistoryRowArray& rows, const std::string& start,
                           const std::string& end) {
  FileBusy::Hold hold = busy_.TakeHold();
  if (!hold.held()) return kBusyCount;
  Session session(*this);
  if (!session.open()) return 0;
  ArraySink sink{rows, &start, &end};
  return LoadLines(sink);
}

int HistoryFile::LoadRange(HistoryTable& rows, const std::string& start,
                           const std::string& end) {
  FileBusy::Hold hold = busy_.TakeHold();
  if (!hold.held()) return kBusyCount;
  Session session(*this);
  if (!session.open()) return 0;
  TableSink sink{rows, &start, &end};
  return LoadLines(sink);
}

int HistoryFile::LoadAll(HistoryRowArray& rows) {
  FileBusy::Hold hold = busy_.TakeHold();
  if (!hold.held()) return kBusyCount;
  Session session(*this);
  if (!session.open()) return 0;
  ArraySink sink{rows};
  return LoadLines(sink);
}

int HistoryFile::LoadAll(HistoryTable& rows) {
  FileBusy::Hold hold = busy_.TakeHold();
  if (!hold.held()) return kBusyCount;
  Session session(*this);
  if (!session.open()) return 0;
  TableSink sink{rows};
  return LoadLines(sink);
}

int HistoryFile::LastSequenceNo() {
  // Outside a store operation this waits for the other thread's one to end.
  FileBusy::Hold hold = busy_.HoldWhenFree();
  Session session(*this);
  const long long last = RecordSequenceNo(LastLineLocked());
  return last > 0 ? static_cast<int>(last) : 0;
}

bool HistoryFile::LoadLastRow(HistoryRow& row) {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  Session session(*this);
  const std::string last = LastLineLocked();
  if (last.empty()) {
    ResetRow(row);
    return false;
  }
  skyvane::ParseLine(row, last);
  return true;
}

bool HistoryFile::AppendRows(const HistoryRowArray& rows) {
  FileBusy::Hold hold = busy_.TakeHold();
  lastError_ = 0;
  if (!hold.held()) return false;
  Session session(*this);
  if (!session.open()) {
    lastError_ = openError_ != 0 ? openError_ : EIO;
    return false;
  }
  long long n = LastSequenceNo() + 1LL;
  if (n + static_cast<long long>(rows.size()) - 1 > INT_MAX) {
    lastError_ = EOVERFLOW;
    return false;
  }
  std::vector<std::string> lines;
  lines.reserve(rows.size());
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    HistoryRow copy = *it;
    char number[24];
    std::snprintf(number, sizeof number, "%4lld", n++);
    copy[row::sequenceNo] = number;
    lines.push_back(FormatLine(copy));
  }
  return AppendLines(lines);
}

int HistoryFile::LastAppendError() const {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  return lastError_;
}

bool HistoryFile::ClearAll() {
  FileBusy::Hold hold = busy_.TakeHold();
  if (!hold.held()) return false;
  Session session(*this);
  return session.open() && Truncate();
}

HistoryFile::Scan HistoryFile::ScanBackward(
    const std::function<bool(std::string_view line)>& onLine) {
  FileBusy::Hold hold = busy_.TakeHold();
  if (!hold.held()) return Scan::kBusy;
  Session session(*this);
  if (!session.open()) return Scan::kDone;
  const Tail tail = FindTail();
  if (tail.validEnd == 0) return Scan::kDone;
  ScanLinesBackward(fd_, tail.validEnd, [&](const ScannedLine& line) {
    if (line.tooLong) return true;
    const std::string_view trimmed = TrimLine(line.text);
    return trimmed.empty() || onLine(trimmed);
  });
  return Scan::kDone;
}

bool HistoryFile::ReadStamp(Stamp& stamp) {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  Session session(*this);
  struct stat st {};
  if (!session.open() || ::fstat(fd_, &st) != 0) return false;
  stamp.device = static_cast<std::uint64_t>(st.st_dev);
  stamp.inode = static_cast<std::uint64_t>(st.st_ino);
  stamp.size = static_cast<std::uint64_t>(st.st_size);
  stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  stamp.changedNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  return true;
}

std::string TornAppendPath(const std::string& path) { return path + ".torn"; }

}  // namespace skyvane
