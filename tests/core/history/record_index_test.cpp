// The indexed reads of the data file against the whole-file reading they
// replace: every consumer's rows, on files in order, with times that go back,
// with short lines and a torn tail, for ranges at and beyond the edges; and
// the index following a file that grows or is cut while it is read.
#include "core/history/record_index.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "core/app/clock.h"
#include "core/app/posix_file.h"
#include "core/app/time_text.h"
#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/history/line_scan.h"
#include "core/history/range_stream.h"
#include "core/history/record_tail.h"
#include "core/history/row_reader.h"
#include "core/history/stored_lines.h"
#include "history_support.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

// Minute 5*i after 2025-01-01 00:00:00, as stored (no zone involved).
std::string Time(int i) {
  const std::time_t t = 1735689600 + static_cast<std::time_t>(i) * 300;
  std::tm tm{};
  ::gmtime_r(&t, &tm);
  return TimeText(tm);
}

std::string Line(int i, int sequence) {
  HistoryRow r = testing::StoredRow(Time(i));
  r[row::sequenceNo] = std::to_string(sequence);
  r[row::outdoorTemperature] = std::to_string(i % 97) + ".5";
  return FormatRowLine(r, Time(i + 1));
}

// The first `pieces` pieces of line i, as an editor might leave it.
std::string ShortLine(int i, int pieces) {
  const std::string full = Line(i, i + 1);
  std::size_t at = 0;
  for (int p = 0; p < pieces; ++p) at = full.find(',', at) + 1;
  return full.substr(0, at - 1) + "\r\n";
}

// The files of the table: `times` gives each line's time index.
std::string File(int lines, int (*times)(int), std::string (*special)(int, int) = nullptr) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    const std::string s = special ? special(i, times(i)) : std::string();
    text += s.empty() ? Line(times(i), i + 1) : s;
  }
  return text;
}
int InOrder(int i) { return i; }
// Back by a day for 60 lines in the third segment, and one line far ahead.
int GoesBack(int i) { return i >= 1100 && i < 1160 ? i - 288 : i == 700 ? i + 100000 : i; }
std::string Shortened(int i, int t) {
  if (i == 512 || i == 1030) return ShortLine(t, 20);  // a segment starts short; a short line in range
  if (i == 1536) return ShortLine(t, 2);                // no time of its own
  if (i == 800) return "\r\n   \r\n";                    // blank lines
  if (i == 900) return std::string(5000, 'x') + "\r\n";  // too long to be read
  return {};
}

// The rows of the range as the whole file read from its first line gives them.
std::vector<std::string> WholeReading(int fd, const std::string& start, const std::string& end) {
  std::vector<std::string> rows;
  const std::int64_t size = FileSize(fd);
  RecordsEnd records;
  if (size <= 0 || !FindRecordsEnd(fd, static_cast<std::uint64_t>(size), records)) return rows;
  ForwardRowReader reader;
  ScanLinesForward(
      fd, records.end,
      [&](std::string_view line) {
        const std::string_view text = TrimLine(line);
        if (text.empty()) return;
        const std::string_view time = reader.Next(text);
        if (time < start || time > end) return;
        std::string joined;
        for (std::string_view f : reader.Fields()) (joined += f) += '|';
        rows.push_back(joined);
      },
      [&] { reader.Retain(); });
  return rows;
}

std::string Joined(const HistoryRow& r) {
  std::string joined;
  for (int f = 0; f < row::kCount; ++f) (joined += r[f]) += '|';
  return joined;
}

struct Case {
  const char* name;
  std::string text;
};

class IndexedReads : public ::testing::Test {
 protected:
  std::vector<Case> Files() {
    return {
        {"in order", File(1700, InOrder)},
        {"times go back", File(1700, GoesBack)},
        {"short, blank and long lines", File(1700, InOrder, Shortened)},
        {"torn tail", File(1100, InOrder) + ShortLine(1100, 10)},
        {"one line", File(1, InOrder)},
        {"empty", ""},
    };
  }
  std::vector<std::pair<std::string, std::string>> Ranges() {
    return {
        {Time(-100), Time(-1)},          // before the first
        {Time(2000), Time(3000)},        // after the last
        {Time(0), Time(0)},              // exactly the first
        {Time(1699), Time(1699)},        // exactly the last
        {Time(500), Time(530)},          // across a segment's start
        {Time(512), Time(515)},          // a segment that starts with a short line
        {Time(1535), Time(1535)},        // and the line after it, which has no time of its own
        {Time(830), Time(880)},          // where times went back to
        {Time(100100), Time(100100)},    // the one line far ahead
        {Time(-5), Time(5000)},          // everything
        {Time(10), Time(5)},             // an empty range
    };
  }
  test::ScratchFolder folder_;
  FixedClock clock_{0};
};

