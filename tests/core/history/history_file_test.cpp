#include "core/history/history_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>

#include "support/scratch_folder.h"
#include "core/history/history_line.h"
#include "core/history/history_support.h"
#include "core/history/rain.h"

namespace skyvane {
namespace {

using test::LocalTime;
using test::ReadFileBytes;
using test::LocalStamp;
using testing::StoredRow;
using test::WriteFileBytes;

class HistoryFileTest : public ::testing::Test {
 protected:
  HistoryFileTest() : clock_(LocalTime(2024, 3, 1, 12, 0, 5)), file_(clock_) {}

  std::string Path() const { return (folder_ / "Skyvane.dat").string(); }
  // A line as the program writes it.
  static std::string Line(int seq, const std::string& time, const std::string& rain = "30.0") {
    HistoryRow r = StoredRow(time, rain);
    r[row::sequenceNo] = std::to_string(seq);
    return FormatRowLine(r, "2024-03-01 12:00:05");
  }
  bool Open() { return file_.OpenFile(Path()); }

  test::ScratchFolder folder_;
  FixedClock clock_;
  HistoryFile file_;
};

TEST_F(HistoryFileTest, MissingFileIsCreatedEmptyAndNumberingStartsAtOne) {
  ASSERT_TRUE(Open());
  EXPECT_TRUE(std::filesystem::exists(Path()));
  EXPECT_EQ(file_.LastSequenceNo(), 0);
  HistoryRow last;
  last[row::rain] = "x";
  EXPECT_FALSE(file_.LoadLastRow(last));
  EXPECT_EQ(last, HistoryRow());

  ASSERT_TRUE(file_.AppendRows({StoredRow("2024-03-01 11:55:00")}));
  const std::string bytes = ReadFileBytes(Path());
  EXPECT_EQ(bytes.substr(0, 27), "   1, 2024-03-01 12:00:05, ");
  EXPECT_EQ(bytes.substr(bytes.size() - 10), ",       \r\n");
  EXPECT_FALSE(file_.IsOpen());  // every store operation closes it again
}

TEST_F(HistoryFileTest, OpeningNeverTruncatesAnExistingFile) {
  const std::string content = Line(1, "2024-03-01 11:50:00") + "not a record\r\n";
  WriteFileBytes(Path(), content);
  ASSERT_TRUE(Open());
  file_.CloseFile();
  EXPECT_EQ(ReadFileBytes(Path()), content);

  if (::geteuid() != 0) {  // the superuser may write anything
    ::chmod(Path().c_str(), 0444);
    HistoryFile readOnly(clock_);
    ASSERT_TRUE(readOnly.OpenFile(Path()));  // for reading: the history can still be shown
    EXPECT_FALSE(readOnly.AppendRows({StoredRow("2024-03-01 11:55:00")}));
    EXPECT_FALSE(readOnly.ClearAll());
    HistoryRowArray all;
    EXPECT_EQ(readOnly.LoadAll(all), 1);  // the line after the last record is not read
    EXPECT_EQ(ReadFileBytes(Path()), content);
  }
}

TEST_F(HistoryFileTest, AFolderOrAMissingFolderCannotBeOpened) {
  HistoryFile folderFile(clock_);
  EXPECT_FALSE(folderFile.OpenFile(folder_.path().string()));
  HistoryFile nowhere(clock_);
  EXPECT_FALSE(nowhere.OpenFile((folder_ / "missing/Skyvane.dat").string()));
  HistoryRowArray rows(2);
  EXPECT_EQ(nowhere.LoadAll(rows), 0);  // behaves as an empty file
  EXPECT_EQ(rows.size(), 2u);
  EXPECT_EQ(nowhere.LastSequenceNo(), 0);
  EXPECT_FALSE(nowhere.AppendRows({StoredRow("2024-03-01 11:55:00")}));
}

TEST_F(HistoryFileTest, ReadLastLineFindsTheLastNonBlankLine) {
  const std::string first = Line(1, "2024-03-01 11:50:00");
  WriteFileBytes(Path(), first);
  ASSERT_TRUE(Open());
  EXPECT_EQ(file_.ReadLastLine(), first.substr(0, first.size() - 2));  // including its first byte

  WriteFileBytes(Path(), "\r\n" + first + "  \r\n\r\n \t\r\n");
  EXPECT_EQ(file_.ReadLastLine(), first.substr(0, first.size() - 2));

  std::string lf = Line(1, "2024-03-01 11:50:00") + Line(2, "2024-03-01 11:55:00");
  for (std::size_t at; (at = lf.find('\r')) != std::string::npos;) lf.erase(at, 1);
  WriteFileBytes(Path(), lf);
  EXPECT_EQ(file_.ReadLastLine(), lf.substr(lf.size() - first.size() + 1, first.size() - 2));
  EXPECT_EQ(file_.LastSequenceNo(), 2);
  EXPECT_EQ(file_.ReadLastLine(), "");  // the store operation closed the file again

  WriteFileBytes(Path(), " \r\n\r\n");
  ASSERT_TRUE(file_.OpenFile());
  EXPECT_EQ(file_.ReadLastLine(), "");
  EXPECT_EQ(file_.LastSequenceNo(), 0);
}

TEST_F(HistoryFileTest, LongLinesAcrossReadBlocks) {
  HistoryRow big = StoredRow("2024-03-01 11:55:00");
  big[row::rawBytes] = std::string(3700, 'A');  // as long as a record line may be
  big[row::sequenceNo] = "9";
  const std::string line = FormatRowLine(big, "2024-03-01 12:00:05");
  WriteFileBytes(Path(), Line(8, "2024-03-01 11:50:00") + line);
  ASSERT_TRUE(Open());
  EXPECT_EQ(file_.ReadLastLine(), line.substr(0, line.size() - 2));
  HistoryRowArray all;
  ASSERT_EQ(file_.LoadAll(all), 2);
  EXPECT_EQ(all[1][row::rawBytes], big[row::rawBytes]);
}

TEST_F(HistoryFileTest, AppendRowsWritesOldestFirstContinuingTheNumbers) {
  WriteFileBytes(Path(), Line(41, "2024-03-01 11:40:00"));
  ASSERT_TRUE(Open());
  const HistoryRowArray rows = {StoredRow("2024-03-01 11:55:00"), StoredRow("2024-03-01 11:50:00"),
                                StoredRow("2024-03-01 11:45:00")};
  const HistoryRowArray copy = rows;
  ASSERT_TRUE(file_.AppendRows(rows));
  EXPECT_EQ(rows, copy);

  std::vector<std::string> lines;
  ASSERT_EQ(file_.OpenFile(), true);
  ASSERT_EQ(file_.ReadAllLines(lines), 4);
  file_.CloseFile();
  EXPECT_EQ(lines[1].substr(0, 48), "42, 2024-03-01 12:00:05, 2024-03-01 11:45:00,   ");
  EXPECT_EQ(lines[2].substr(0, 45), "43, 2024-03-01 12:00:05, 2024-03-01 11:50:00,");
  EXPECT_EQ(lines[3].substr(0, 45), "44, 2024-03-01 12:00:05, 2024-03-01 11:55:00,");
  const std::string bytes = ReadFileBytes(Path());
  EXPECT_NE(bytes.find("\r\n  42, "), std::string::npos);  // "%4d"
  EXPECT_EQ(file_.LastSequenceNo(), 44);
}

TEST_F(HistoryFileTest, RangeReadsIncludeBothEndsAndSkipBlankLines) {
  WriteFileBytes(Path(), Line(1, "2024-03-01 10:00:00") + "\r\n   \r\n" +
                             Line(2, "2024-03-01 11:00:00") + Line(3, "2024-03-01 12:00:00") +
                             Line(4, "2024-03-01 13:00:00"));
  ASSERT_TRUE(Open());
  HistoryRowArray rows;
  EXPECT_EQ(file_.LoadRange(rows, "2024-03-01 11:00:00", "2024-03-01 12:00:00"), 4);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][row::sequenceNo], "2");
  EXPECT_EQ(rows[1][row::sequenceNo], "3");

