#include "gui/chart/chart_ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace skyvane {
namespace {

TEST(ChartTicks, ValueTicksAtRoundSteps) {
  const ValueTicks hpa = NiceValueTicks(900, 1050, 6);
  EXPECT_EQ(hpa.values, (std::vector<double>{900, 925, 950, 975, 1000, 1025, 1050}));
  EXPECT_EQ(hpa.decimals, 0);

  // 900 to 1050 hPa in inHg.
  const ValueTicks inhg = NiceValueTicks(26.577, 31.006, 9);
  ASSERT_EQ(inhg.values.size(), 9u);
  EXPECT_DOUBLE_EQ(inhg.values.front(), 27.0);
  EXPECT_DOUBLE_EQ(inhg.values.back(), 31.0);
  EXPECT_EQ(inhg.decimals, 1);

  EXPECT_EQ(NiceValueTicks(26.577, 31.006, 8).values.size(), 5u);  // whole inches

  const ValueTicks cold = NiceValueTicks(-40, 60, 5);
  EXPECT_EQ(cold.values, (std::vector<double>{-40, -20, 0, 20, 40, 60}));

  const ValueTicks quarter = NiceValueTicks(0, 1, 4);
  EXPECT_EQ(quarter.values, (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
  EXPECT_EQ(quarter.decimals, 2);
}

TEST(ChartTicks, EmptyOrBrokenRangesGiveNoTicks) {
  EXPECT_TRUE(NiceValueTicks(5, 5, 4).values.empty());
  EXPECT_TRUE(NiceValueTicks(6, 5, 4).values.empty());
  EXPECT_TRUE(NiceValueTicks(0, std::numeric_limits<double>::infinity(), 4).values.empty());
  EXPECT_TRUE(NiceTimeTicks(1, 1, 4).empty());
}

TEST(ChartTicks, TimeTicksAtRoundTimes) {
  // A month: weekly ticks on whole days.
  const std::vector<double> month = NiceTimeTicks(45322.5, 45352.5, 6);
  ASSERT_GE(month.size(), 4u);
  EXPECT_DOUBLE_EQ(month[1] - month[0], 7.0);
  EXPECT_DOUBLE_EQ(month[0], std::floor(month[0]));

  // An hour: ten-minute ticks.
  const double h0 = 45352.0 + 13.0 / 24 + 3.0 / 1440;
  const std::vector<double> hour = NiceTimeTicks(h0, h0 + 1.0 / 24, 6);
  ASSERT_EQ(hour.size(), 6u);
  EXPECT_NEAR((hour[1] - hour[0]) * 1440, 10.0, 1e-6);
  EXPECT_NEAR(hour[0], 45352.0 + 13.0 / 24 + 10.0 / 1440, 1e-9);

  // Ten years: whole years of 365 days or more between ticks.
  const std::vector<double> decade = NiceTimeTicks(42000, 42000 + 3652, 8);
  ASSERT_GE(decade.size(), 2u);
  EXPECT_LE(decade.size(), 9u);
  EXPECT_GE(decade[1] - decade[0], 365.0);
}

}  // namespace
}  // namespace skyvane
