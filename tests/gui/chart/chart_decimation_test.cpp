#include "gui/chart/chart_decimation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <random>

namespace skyvane {
namespace {

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

TEST(ChartDecimation, EveryColumnKeepsItsFirstLowestHighestAndLast) {
  std::mt19937 rng(7);
  std::normal_distribution<double> noise(1000, 8);
  std::vector<ChartPoint> pts;
  for (int i = 0; i < 100000; ++i) pts.push_back({i / 100000.0, noise(rng)});
  const AxisMap pos{0, 1, 10, 210};  // 200 columns
  const std::vector<std::size_t> kept = DecimateByColumn(pts, pos);
  EXPECT_LE(kept.size(), 4u * 201);

  struct Extent {
    double lo = 1e300, hi = -1e300;
    std::size_t first = SIZE_MAX, last = 0;
  };
  std::map<long, Extent> all, drawn;
  auto add = [&](std::map<long, Extent>& m, std::size_t i) {
    Extent& e = m[static_cast<long>(std::floor(pos(pts[i].x)))];
    e.lo = std::min(e.lo, pts[i].y);
    e.hi = std::max(e.hi, pts[i].y);
    e.first = std::min(e.first, i);
    e.last = std::max(e.last, i);
  };
  for (std::size_t i = 0; i < pts.size(); ++i) add(all, i);
  for (std::size_t i = 1; i < kept.size(); ++i) EXPECT_LT(kept[i - 1], kept[i]);
  for (std::size_t i : kept) add(drawn, i);
  ASSERT_EQ(all.size(), drawn.size());
  for (const auto& [column, e] : all) {
    const Extent& d = drawn[column];
    EXPECT_EQ(d.lo, e.lo) << column;
    EXPECT_EQ(d.hi, e.hi) << column;
    EXPECT_EQ(d.first, e.first) << column;
    EXPECT_EQ(d.last, e.last) << column;
  }
}

TEST(ChartDecimation, SparsePointsAreAllKept) {
  const std::vector<ChartPoint> pts = {{0, 1}, {1, 5}, {2, 3}, {3, 3}};
  EXPECT_EQ(DecimateByColumn(pts, AxisMap{0, 3, 0, 300}), (std::vector<std::size_t>{0, 1, 2, 3}));
}

TEST(ChartDecimation, GapsBreakTheLineEvenInsideOneColumn) {
  const std::vector<ChartPoint> pts = {{0, 1}, {0.1, 2}, {0.2, kGap}, {0.3, 4}, {5, 1}, {6, kGap}, {7, kGap}, {9, 2}};
  const std::vector<std::size_t> kept = DecimateByColumn(pts, AxisMap{0, 10, 0, 10});
  EXPECT_EQ(kept, (std::vector<std::size_t>{0, 1, kChartBreak, 3, 4, kChartBreak, 7}));
}

TEST(ChartDecimation, LeadingAndTrailingGapsLeaveNoBreak) {
  const std::vector<ChartPoint> pts = {{0, kGap}, {1, 2}, {2, 3}, {3, kGap}};
  EXPECT_EQ(DecimateByColumn(pts, AxisMap{0, 3, 0, 30}), (std::vector<std::size_t>{1, 2}));
  const std::vector<ChartPoint> onlyGaps = {{0, kGap}, {1, kGap}};
  EXPECT_TRUE(DecimateByColumn(onlyGaps, AxisMap{0, 3, 0, 30}).empty());
}

TEST(ChartDecimation, PointsBeyondTheAxisShareOneColumnPerSide) {
  std::vector<ChartPoint> pts;
  for (int i = 0; i < 50; ++i) pts.push_back({-100.0 - i, static_cast<double>(i)});  // far left
  pts.push_back({5, 7});
  for (int i = 0; i < 50; ++i) pts.push_back({100.0 + i, static_cast<double>(-i)});  // far right
  const std::vector<std::size_t> kept = DecimateByColumn(pts, AxisMap{0, 10, 0, 100});
  // Left: first (0) and highest/last (49); the point inside; right: first/highest (51) and lowest/last (100).
  EXPECT_EQ(kept, (std::vector<std::size_t>{0, 49, 50, 51, 100}));
}

TEST(ChartDecimation, ReversedPixelDirectionWorksTheSame) {
  std::vector<ChartPoint> pts;
  for (int i = 0; i < 1000; ++i) pts.push_back({i / 1000.0, static_cast<double>(i % 7)});
  // Position axis running upwards: pixel 100 at the low end, 0 at the high end.
  const std::vector<std::size_t> kept = DecimateByColumn(pts, AxisMap{0, 1, 100, 0});
  EXPECT_LE(kept.size(), 4u * 101);
  EXPECT_GE(kept.size(), 2u * 100);
}

}  // namespace
}  // namespace skyvane
