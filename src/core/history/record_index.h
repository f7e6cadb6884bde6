#pragma once
// Where in the data file the lines of a time range lie, so that a reader of a
// month of ten years reads that month and not the years before it. The file
// is cut into segments of a few hundred lines; each keeps where it begins,
// the earliest and latest time its lines state, and whether its first line
// holds every field. A range is found by looking at the segments' times, so
// a file whose times go back in places is read wherever they may lie.
//
// Nothing is mapped: the file is read with pread, so another program may
// append to it or cut its torn tail off while a reader is open. Update
// follows both: it reads only what was appended since, and starts over when
// the bytes it knew are gone (it compares the first bytes of the last segment
// and of up to 16 others spread over the file).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skyvane {

class RecordIndex {
 public:
  // Lines per segment: a range costs at most two segments more than its lines.
  static constexpr int kSegmentLines = 512;

  struct Span {
    std::uint64_t from = 0;  // the start of a line: the file's first, or one that holds every field
    std::uint64_t to = 0;
    bool operator==(const Span&) const = default;
  };

  // Brings the index up to the records of the open file fd as they are now.
  // False when the file cannot be read (the index is then empty).
  bool Update(int fd);

  // The parts of the file to read, in file order, for the lines whose time
  // may lie in [start, end]: every line whose own time does, every line that
  // states no time, and the lines before them back to one that holds every
  // field, so that a reader starting at a span's first line gives each line
  // the fields it would have had reading from the start.
  std::vector<Span> Find(std::string_view start, std::string_view end) const;

  // The offset after the last record (what follows it is read by no one).
  std::uint64_t end() const { return end_; }
  // The lines that are not blank, as the loads count them.
  std::int64_t lines() const { return lines_; }
  // Segments kept (for the tests of the index's shape).
  std::size_t segments() const { return segments_.size(); }

 private:
  struct Segment {
    std::uint64_t offset = 0;
    std::string earliest, latest;  // of the times the lines state
    bool timed = false;            // earliest and latest are set
    bool timeless = false;         // a line in it states no time
    bool startsWhole = false;      // its first line holds every field
    int rawLines = 0;              // every line handed out, blank or not
    std::int64_t lines = 0;        // of them not blank
    std::string head;              // the first bytes of its first line
  };
  void Clear();
  bool Scan(int fd, std::uint64_t from, std::uint64_t to);
  bool StillHolds(int fd, std::uint64_t recordsEnd) const;

  std::vector<Segment> segments_;  // the last one is open: scanned again by Update
  std::uint64_t end_ = 0;
  std::int64_t lines_ = 0;
  std::uint64_t device_ = 0, inode_ = 0;
};

}  // namespace skyvane
