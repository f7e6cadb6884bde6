#include "core/history/history_line.h"

#include <gtest/gtest.h>

#include <random>

#include "core/history/history_support.h"

namespace skyvane {
namespace {

using testing::StoredRow;

const char* const kLine7 =
    "   7, 2024-03-01 12:00:05, 2024-03-01 11:55:00,   5,   45,  21.5,   80,  -3.2,  -6.1,"
    "  -8.4,  1013.2,  1020.1,  1.2,   1,  2.0,   2,   5, SEE, \t\t  100,    30.0,     0.3,"
    "     0.6,     1.2,     4.5,    12.0,    345.6, 0, 0, 0, 0, 0, 0, 1, 0, 0001F0,"
    " 05 2D D7 00 50 20 80 24 27 0C 18 00 64 00 00 00 ,       \r\n";

HistoryRow Row7() {
  HistoryRow r = StoredRow("2024-03-01 11:55:00", "30.0", "0.3", "345.6");
  r[row::sequenceNo] = "7";
  return r;
}

TEST(FormatRowLine, WritesWidthsTabsReservedBlanksAndCrLf) {
  EXPECT_EQ(FormatRowLine(Row7(), "2024-03-01 12:00:05"), kLine7);
}

TEST(FormatRowLine, PadsEmptyFieldsAndNeverCutsLongOnes) {
  HistoryRow r = Row7();
  r[row::indoorHumidity].clear();
  r[row::rawBytes].clear();
  r[row::sequenceNo] = "123456";
  const std::string text = FormatRowLine(r, "2024-03-01 12:00:05");
  EXPECT_EQ(text.substr(0, 8), "123456, ");
  EXPECT_NE(text.find(",   5,     ,  21.5,"), std::string::npos);  // empty "%4s"
  EXPECT_NE(text.find(", 0001F0, ,       \r\n"), std::string::npos);  // empty "%s"

  HistoryRow back;
  back[row::indoorHumidity] = "x";
  back[row::rawBytes] = "x";
  EXPECT_EQ(ParseLine(back, text), 37);
  EXPECT_EQ(back[row::indoorHumidity], "");
  EXPECT_EQ(back[row::rawBytes], "");
}

TEST(ParseLine, ReadsBackEveryFieldButReserved) {
  HistoryRow back;
  back[row::reserved] = "kept";
  EXPECT_EQ(ParseLine(back, kLine7), 37);
  HistoryRow expected = Row7();
  expected[row::saveTime] = "2024-03-01 12:00:05";
  expected[row::rawBytes] = "05 2D D7 00 50 20 80 24 27 0C 18 00 64 00 00 00";  // no trailing blank
  expected[row::reserved] = "kept";
  EXPECT_EQ(back, expected);

  // Trimmed as the readers hand it over: the blank reserved piece is gone.
  HistoryRow trimmed;
  EXPECT_EQ(ParseLine(trimmed, TrimLine(kLine7)), 36);
  EXPECT_EQ(trimmed[row::rawBytes], expected[row::rawBytes]);
}

TEST(ParseLine, ShortBlankAndGarbageLinesKeepTheFieldsBeyondThem) {
  HistoryRow r = Row7();
  EXPECT_EQ(ParseLine(r, "  12, 2024-01-01 00:00:00"), 2);
  EXPECT_EQ(r[row::sequenceNo], "12");
  EXPECT_EQ(r[row::saveTime], "2024-01-01 00:00:00");
  EXPECT_EQ(r[row::recordTime], "2024-03-01 11:55:00");
  EXPECT_EQ(r[row::rain], "30.0");

  const HistoryRow before = r;
  EXPECT_EQ(ParseLine(r, ""), 0);
  EXPECT_EQ(r, before);

  EXPECT_EQ(ParseLine(r, "5,,7"), 1);  // an empty piece ends the line
  EXPECT_EQ(r[row::sequenceNo], "5");
  EXPECT_EQ(r[row::saveTime], "2024-01-01 00:00:00");

  EXPECT_EQ(ParseLine(r, "\thello world \r\n"), 1);
  EXPECT_EQ(r[row::sequenceNo], "hello world");
}

TEST(ParseLine, ExtraPiecesAreCountedButNotStored) {
  std::string text = kLine7;
  text.replace(text.size() - 2, 2, ", a, b, c, d");
  HistoryRow r;
  EXPECT_EQ(ParseLine(r, text), 41);
  EXPECT_EQ(r[row::reserved], "");
  EXPECT_EQ(r[row::stationAddress], "0001F0");
}

TEST(NextToken, SplitsAtTheFirstSeparator) {
  std::string text = "a, b, c";
  EXPECT_EQ(NextToken(text, ","), "a");
  EXPECT_EQ(text, " b, c");
  EXPECT_EQ(NextToken(text, ", "), " b");
  EXPECT_EQ(text, "c");
  EXPECT_EQ(NextToken(text, ","), "c");
  EXPECT_EQ(text, "");
  EXPECT_EQ(NextToken(text, ","), "");
}

}  // namespace
}  // namespace skyvane

namespace skyvane {
namespace {

// The quick count must agree with the split on any line, commas anywhere.
TEST(ThirdPiece, OnlyWhenTheLineHasThreePieces) {
  std::string_view third;
  for (const char* text : {"", "a", ",a,b,c", "a,,b,c", "a,b,", "a,b", "a,b,,c"}) {
    EXPECT_FALSE(ThirdPiece(text, third)) << text;
  }
  ASSERT_TRUE(ThirdPiece("a,b,c", third));
  EXPECT_EQ(third, "c");
  ASSERT_TRUE(ThirdPiece("   1, 2024-03-01 12:00:05,  2024-03-01 11:05:00 , 5,", third));
  EXPECT_EQ(third, "  2024-03-01 11:05:00 ");
}

TEST(CountPieces, AgreesWithSplitLine) {
  std::mt19937 random(5);
  const std::string alphabet = ",,,, ab\t1";
  for (int n = 0; n < 20000; ++n) {
    std::string text;
    const std::size_t length = random() % 120;
    for (std::size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    if (n % 3 == 0) {  // mostly well-formed: a comma every few bytes
      text.clear();
      for (int k = 0; k < 40; ++k) text += std::string(1 + random() % 6, 'x') + ",";
      if (random() % 4 == 0) text[random() % text.size()] = ',';
    }
    std::array<std::string_view, line::kPositions> pieces;
    for (int limit : {3, 36, 1 << 30}) {
      std::string_view third = "unset";
      const int split = SplitLine(text, pieces, limit, false);
      ASSERT_EQ(CountPieces(text, limit, third), split) << text << " limit " << limit;
      if (split > 2) {
        EXPECT_EQ(third, pieces[2]) << text;
      }
    }
    // The third piece alone, as the range reads find it.
    std::string_view third = "unset";
    const int split = SplitLine(text, pieces, 3, false);
    ASSERT_EQ(ThirdPiece(text, third), split == 3) << text;
    if (split == 3) {
      EXPECT_EQ(third, pieces[2]) << text;
    }
  }
}

}  // namespace
}  // namespace skyvane