  HistoryTable grid;
  EXPECT_EQ(file_.SearchToGrid(grid, "2024-03-01 11:00:00", "2024-03-01 12:00:00"), 2);
  EXPECT_EQ(grid.Row(1), rows[1]);
  EXPECT_EQ(file_.SearchToGrid(grid, "2025-01-01 00:00:00", "2025-12-31 23:59:59"), 0);
  EXPECT_EQ(grid.size(), 0u);  // a file without a record in range empties the grid

  HistoryTable table;
  HistoryRowArray all;
  EXPECT_EQ(file_.LoadAll(table), 4);
  EXPECT_EQ(file_.LoadAll(all), 4);
  ASSERT_EQ(table.size(), 4u);
  for (std::size_t i = 0; i < all.size(); ++i) EXPECT_EQ(table.Row(i), all[i]);
}

TEST_F(HistoryFileTest, AnEmptyFileLeavesTheOutputsAsTheyWere) {
  ASSERT_TRUE(Open());
  HistoryTable grid;
  grid.Append(StoredRow("2024-03-01 11:00:00"));
  HistoryRowArray rows(3);
  EXPECT_EQ(file_.SearchToGrid(grid, "2000-01-01 00:00:00", "2099-01-01 00:00:00"), 0);
  EXPECT_EQ(grid.size(), 1u);
  EXPECT_EQ(file_.LoadRange(rows, "2000-01-01 00:00:00", "2099-01-01 00:00:00"), 0);
  EXPECT_EQ(file_.LoadAll(rows), 0);
  EXPECT_EQ(rows.size(), 3u);
}

