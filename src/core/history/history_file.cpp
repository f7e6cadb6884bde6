#include "core/history/history_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <cstdio>

#include "core/app/time_text.h"
#include "core/history/history_line.h"
#include "core/history/line_scan.h"
#include "core/history/record_tail.h"

namespace skyvane {

HistoryFile::HistoryFile(const Clock& clock) : clock_(clock) {}

HistoryFile::~HistoryFile() { CloseLocked(); }

// ----- Line operations -------------------------------------------------------

bool HistoryFile::OpenFile(const std::string& path) {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  if (fd_.valid()) return true;
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
  return fd_.valid();
}

std::string HistoryFile::path() const {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  return path_;
}

bool HistoryFile::OpenLocked() {
  if (fd_.valid()) return true;
  if (path_.empty()) return false;
  auto regular = [](const FileDescriptor& fd) {
    struct stat st {};
    return ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode);
  };
  if (readOnly_) {
    FileDescriptor fd = FileDescriptor::Open(path_, O_RDONLY);
    openError_ = fd ? EROFS : errno;
    if (!fd || !regular(fd)) return false;
    fd_ = std::move(fd);
    writable_ = false;
    return true;
  }
  // Never O_TRUNC: an existing file keeps every byte, or opening fails.
  FileDescriptor fd = FileDescriptor::Open(path_, O_RDWR | O_CREAT | O_EXCL);
  const bool created = fd.valid();
  if (!fd && errno == EEXIST) fd = FileDescriptor::Open(path_, O_RDWR);
  bool writable = fd.valid();
  openError_ = fd ? 0 : errno;
  if (!fd && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    fd = FileDescriptor::Open(path_, O_RDONLY);
    writable = false;
  }
  if (!fd) {
    if (openError_ == 0) openError_ = errno;
    return false;
  }
  if (!regular(fd)) return false;
  // A new file's name must survive a power loss as well as its contents.
  if (created) SyncFolderOf(path_);
  fd_ = std::move(fd);
  writable_ = writable;
  return true;
}

void HistoryFile::CloseLocked() {
  fd_.Close();
  writable_ = false;
}

HistoryFile::Tail HistoryFile::FindTail() {
  Tail tail;
  if (!fd_.valid()) return tail;
  const std::int64_t size = FileSize(fd_.get());
  if (size <= 0) return tail;
  tail.size = static_cast<std::uint64_t>(size);
  RecordsEnd records;
  if (!FindRecordsEnd(fd_.get(), tail.size, records)) {
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
  if (!fd_.valid()) return 0;
  const Tail tail = FindTail();
  if (tail.size == 0) return 0;
  ScanLinesForward(
      fd_.get(), tail.validEnd,
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
  if (!fd_.valid() || !writable_) {
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
  if (!WriteAllAt(fd_.get(), text.data(), text.size(), at) || ::fdatasync(fd_.get()) != 0) {
    lastError_ = errno != 0 ? errno : EIO;
    if (::ftruncate(fd_.get(), static_cast<off_t>(at)) == 0) ::fdatasync(fd_.get());
    return false;
  }
  return true;
}

bool HistoryFile::SetAside(std::uint64_t from, std::uint64_t size) {
  FileDescriptor side = FileDescriptor::Open(TornAppendPath(path_), O_WRONLY | O_CREAT | O_APPEND);
  if (!side) return false;
  // Copied a block at a time: what follows the last record may be large.
  constexpr std::size_t kBlock = std::size_t{1} << 20;
  std::string block;
  bool ok = true;
  char lastByte = '\n';
  for (std::uint64_t at = from; ok && at < size;) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, size - at));
    block.resize(n);
    ok = ReadAt(fd_.get(), block.data(), n, at) && WriteAll(side.get(), block.data(), n);
    lastByte = block[n - 1];
    at += n;
  }
  if (ok && lastByte != '\n') ok = WriteAll(side.get(), "\r\n", 2);
  ok = ok && ::fdatasync(side.get()) == 0;
  side.Close();
  return ok && ::ftruncate(fd_.get(), static_cast<off_t>(from)) == 0;
}

bool HistoryFile::Truncate() {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  if (!fd_.valid() || !writable_) return false;
  return ::ftruncate(fd_.get(), 0) == 0 && ::fdatasync(fd_.get()) == 0;
}

// ----- Row operations --------------------------------------------------------

std::string HistoryFile::FormatLine(HistoryRow& row) const {
  const std::string stamp = TimeText(clock_.LocalNow());
  row[row::saveTime] = stamp;
  return FormatRowLine(row, stamp);
}

int HistoryFile::ParseLine(HistoryRow& row, std::string_view text) {
  return skyvane::ParseLine(row, text);
}

// ----- Store operations ------------------------------------------------------

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
  HistoryRowArray written;
  return AppendRows(rows, written);
}

bool HistoryFile::AppendRows(const HistoryRowArray& rows, HistoryRowArray& written) {
  written.clear();
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
    written.push_back(std::move(copy));
  }
  if (AppendLines(lines)) return true;
  written.clear();
  return false;
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
  ScanLinesBackward(fd_.get(), tail.validEnd, [&](const ScannedLine& line) {
    if (line.tooLong) return true;
    const std::string_view trimmed = TrimLine(line.text);
    return trimmed.empty() || onLine(trimmed);
  });
  return Scan::kDone;
}

bool HistoryFile::ReadStamp(Stamp& stamp) {
  FileBusy::Hold hold = busy_.HoldWhenFree();
  Session session(*this);
  return session.open() && StampOf(fd_.get(), stamp);
}

bool HistoryFile::StampOf(int fd, Stamp& stamp) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return false;
  stamp.device = static_cast<std::uint64_t>(st.st_dev);
  stamp.inode = static_cast<std::uint64_t>(st.st_ino);
  stamp.size = static_cast<std::uint64_t>(st.st_size);
  stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  stamp.changedNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  return true;
}

std::string TornAppendPath(const std::string& path) { return path + ".torn"; }

}  // namespace skyvane
