#include "core/history/search_range.h"

#include <gtest/gtest.h>

#include "core/history/history_support.h"

namespace skyvane {
namespace {

using test::LocalTime;

TEST(SearchRange, ConditionSpans) {
  EXPECT_EQ(SearchSpanSeconds(0), 3600);
  EXPECT_EQ(SearchSpanSeconds(1), 86400);
  EXPECT_EQ(SearchSpanSeconds(2), 604800);
  EXPECT_EQ(SearchSpanSeconds(3), 2592000);
  EXPECT_EQ(SearchSpanSeconds(4), 3600);   // user defined
  EXPECT_EQ(SearchSpanSeconds(-1), 3600);  // no selection
  EXPECT_EQ(SearchSpanSeconds(5), 3600);
}

TEST(SearchRange, EndsNowInLocalTime) {
  const FixedClock clock(LocalTime(2024, 3, 1, 0, 30, 15));
  const SearchRange hour = RangeEndingNow(clock, SearchSpanSeconds(0));
  EXPECT_EQ(hour.start, "2024-02-29 23:30:15");
  EXPECT_EQ(hour.end, "2024-03-01 00:30:15");
  const SearchRange week = RangeEndingNow(clock, SearchSpanSeconds(2));
  EXPECT_EQ(week.start.substr(0, 10), "2024-02-23");
}

TEST(SearchRange, RecordTimeForm) {
  EXPECT_TRUE(IsRecordTimeText("2024-03-01 00:30:15"));
  EXPECT_FALSE(IsRecordTimeText("2024-03-01 00:30"));
  EXPECT_FALSE(IsRecordTimeText("2024-03-01T00:30:15"));
  EXPECT_FALSE(IsRecordTimeText("2024-3-01 00:30:15 "));
  EXPECT_FALSE(IsRecordTimeText("20a4-03-01 00:30:15"));
}

}  // namespace
}  // namespace skyvane