TEST_F(HistoryFileTest, ShortLinesTakeTheRestFromTheLineBefore) {
  WriteFileBytes(Path(), "   1, 2024-03-01 12:00:05\r\n" + Line(2, "2024-03-01 11:00:00", "42.0") +
                             "   3, 2024-03-01 12:00:05, 2024-03-01 11:05:00\r\n" +
                             Line(4, "2024-03-01 11:10:00"));
  ASSERT_TRUE(Open());
  HistoryTable table;
  HistoryRowArray all;
  ASSERT_EQ(file_.LoadAll(all), 4);
  ASSERT_EQ(file_.LoadAll(table), 4);
  EXPECT_EQ(all[0][row::recordTime], "");  // a fresh row before the first line
  EXPECT_EQ(all[0][row::rain], "---");
  EXPECT_EQ(all[2][row::sequenceNo], "3");
  EXPECT_EQ(all[2][row::recordTime], "2024-03-01 11:05:00");
  EXPECT_EQ(all[2][row::rain], "42.0");
  for (std::size_t i = 0; i < all.size(); ++i) EXPECT_EQ(table.Row(i), all[i]);
}

TEST_F(HistoryFileTest, ManyLinesAcrossReadBlocks) {
  std::string text;
  const std::time_t start = LocalTime(2024, 1, 1, 0, 0, 0);
  for (int i = 0; i < 6000; ++i) text += Line(i + 1, LocalStamp(start + i * 300));
  WriteFileBytes(Path(), text);
  ASSERT_TRUE(Open());
  HistoryTable table;
  ASSERT_EQ(file_.LoadAll(table), 6000);
  for (std::size_t i : {0u, 3333u, 5999u}) {
    EXPECT_EQ(table.Field(i, row::sequenceNo), std::to_string(i + 1));
    EXPECT_EQ(table.Field(i, row::recordTime), LocalStamp(start + static_cast<int>(i) * 300));
    EXPECT_EQ(table.Field(i, row::rawBytes), "05 2D D7 00 50 20 80 24 27 0C 18 00 64 00 00 00");
  }
  EXPECT_EQ(file_.LastSequenceNo(), 6000);
}

TEST_F(HistoryFileTest, ClearAllEmptiesTheFile) {
  WriteFileBytes(Path(), Line(5, "2024-03-01 11:00:00"));
  ASSERT_TRUE(Open());
  EXPECT_TRUE(file_.ClearAll());
  EXPECT_EQ(ReadFileBytes(Path()), "");
  ASSERT_TRUE(file_.AppendRows({StoredRow("2024-03-01 11:55:00")}));
  EXPECT_EQ(file_.LastSequenceNo(), 1);
}

// An append cut short by a crash: the half line is set aside, the rest stays.
TEST_F(HistoryFileTest, ATornAppendIsSetAsideAndItsRecordsComeAgain) {
  const std::string good = Line(1, "2024-03-01 11:45:00") + Line(2, "2024-03-01 11:50:00");
  const std::string half = Line(3, "2024-03-01 11:55:00").substr(0, 120);
  WriteFileBytes(Path(), good + half);
  ASSERT_TRUE(Open());

  HistoryRow last;
  ASSERT_TRUE(file_.LoadLastRow(last));
  EXPECT_EQ(last[row::recordTime], "2024-03-01 11:50:00");  // so 11:55 is downloaded again
  EXPECT_EQ(file_.LastSequenceNo(), 2);
  HistoryRowArray all;
  EXPECT_EQ(file_.LoadAll(all), 2);
  EXPECT_EQ(ReadFileBytes(Path()), good + half);  // reading changes nothing

  HistoryRow again = StoredRow("2024-03-01 11:55:00");
  ASSERT_TRUE(file_.AppendRows({again}));
  again[row::sequenceNo] = "3";
  EXPECT_EQ(ReadFileBytes(Path()), good + FormatRowLine(again, "2024-03-01 12:00:05"));
  EXPECT_EQ(ReadFileBytes(TornAppendPath(Path())), half + "\r\n");
}