TEST_F(IndexedReads, EveryConsumerGetsTheRowsOfTheWholeReading) {
  int n = 0;
  for (const Case& c : Files()) {
    // A file of its own: a file rewritten in place with other times is no
    // data file's life.
    const std::string path = (folder_ / ("Skyvane" + std::to_string(++n) + ".dat")).string();
    test::WriteFileBytes(path, c.text);
    const FileDescriptor fd = FileDescriptor::Open(path, O_RDONLY);
    HistoryFile file(clock_);
    ASSERT_TRUE(file.OpenFile(path));
    for (const auto& [start, end] : Ranges()) {
      SCOPED_TRACE(std::string(c.name) + " [" + start + ", " + end + "]");
      const std::vector<std::string> expected = WholeReading(fd.get(), start, end);

      RangeStream stream;
      ASSERT_TRUE(stream.Open(path, start, end));
      std::vector<std::string> streamed;
      while (stream.Next([&](const HistoryTable::FieldViews& fields) {
        std::string joined;
        for (std::string_view f : fields) (joined += f) += '|';
        streamed.push_back(joined);
      })) {
      }
      EXPECT_FALSE(stream.failed());
      EXPECT_EQ(streamed, expected);
      stream.Rewind();
      std::uint64_t counted = 0;
      while (stream.NextCount(counted)) {
      }
      EXPECT_EQ(counted, expected.size());

      HistoryRowArray rows;
      file.LoadRange(rows, start, end);
      std::vector<std::string> loaded;
      for (const HistoryRow& r : rows) loaded.push_back(Joined(r));
      if (!c.text.empty()) {
        EXPECT_EQ(loaded, expected);
      }

      HistoryTable table;
      file.SearchToGrid(table, start, end);
      std::vector<std::string> grid;
      for (std::size_t i = 0; i < table.size(); ++i) grid.push_back(Joined(table.Row(i)));
      EXPECT_EQ(grid, expected);

      // `history` reads each line's own time and prints the line as stored.
      std::vector<std::string> stored, own;
      LoadStoredLines(file, start, end, stored);
      ScanLinesForward(
          fd.get(), c.text.size(),
          [&](std::string_view line) {
            if (TrimLine(line).empty()) return;
            HistoryRow r;
            ParseLine(r, line);
            if (r[row::recordTime] >= start && r[row::recordTime] <= end) own.emplace_back(line);
          },
          [] {});
      if (c.name == std::string("torn tail") && !own.empty() && own.back() == TrimLine(ShortLine(1100, 10))) {
        own.pop_back();  // what follows the last record is read by no one
      }
      EXPECT_EQ(stored, own);
    }
  }
}

TEST_F(IndexedReads, TheIndexReadsOnlyTheSegmentsOfARange) {
  const std::string path = (folder_ / "Skyvane.dat").string();
  test::WriteFileBytes(path, File(5000, InOrder));
  const FileDescriptor fd = FileDescriptor::Open(path, O_RDONLY);
  RecordIndex index;
  ASSERT_TRUE(index.Update(fd.get()));
  EXPECT_EQ(index.lines(), 5000);
  EXPECT_EQ(index.segments(), 10u);
  const std::uint64_t segment = Line(0, 1).size() * RecordIndex::kSegmentLines;  // lines of one length
  const std::vector<RecordIndex::Span> spans = index.Find(Time(1100), Time(1200));
  EXPECT_EQ(spans, (std::vector<RecordIndex::Span>{{2 * segment, 3 * segment}}));
  EXPECT_TRUE(index.Find(Time(6000), Time(7000)).empty());
  EXPECT_EQ(index.Find(Time(4999), Time(4999)), (std::vector<RecordIndex::Span>{{9 * segment, index.end()}}));
}

