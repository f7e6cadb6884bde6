#include "gui/chart/chart_time.h"

#include <gtest/gtest.h>

namespace skyvane {
namespace {

TEST(ChartTime, DaysCountFromTheEndOf1899) {
  EXPECT_EQ(ChartTimeToDateTime(0), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
  EXPECT_EQ(ChartTimeToDateTime(2.5), QDateTime(QDate(1900, 1, 1), QTime(12, 0)));
  EXPECT_EQ(ChartTimeToDateTime(45352.25), QDateTime(QDate(2024, 3, 1), QTime(6, 0)));
  EXPECT_EQ(ChartTimeToDateTime(-1.25), QDateTime(QDate(1899, 12, 28), QTime(18, 0)));
  EXPECT_DOUBLE_EQ(DateTimeToChartTime(QDateTime(QDate(2024, 3, 1), QTime(6, 0))), 45352.25);
  EXPECT_FALSE(ChartTimeToDateTime(std::numeric_limits<double>::infinity()).isValid());
  EXPECT_FALSE(ChartTimeToDateTime(1e300).isValid());
}

TEST(ChartTime, RoundsToTheNearestSecond) {
  // A hair before midnight is midnight of the next day.
  EXPECT_EQ(ChartTimeToDateTime(45352.9999999), QDateTime(QDate(2024, 3, 2), QTime(0, 0)));
  const double t = DateTimeToChartTime(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59)));
  EXPECT_EQ(ChartTimeToDateTime(t), QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59)));
}

TEST(ChartTime, LabelFormat) {
  const double t = DateTimeToChartTime(QDateTime(QDate(2024, 3, 1), QTime(6, 5, 9)));
  EXPECT_EQ(FormatChartTime(t, "dd-mm-yyyy hh:nn:ss"), "01-03-2024 06:05:09");
  EXPECT_EQ(FormatChartTime(t, "d.m.yy h:n:s"), "1.3.24 6:5:9");
  EXPECT_EQ(FormatChartTime(t, "'day' dd"), "day 01");
  EXPECT_EQ(FormatChartTime(t, "\"hh\" hh"), "hh 06");
  EXPECT_EQ(FormatChartTime(t, "yyyy/mm/dd @ x"), "2024/03/01 @ x");
  EXPECT_EQ(FormatChartTime(t, ""), "");
}

}  // namespace
}  // namespace skyvane