// Cut within its last characters, an append still has all its fields: only
// the missing line end tells that it is not whole.
TEST_F(HistoryFileTest, AnAppendCutNearItsEndIsTornToo) {
  const std::string good = Line(1, "2024-03-01 11:45:00") + Line(2, "2024-03-01 11:50:00");
  const std::string whole = Line(3, "2024-03-01 11:55:00");
  ASSERT_EQ(whole.substr(whole.size() - 2), "\r\n");
  for (std::size_t cut = 1; cut <= 62; ++cut) {
    SCOPED_TRACE(cut);
    WriteFileBytes(Path(), good + whole.substr(0, whole.size() - cut));
    ASSERT_TRUE(Open());
    EXPECT_EQ(file_.LastSequenceNo(), 2);
    HistoryRowArray all;
    EXPECT_EQ(file_.LoadAll(all), 2);
  }
}

// Whatever follows the last record is passed over by every reader and set
// aside by the next append; the numbers go on from the last record.
TEST_F(HistoryFileTest, WhatFollowsTheLastRecordIsSetAsideAndNumbersGoOnFromIt) {
  const std::string good = Line(1, "2024-03-01 11:45:00") + Line(2, "2024-03-01 11:50:00");
  auto record = [](int field, const std::string& value, const std::string& seq = "3") {
    HistoryRow r = StoredRow("2024-03-01 11:55:00");
    r[row::sequenceNo] = seq;
    r[field] = value;
    return FormatRowLine(r, "2024-03-01 12:00:05");
  };
  const std::string numberTooLarge = record(row::rain, "30.0", "2147483648");
  const struct {
    const char* what;
    std::string tail;
  } cases[] = {
      {"garbage", "#### not a record ####\r\n"},
      {"NUL bytes", std::string(400, '\0') + "\r\n" + std::string(100, '\0')},
      {"hand-edited address", record(row::stationAddress, "0001G0")},
      {"address off the ring slots", record(row::stationAddress, "000108")},
      {"no address", record(row::stationAddress, "")},
      {"sequence number too large", numberTooLarge},
      {"sequence number far too large", record(row::rain, "30.0", "99999999999999999999")},
      {"line far too long", record(row::rawBytes, std::string(200000, 'A'))},
      {"junk, then a record line cut short", "junk\r\n" + Line(3, "x").substr(0, 80)},
  };
  HistoryRow next = StoredRow("2024-03-01 11:55:00");
  next[row::sequenceNo] = "3";
  const std::string appended = FormatRowLine(next, "2024-03-01 12:00:05");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(TornAppendPath(Path()));
    WriteFileBytes(Path(), good + c.tail + "\r\n");
    ASSERT_TRUE(Open());
    HistoryRow last;
    ASSERT_TRUE(file_.LoadLastRow(last));
    EXPECT_EQ(last[row::recordTime], "2024-03-01 11:50:00");
    EXPECT_EQ(file_.LastSequenceNo(), 2);
    HistoryRowArray all;
    EXPECT_EQ(file_.LoadAll(all), 2);
    ASSERT_TRUE(file_.AppendRows({StoredRow("2024-03-01 11:55:00")}));
    EXPECT_TRUE(ReadFileBytes(Path()) == good + appended);
    EXPECT_TRUE(ReadFileBytes(TornAppendPath(Path())) == c.tail + "\r\n");
  }

  // A file without any record keeps its lines: someone's own, read and kept.
  std::filesystem::remove(TornAppendPath(Path()));
  const std::string own = record(row::stationAddress, "x");
  WriteFileBytes(Path(), own);
  HistoryRowArray ownRows;
  EXPECT_EQ(file_.LoadAll(ownRows), 1);
  EXPECT_EQ(file_.LastSequenceNo(), 0);
  ASSERT_TRUE(file_.AppendRows({StoredRow("2024-03-01 11:55:00")}));
  EXPECT_EQ(ReadFileBytes(Path()).substr(0, own.size()), own);
  EXPECT_FALSE(std::filesystem::exists(TornAppendPath(Path())));

  // Numbers never pass the largest int: such an append fails and changes nothing.
  WriteFileBytes(Path(), record(row::rain, "30.0", "2147479567"));
  HistoryRowArray ring(4080, StoredRow("2024-03-01 11:55:00"));
  ASSERT_TRUE(file_.AppendRows(ring));
  EXPECT_EQ(file_.LastSequenceNo(), 2147483647);
  const std::string full = ReadFileBytes(Path());
  EXPECT_FALSE(file_.AppendRows({StoredRow("2024-03-01 11:55:00")}));
  EXPECT_NE(file_.LastAppendError(), 0);
  EXPECT_TRUE(ReadFileBytes(Path()) == full);
}

