#include "core/history/record_index.h"

#include <sys/stat.h>


#include "core/app/posix_file.h"
#include "core/history/history_line.h"
#include "core/history/line_scan.h"
#include "core/history/record_tail.h"

namespace skyvane {

namespace {

constexpr std::size_t kHeadBytes = 32;
constexpr std::size_t kHeadsCompared = 16;

// The time a line states, as the loads read it (from the trimmed line) and as
// the stored-line reader does (from the line as it is); false when either
// finds none.
bool StatedTimes(std::string_view line, std::string_view& trimmedTime, std::string_view& rawTime) {
  const std::string_view text = TrimLine(line);
  if (!ThirdPiece(text, trimmedTime)) return false;
  trimmedTime = TrimLine(trimmedTime);
  rawTime = trimmedTime;
  if (text.data() == line.data()) return true;
  if (!ThirdPiece(line, rawTime)) return false;
  rawTime = TrimLine(rawTime);
  return true;
}

// Times mostly rise from line to line: one comparison for most lines.
void Widen(std::string& earliest, std::string& latest, std::string_view time, bool first) {
  if (first) {
    earliest.assign(time);
    latest.assign(time);
  } else if (!(time < latest)) {
    latest.assign(time);
  } else if (time < earliest) {
    earliest.assign(time);
  }
}

}  // namespace

void RecordIndex::Clear() {
  segments_.clear();
  end_ = 0;
  lines_ = 0;
}

bool RecordIndex::StillHolds(int fd, std::uint64_t recordsEnd) const {
  const std::size_t count = segments_.size();
  const std::size_t step = count > kHeadsCompared ? count / kHeadsCompared : 1;
  std::string bytes;
  for (std::size_t i = count; i-- > 0;) {
    if (i + 1 != count && i % step != 0) continue;
    const Segment& s = segments_[i];
    if (s.offset + s.head.size() > recordsEnd) return false;
    bytes.assign(s.head.size(), '\0');
    if (!bytes.empty() && (!ReadAt(fd, bytes.data(), bytes.size(), s.offset) || bytes != s.head)) return false;
  }
  return true;
}

bool RecordIndex::Update(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    Clear();
    return false;
  }
  const auto size = static_cast<std::uint64_t>(st.st_size);
  RecordsEnd records;
  if (size > 0 && !FindRecordsEnd(fd, size, records)) {
    Clear();
    return false;
  }
  const bool sameFile = static_cast<std::uint64_t>(st.st_dev) == device_ &&
                        static_cast<std::uint64_t>(st.st_ino) == inode_;
  device_ = static_cast<std::uint64_t>(st.st_dev);
  inode_ = static_cast<std::uint64_t>(st.st_ino);
  if (!sameFile || !StillHolds(fd, records.end)) Clear();
  if (records.end == end_ && !segments_.empty()) return true;
  // The open segment is read again, with whatever was appended after it.
  std::uint64_t from = 0;
  if (!segments_.empty()) {
    from = segments_.back().offset;
    lines_ -= segments_.back().lines;
    segments_.pop_back();
  }
  end_ = records.end;
  if (!Scan(fd, from, end_)) {
    Clear();
    return false;
  }
  return true;
}

bool RecordIndex::Scan(int fd, std::uint64_t from, std::uint64_t to) {
  Segment* segment = nullptr;
  return ScanLinesForwardFrom(
      fd, from, to,
      [&](std::string_view line, std::uint64_t start) {
        if (segment == nullptr || segment->rawLines == kSegmentLines) {
          segment = &segments_.emplace_back();
          segment->offset = start;
          segment->head.assign(line.substr(0, kHeadBytes));
          std::string_view ignored;
          segment->startsWhole = CountPieces(TrimLine(line), line::kReservedPosition, ignored) >=
                                 line::kReservedPosition;
        }
        ++segment->rawLines;
        if (TrimLine(line).empty()) return;
        ++segment->lines;
        ++lines_;
        std::string_view trimmedTime, rawTime;
        if (!StatedTimes(line, trimmedTime, rawTime)) {
          segment->timeless = true;
          return;
        }
        Widen(segment->earliest, segment->latest, trimmedTime, !segment->timed);
        if (rawTime.data() != trimmedTime.data()) Widen(segment->earliest, segment->latest, rawTime, false);
        segment->timed = true;
      },
      [] {});
}

std::vector<RecordIndex::Span> RecordIndex::Find(std::string_view start, std::string_view end) const {
  std::vector<Span> spans;
  std::size_t whole = 0;  // the latest segment that a reader may start at
  for (std::size_t i = 0; i < segments_.size(); ++i) {
    const Segment& s = segments_[i];
    if (s.startsWhole) whole = i;
    const bool wanted = s.timeless || (s.timed && !(s.latest < start) && !(end < s.earliest));
    if (!wanted) continue;
    const std::uint64_t from = segments_[whole].offset;
    const std::uint64_t to = i + 1 < segments_.size() ? segments_[i + 1].offset : end_;
    if (!spans.empty() && spans.back().to >= from) {
      spans.back().to = to;
    } else {
      spans.push_back({from, to});
    }
  }
  return spans;
}

}  // namespace skyvane
