#include "core/history/history_table.h"

#include <gtest/gtest.h>

#include "core/history/history_line.h"
#include "core/history/history_support.h"

namespace skyvane {
namespace {

// A line with room to read past its end, as the file reader hands them over.
struct PaddedLine {
  explicit PaddedLine(std::string text) : bytes(text + std::string(64, 'p')), size(text.size()) {}
  std::string_view view() const { return std::string_view(bytes.data(), size); }
  std::string bytes;
  std::size_t size;
};

HistoryRow Distinct() {
  HistoryRow r;
  for (int f = 0; f < row::kCount; ++f) r[f] = "f" + std::to_string(f) + std::string(f % 5, 'x');
  return r;
}

TEST(HistoryTable, RowsComeBackAsTheyWentIn) {
  HistoryTable table;
  const HistoryRow a = Distinct();
  HistoryRow b;  // fresh: empty and "---" fields
  table.Append(a);
  table.Append(b);
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table.Row(0), a);
  EXPECT_EQ(table.Row(1), b);
  EXPECT_EQ(table.Field(0, row::rawBytes), "f1x");
  EXPECT_EQ(table.Field(0, row::reserved), "f2xx");

  HistoryTable copy = table;
  HistoryTable moved = std::move(table);
  EXPECT_EQ(copy.Row(0), a);
  EXPECT_EQ(moved.Row(1), b);
  EXPECT_TRUE(table.empty());  // NOLINT(bugprone-use-after-move): moved-from is empty
  table.Append(b);
  EXPECT_EQ(table.Row(0), b);
}

TEST(HistoryTable, AppendLineReadsAsParseLineDoes) {
  const std::string program = FormatRowLine(testing::StoredRow("2024-03-01 11:55:00"), "2024-03-01 12:00:05");
  const std::vector<std::string> lines = {
      program.substr(0, program.size() - 2),
      std::string(TrimLine(program)),                              // no reserved field
      program.substr(0, program.size() - 2) + ", extra, pieces",  // more than 37
      " \t a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z,0,1,2,3,4,5,6,7,8,last piece \t",
  };
  for (const std::string& text : lines) {
    SCOPED_TRACE(text);
    HistoryTable table;
    PaddedLine padded(text);
    ASSERT_TRUE(table.AppendLine(padded.view()));
    HistoryRow parsed;
    ParseLine(parsed, text);
    EXPECT_EQ(table.Row(0), parsed);
  }
  HistoryTable table;
  for (const char* shortLine : {"a,b,c", "", "a,b,,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z,0,1,2,3,4,5,6,7,8,9",
                                ",x"}) {
    PaddedLine padded(shortLine);
    EXPECT_FALSE(table.AppendLine(padded.view())) << shortLine;
  }
  EXPECT_TRUE(table.empty());
}

TEST(HistoryTable, AnOverlongRowIsCutToFit) {
  HistoryRow r = testing::StoredRow("2024-03-01 11:55:00");
  r[row::rawBytes] = std::string(70000, 'A');
  const std::string text = FormatRowLine(r, "2024-03-01 12:00:05");
  HistoryTable table;
  PaddedLine padded(text);
  ASSERT_TRUE(table.AppendLine(padded.view()));
  EXPECT_EQ(table.Field(0, row::recordTime), "2024-03-01 11:55:00");
  EXPECT_EQ(table.Field(0, row::stationAddress), "0001F0");
  const std::string_view raw = table.Field(0, row::rawBytes);
  EXPECT_LT(raw.size(), 70000u);
  EXPECT_GT(raw.size(), 65000u);
  EXPECT_EQ(raw.find_first_not_of('A'), std::string_view::npos);
}

}  // namespace
}  // namespace skyvane
