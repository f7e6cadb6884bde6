#include "core/app/local_seconds.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>

#include "core/app/time_text.h"
#include "support/local_time.h"

namespace skyvane {
namespace {

constexpr const char* kBerlin = "CET-1CEST,M3.5.0,M10.5.0/3";
// Half an hour of daylight saving, set at 02:00 local time.
constexpr const char* kLordHowe = "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0";

std::int64_t Utc(int y, int mo, int d, int h, int mi, int s) {
  return DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * 86400 + h * 3600 +
         mi * 60 + s;
}

// Every five minutes of a day, in order as a data file holds them: each is
// the wall clock less the zone's offset at that moment. In the hour that is
// skipped or repeated either offset is an answer.
struct ChangeDay {
  const char* zone;
  int year, month, day;
  int changeMinute;          // local minute of the day at which the clock moves
  int span;                  // minutes it moves (the gap or the repeat)
  int offsetBefore, offsetAfter;  // seconds east of UTC
};

TEST(LocalSecondsTest, EveryRecordOfAChangeDayHasItsZonesTime) {
  const ChangeDay days[] = {
      {kBerlin, 2025, 3, 30, 120, 60, 3600, 7200},    // spring: 02:00 -> 03:00
      {kBerlin, 2025, 10, 26, 120, 60, 7200, 3600},   // autumn: 03:00 -> 02:00
      {kBerlin, 2025, 7, 1, 24 * 60, 0, 7200, 7200},  // summer, no change
      {kLordHowe, 2025, 10, 5, 120, 30, 37800, 39600},
      {kLordHowe, 2025, 4, 6, 90, 30, 39600, 37800},
  };
  for (const ChangeDay& c : days) {
    test::FixedZone zone(c.zone);
    for (int minute = 0; minute < 24 * 60; minute += 5) {
      SCOPED_TRACE(testing::Message() << c.zone << " " << c.month << "-" << c.day << " minute " << minute);
      const std::int64_t wall = Utc(c.year, c.month, c.day, minute / 60, minute % 60, 17);
      const std::int64_t got = LocalSecondsOf(c.year, c.month, c.day, minute / 60, minute % 60, 17);
      if (minute < c.changeMinute) {
        EXPECT_EQ(got, wall - c.offsetBefore);
      } else if (minute >= c.changeMinute + c.span) {
        EXPECT_EQ(got, wall - c.offsetAfter);
      } else {
        EXPECT_TRUE(got == wall - c.offsetBefore || got == wall - c.offsetAfter) << got;
      }
    }
  }
}

TEST(LocalSecondsTest, AnotherZoneIsNotAnsweredFromTheFirstOnesDay) {
  std::int64_t berlin = 0;
  {
    test::FixedZone zone(kBerlin);
    berlin = LocalSecondsOf(2025, 1, 15, 12, 0, 0);
  }
  test::FixedZone zone("UTC0");
  EXPECT_EQ(berlin, Utc(2025, 1, 15, 11, 0, 0));
  EXPECT_EQ(LocalSecondsOf(2025, 1, 15, 12, 0, 0), Utc(2025, 1, 15, 12, 0, 0));
}

// Numbers outside the calendar are normalised as mktime does, and the stored
// form's readers agree with it.
TEST(LocalSecondsTest, NumbersOutsideTheCalendarAndTheTextReaders) {
  test::FixedZone zone(kBerlin);
  EXPECT_EQ(LocalSecondsOf(2025, 2, 30, 12, 0, 0), Utc(2025, 3, 2, 11, 0, 0));
  EXPECT_EQ(LocalSecondsOf(2025, 1, 1, 24, 0, 0), Utc(2025, 1, 1, 23, 0, 0));
  EXPECT_EQ(LocalSecondsOf(2025, 6, 30, 23, 59, 60), Utc(2025, 6, 30, 22, 0, 0));
  EXPECT_EQ(LocalTimeOfText("2025-10-26 03:00:00"), Utc(2025, 10, 26, 2, 0, 0));
  EXPECT_EQ(LocalTimeOfText("2025-10-26 01:59:59"), Utc(2025, 10, 25, 23, 59, 59));
  EXPECT_EQ(LocalTimeOfText("2025-10-26 1:59:59"), -1);
}

}  // namespace
}  // namespace skyvane