TEST_F(HistoryFileTest, ALastLineMissingFieldsIsTornButOneWithoutTrailingBlanksIsNot) {
  const std::string good = Line(1, "2024-03-01 11:45:00");
  const std::string cut = Line(2, "2024-03-01 11:50:00").substr(0, 100) + "\r\n";
  WriteFileBytes(Path(), good + cut);
  ASSERT_TRUE(Open());
  EXPECT_EQ(file_.LastSequenceNo(), 1);

  std::string stripped = Line(2, "2024-03-01 11:50:00");
  stripped = std::string(TrimLine(stripped)) + "\n";  // an editor removed the blanks
  WriteFileBytes(Path(), good + stripped);
  EXPECT_EQ(file_.LastSequenceNo(), 2);
  ASSERT_TRUE(file_.AppendRows({StoredRow("2024-03-01 11:55:00")}));
  EXPECT_EQ(ReadFileBytes(Path()).substr(0, good.size() + stripped.size()), good + stripped);
  EXPECT_EQ(file_.LastSequenceNo(), 3);
}

}  // namespace
}  // namespace skyvane

namespace skyvane {
namespace {

// The plain reading of the lines: all non-blank lines, trimmed, parsed one
// after the other into one working row.
HistoryRowArray PlainReading(const std::vector<std::string>& lines) {
  HistoryRowArray rows;
  HistoryRow working;
  for (const std::string& l : lines) {
    ParseLine(working, l);
    rows.push_back(working);
  }
  return rows;
}

// Both range reads give the rows of the plain reading whose recordTime lies
// in [from, to], in file order, and count as they should.
void ExpectRangeReads(HistoryFile& file, const HistoryRowArray& expected, const std::string& from,
                      const std::string& to) {
  HistoryRowArray wanted;
  for (const HistoryRow& r : expected) {
    if (r[row::recordTime] >= from && r[row::recordTime] <= to) wanted.push_back(r);
  }
  HistoryTable grid;
  grid.Append(StoredRow("1999-01-01 00:00:00"));  // replaced
  HistoryRowArray rows(2);
  EXPECT_EQ(file.SearchToGrid(grid, from, to), static_cast<int>(wanted.size()));
  EXPECT_EQ(file.LoadRange(rows, from, to), static_cast<int>(expected.size()));
  ASSERT_EQ(grid.size(), wanted.size());
  ASSERT_EQ(rows.size(), wanted.size());
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    ASSERT_EQ(grid.Row(i), wanted[i]) << i;
    ASSERT_EQ(rows[i], wanted[i]) << i;
  }
}

// Range reads split only the lines in range when every line carries its own
// recordTime and the lines in range are complete; a line that takes fields
// from the lines before it sends them back to the full reading. Either way
// they agree with the plain reading, whatever the order of the times.
TEST_F(HistoryFileTest, RangeReadsAgreeWithThePlainReadingWhateverTheOrderOfTimes) {
  const std::time_t start = LocalTime(2024, 1, 1, 0, 0, 0);
  const std::string from = LocalStamp(start + 1000 * 300), to = LocalStamp(start + 1500 * 300);
  std::vector<std::string> base;
  for (int i = 0; i < 3000; ++i) {
    // An hour that comes twice (clocks put back), and a few records whose
    // clock was far off: in range early in the file, out of it in the middle.
    std::time_t t = start + i * 300;
    if (i >= 1400 && i < 1412) t -= 3600;
    if (i == 7 || i == 2990) t = start + 1200 * 300 + i;
    if (i == 1300) t = start + 5000 * 300;
    base.push_back(Line(i + 1, LocalStamp(t), std::to_string(i % 89) + ".1"));
  }
  auto cut = [](const std::string& line, int pieces) {  // the first pieces, CR LF
    std::size_t at = 0;
    for (int p = 0; p < pieces; ++p) at = line.find(',', at) + 1;
    return line.substr(0, at - 1) + "\r\n";
  };
  struct Variant {
    const char* what;
    std::function<void(std::vector<std::string>&)> change;
  };
  const Variant variants[] = {
      {"complete lines", [](std::vector<std::string>&) {}},
      {"short lines out of range",
       [&](std::vector<std::string>& l) {
         l[10] = cut(l[10], 12);
         l[999] = cut(l[999], 3);
         l[2000] = cut(l[2000], 35);
         l[2001] = "garbage, with, commas,, here\n";
       }},
      {"a short line in range", [&](std::vector<std::string>& l) { l[1200] = cut(l[1200], 20); }},
      {"a short line far off in range", [&](std::vector<std::string>& l) { l[7] = cut(l[7], 30); }},
      {"a line without its own time after one in range",
       [&](std::vector<std::string>& l) { l[1201] = cut(l[1201], 2); }},
      {"a line without its own time after one out of range",
       [&](std::vector<std::string>& l) { l[500] = "   7\r\n"; }},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.what);
    std::vector<std::string> lines = base;
    v.change(lines);
    std::string text;
    for (const std::string& l : lines) text += l;
    WriteFileBytes(Path(), text);
    ASSERT_TRUE(Open());
    std::vector<std::string> read;
    ASSERT_EQ(file_.ReadAllLines(read), 3000);
    file_.CloseFile();
    const HistoryRowArray expected = PlainReading(read);
    ExpectRangeReads(file_, expected, from, to);
    ExpectRangeReads(file_, expected, LocalStamp(start + 5000 * 300), LocalStamp(start + 5000 * 300));
    ExpectRangeReads(file_, expected, "2030-01-01 00:00:00", "2031-01-01 00:00:00");
  }
}

