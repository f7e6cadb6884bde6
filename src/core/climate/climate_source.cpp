#include "core/climate/climate_source.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "core/app/posix_file.h"
#include "core/history/history_line.h"
#include "core/history/range_stream.h"
#include "core/history/record_tail.h"

namespace skyvane::climate {
namespace {

constexpr std::size_t kEndBytes = 64;
// An append larger than this is read through the whole-file path, whose
// memory stays bounded.
constexpr std::uint64_t kLargestAppend = std::uint64_t{1} << 22;
constexpr int kReadTries = 3;

std::string BytesBefore(int fd, std::uint64_t end) {
  const std::uint64_t n = end < kEndBytes ? end : kEndBytes;
  std::string bytes(static_cast<std::size_t>(n), '\0');
  if (!ReadAt(fd, bytes.data(), bytes.size(), end - n)) bytes.clear();
  return bytes;
}

}  // namespace

ClimateSource::Read ClimateSource::Update(const std::string& path, const OnReset& onReset,
                                          const OnRow& onRow, std::string& error) {
  FileDescriptor fd = FileDescriptor::Open(path, O_RDONLY);
  HistoryFile::Stamp now;
  if (!fd || !HistoryFile::StampOf(fd.get(), now)) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return Read::kFailed;
  }
  if (known_ && path == path_ && now == stamp_) return Read::kUnchanged;
  const bool grown = known_ && path == path_ && now.device == stamp_.device &&
                     now.inode == stamp_.inode && now.size > stamp_.size &&
                     now.size - end_ <= kLargestAppend && end_ > 0 &&
                     !endBytes_.empty() && endBytes_.back() == '\n' &&
                     BytesBefore(fd.get(), end_) == endBytes_;
  if (grown && ReadAppended(fd.get(), now.size, onRow)) {
    stamp_ = now;
    return Read::kAppended;
  }
  known_ = false;
  if (!ReadAll(path, onReset, onRow, error)) return Read::kFailed;
  return Read::kAll;
}

bool ClimateSource::ReadAppended(int fd, std::uint64_t size, const OnRow& onRow) {
  RecordsEnd records;
  if (!FindRecordsEnd(fd, size, records) || records.end < end_) return false;
  std::string bytes(static_cast<std::size_t>(records.end - end_), '\0');
  if (!ReadAt(fd, bytes.data(), bytes.size(), end_)) return false;
  // Appends are whole records; anything else is read from the start, where
  // the rules for short lines apply.
  std::vector<std::string_view> lines;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t nl = bytes.find('\n', at);
    if (nl == std::string::npos) nl = bytes.size();
    const std::string_view line = TrimLine(std::string_view(bytes).substr(at, nl - at));
    if (!line.empty()) {
      if (!IsRecordLine(line)) return false;
      lines.push_back(line);
    }
    at = nl + 1;
  }
  std::array<std::string_view, line::kPositions> pieces;
  HistoryTable::FieldViews fields;
  for (const std::string_view line : lines) {
    SplitLine(line, pieces);
    for (int p = 0; p < line::kPositions; ++p) fields[line::kFieldAt[p]] = pieces[p];
    onRow(fields);
  }
  end_ = records.end;
  endBytes_ = BytesBefore(fd, end_);
  return true;
}

bool ClimateSource::ReadAll(const std::string& path, const OnReset& onReset, const OnRow& onRow,
                            std::string& error) {
  // The file may grow while it is read: the read counts only when the stamp
  // before and after agree, so that the next append is read exactly once;
  // otherwise the caller drops what it was given and the file is read again.
  for (int attempt = 0; attempt < kReadTries; ++attempt) {
    FileDescriptor fd = FileDescriptor::Open(path, O_RDONLY);
    HistoryFile::Stamp before, after;
    RangeStream stream;
    if (!fd || !HistoryFile::StampOf(fd.get(), before) ||
        !stream.Open(path, std::string(), std::string(1, '\x7f'))) {
      error = "cannot read " + path + ": " + std::strerror(errno);
      return false;
    }
    onReset();
    while (stream.Next(onRow)) {
    }
    if (stream.failed()) {
      error = "cannot read " + path + ": " + std::strerror(errno);
      return false;
    }
    RecordsEnd records;
    if (!HistoryFile::StampOf(fd.get(), after) || !(before == after) ||
        (after.size > 0 && !FindRecordsEnd(fd.get(), after.size, records))) {
      continue;
    }
    path_ = path;
    stamp_ = after;
    end_ = records.end;
    endBytes_ = BytesBefore(fd.get(), end_);
    known_ = true;
    return true;
  }
  error = path + " kept changing while it was read";
  return false;
}

}  // namespace skyvane::climate
