#include "core/units/timestamps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "core/app/text_table.h"
#include "support/local_time.h"

namespace skyvane {
namespace {

std::string Shown(const std::string& text) {
  static const TextTable table(0);
  return TimestampDisplayText(text, table);
}

TEST(TimestampsTest, DisplayText) {
  EXPECT_EQ(Shown("2007-04-10"), "10-04-2007 00:00");
  EXPECT_EQ(Shown("2007-04-10 12:30:59"), "10-04-2007 12:30");
  EXPECT_EQ(Shown("2007-01-01 12:00"), "01-01-2007 12:00");
  EXPECT_EQ(Shown("2008-12-31 14:05:00 trailing"), "31-12-2008 14:05");
  EXPECT_EQ(TimestampDisplayText("2007-04-10 12:30:59", "%Y/%m/%d"), "2007/04/10");
  const TextTable danish(2);
  EXPECT_EQ(TimestampDisplayText("2008-12-31 14:05:00", danish), "31-12-2008 14:05");
}

TEST(TimestampsTest, DisplayTextPassesShortAndUnreadableTextsThrough) {
  EXPECT_EQ(Shown("---"), "---");
  EXPECT_EQ(Shown(""), "");
  EXPECT_EQ(Shown("123456789"), "123456789");
  EXPECT_EQ(Shown("2000-00-00 00:00"), "2000-00-00 00:00");
  EXPECT_EQ(Shown("20A7-01-01 12:00"), "20A7-01-01 12:00");
  EXPECT_EQ(Shown("not a timestamp"), "not a timestamp");
}

TEST(TimestampsTest, DisplayTextKeepsTheWallClockAcrossDaylightSaving) {
  test::FixedZone tz("Europe/Berlin");
  // 02:30 does not exist on that morning in Berlin; the text is shown as written.
  EXPECT_EQ(Shown("2007-03-25 02:30:00"), "25-03-2007 02:30");
}

TEST(TimestampsTest, TimeSpanBetween) {
  test::FixedZone tz("Europe/Berlin");
  EXPECT_EQ(TimeSpanBetween("", "2000-01-01 01:00:00"), 3600);
  EXPECT_EQ(TimeSpanBetween("2000-01-01", "2000-01-01 01:00:00"), 3600);  // a date alone is no time
  EXPECT_EQ(TimeSpanBetween("2007-01-01 12:05:00", "2007-01-01 12:00:00"), -300);
  // The clock jumps from 02:00 to 03:00: one real hour between 01:00 and 03:00.
  EXPECT_EQ(TimeSpanBetween("2007-03-25 01:00:00", "2007-03-25 03:00:00"), 3600);
  const std::int64_t now = TimestampToTime("2000-01-02 00:00:00");
  EXPECT_EQ(TimeSpanBetween("2000-01-01 00:00:00", "", now), 86400);
  const std::int64_t before = std::time(nullptr);
  const std::int64_t span = TimeSpanBetween("", "---");
  EXPECT_GE(span, before - TimestampToTime("2000-01-01 00:00:00"));
}

TEST(TimestampsTest, TimestampToTime) {
  test::FixedZone tz("UTC");
  EXPECT_EQ(TimestampToTime("1970-01-01 00:00:00"), 0);
  EXPECT_EQ(TimestampToTime("2007-01-01 12:00"), 1167652800);
  EXPECT_EQ(TimestampToTime("2007-01-01"), 1167609600);
  EXPECT_EQ(TimestampToTime("---"), -1);
  EXPECT_EQ(TimestampToTime("2007-13-01 00:00:00"), -1);
}

TEST(TimestampsTest, ChartTime) {
  EXPECT_DOUBLE_EQ(TimestampToChartTime("1900-01-01 00:00:00"), 2.0);
  EXPECT_DOUBLE_EQ(TimestampToChartTime("2007-01-01 12:00:00"), 39083.5);
  EXPECT_DOUBLE_EQ(TimestampToChartTime("2000-03-01 06:00:00"), 36586.25);
  EXPECT_DOUBLE_EQ(TimestampToChartTime("junk"), 0.0);
  // Texts of the stored length but not its exact form are read as before.
  EXPECT_DOUBLE_EQ(TimestampToChartTime("2007-1-1 12:00:00 x"), 39083.5);
  EXPECT_DOUBLE_EQ(TimestampToChartTime("2007-01-01 12:00:0x"), 39083.5);
  EXPECT_DOUBLE_EQ(TimestampToChartTime("2007-13-01 12:00:00"), 0.0);
  EXPECT_DOUBLE_EQ(TimestampToChartTime("2007-01-01T12:00:00"), 39083.0);
}

}  // namespace
}  // namespace skyvane