// Another program appends, sets a torn tail aside or empties and refills the
// file between two reads of one index: each read sees the file as it is.
TEST_F(IndexedReads, TheIndexFollowsAppendsACutTailAndANewFile) {
  const std::string path = (folder_ / "Skyvane.dat").string();
  test::WriteFileBytes(path, File(1000, InOrder));
  HistoryFile file(clock_);
  ASSERT_TRUE(file.OpenFile(path));
  HistoryRowArray rows;
  struct Step {
    const char* name;
    std::string bytes;  // appended; a leading '!' replaces the file instead
    int lines;
    std::string start, end;
    std::size_t found;
  };
  const std::string torn = Line(1000, 1001).substr(0, 50);
  const Step steps[] = {
      {"first read", "", 1000, Time(990), Time(1010), 10},
      {"appended", Line(1000, 1001) + Line(1001, 1002), 1002, Time(990), Time(1010), 12},
      {"a torn append", torn, 1002, Time(990), Time(1010), 12},
      {"replaced by a longer file", "!" + File(1200, [](int i) { return i + 20000; }), 1200, Time(20000),
       Time(20010), 11},
      {"emptied and refilled", "!" + File(3, [](int i) { return i + 5000; }), 3, Time(0), Time(9000), 3},
      {"emptied", "!", 0, Time(0), Time(9000), 0},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    if (!s.bytes.empty() && s.bytes[0] == '!') {
      test::WriteFileBytes(path, s.bytes.substr(1));
    } else {
      const FileDescriptor out = FileDescriptor::Open(path, O_WRONLY | O_APPEND);
      ASSERT_TRUE(WriteAll(out.get(), s.bytes.data(), s.bytes.size()));
    }
    rows.clear();
    EXPECT_EQ(file.LoadRange(rows, s.start, s.end), s.lines);
    EXPECT_EQ(rows.size(), s.found);
    // The index the streams of one process share follows the file as well.
    RangeStream stream;
    ASSERT_TRUE(stream.Open(path, s.start, s.end));
    std::uint64_t streamed = 0;
    while (stream.NextCount(streamed)) {
    }
    EXPECT_EQ(streamed, s.found);
  }
  // The next append sets the torn bytes aside; the index then reads on.
  test::WriteFileBytes(path, File(600, InOrder) + torn);
  file.LoadRange(rows, Time(0), Time(0));
  HistoryRowArray fresh{testing::StoredRow(Time(600))};
  ASSERT_TRUE(file.AppendRows(fresh));
  EXPECT_EQ(file.LoadRange(rows, Time(590), Time(700)), 601);
  ASSERT_EQ(rows.size(), 11u);
  EXPECT_EQ(rows.back()[row::recordTime], Time(600));
}

// A stream keeps reading what it found when it was opened: the file cut
// under it ends the stream as failed, never with a half line or a crash.
TEST_F(IndexedReads, AStreamWhoseFileIsCutUnderItFailsCleanly) {
  const std::string path = (folder_ / "Skyvane.dat").string();
  const std::string text = File(4000, InOrder);
  test::WriteFileBytes(path, text);
  RangeStream stream;
  ASSERT_TRUE(stream.Open(path, Time(0), Time(4000)));
  std::size_t rows = 0;
  ASSERT_TRUE(stream.Next([&](const HistoryTable::FieldViews&) { ++rows; }));
  const FileDescriptor out = FileDescriptor::Open(path, O_WRONLY | O_APPEND);
  ASSERT_TRUE(WriteAll(out.get(), Line(4000, 4001).data(), Line(4000, 4001).size()));
  ASSERT_EQ(::ftruncate(out.get(), static_cast<off_t>(text.size() / 2)), 0);
  std::vector<std::string> times;
  while (stream.Next([&](const HistoryTable::FieldViews& f) { times.emplace_back(f[row::recordTime]); })) {
  }
  EXPECT_TRUE(stream.failed());
  for (const std::string& t : times) EXPECT_EQ(t.size(), 19u) << t;
  EXPECT_LT(rows + times.size(), 4000u);
}

}  // namespace
}  // namespace skyvane