// Every reader must agree with the plain reading: all non-blank lines,
// trimmed, parsed one after the other into one working row.
TEST_F(HistoryFileTest, BulkReadsAgreeWithLineByLineParsingOnAMessyFile) {
  std::mt19937 random(11);
  const std::time_t start = LocalTime(2024, 1, 1, 0, 0, 0);
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    std::string l = Line(i + 1, LocalStamp(start + i * 300), std::to_string(i % 97) + ".3");
    switch (random() % 12) {
      case 0: l = l.substr(0, random() % l.size()) + "\r\n"; break;  // short
      case 1: l = "\r\n  \t \r\n"; break;                            // blank
      case 2: l = "garbage, with, commas,, here\n"; break;
      case 3: l = "  " + l.substr(0, l.size() - 2) + "\n"; break;    // LF only, indented
      case 4: l = std::string(TrimLine(l)) + "\r\n"; break;          // trailing blanks gone
      default: break;
    }
    text += l;
  }
  text += Line(3001, LocalStamp(start + 3001 * 300));  // a complete last line
  WriteFileBytes(Path(), text);
  ASSERT_TRUE(Open());

  std::vector<std::string> lines;
  ASSERT_GT(file_.ReadAllLines(lines), 2000);
  file_.CloseFile();
  const HistoryRowArray expected = PlainReading(lines);
  HistoryRowArray rows;
  HistoryTable table;
  EXPECT_EQ(file_.LoadAll(rows), static_cast<int>(lines.size()));
  EXPECT_EQ(file_.LoadAll(table), static_cast<int>(lines.size()));
  ASSERT_EQ(rows.size(), expected.size());
  ASSERT_EQ(table.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(rows[i], expected[i]) << i;
    ASSERT_EQ(table.Row(i), expected[i]) << i;
  }

  ExpectRangeReads(file_, expected, LocalStamp(start + 1000 * 300), LocalStamp(start + 1500 * 300));

  // The rain walk reads the file from its end: the same rows again.
  for (std::time_t at : {start + 3002 * 300, start + 20 * 86400, start + 40 * 86400}) {
    clock_.Set(at);
    HistoryRow viaTail = StoredRow("", "50.1");
    HistoryRow viaAll = viaTail;
    ASSERT_TRUE(ComputeRainForCurrent(file_, viaTail));
    ComputeRain(viaAll, expected, at);
    EXPECT_EQ(viaTail, viaAll);
  }
}

}  // namespace
}  // namespace skyvane
