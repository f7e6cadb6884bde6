#pragma once
// Thinning many points down to what one pixel column can show: for each run of
// consecutive points falling into the same column the first, the lowest, the
// highest and the last are kept. A polyline through the kept points covers the
// same pixels as one through all of them, and each column keeps its extremes.
#include <cstddef>
#include <limits>
#include <span>
#include <vector>

#include "gui/chart/chart_content.h"

namespace skyvane {

// Linear map from axis values [lo, hi] to pixels [p0, p1].
struct AxisMap {
  double lo = 0;
  double hi = 1;
  double p0 = 0;
  double p1 = 1;
  double operator()(double v) const { return p0 + (v - lo) * (p1 - p0) / (hi - lo); }
};

// Marks a gap between two runs in the kept indices.
inline constexpr std::size_t kChartBreak = std::numeric_limits<std::size_t>::max();

// Indices of the points to draw, in input order, with kChartBreak where a gap
// point lies between drawn points. Columns are whole pixels of position(x);
// points beyond the mapped pixel range share one column on either side.
std::vector<std::size_t> DecimateByColumn(std::span<const ChartPoint> points, const AxisMap& position);

}  // namespace skyvane
