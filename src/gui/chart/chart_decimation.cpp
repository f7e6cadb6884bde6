#include "gui/chart/chart_decimation.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace skyvane {

std::vector<std::size_t> DecimateByColumn(std::span<const ChartPoint> points, const AxisMap& position) {
  std::vector<std::size_t> kept;
  const double low = std::floor(std::min(position.p0, position.p1)) - 1;
  const double high = std::ceil(std::max(position.p0, position.p1)) + 1;

  bool open = false;
  long long column = 0;
  std::array<std::size_t, 4> run{};  // first, lowest, highest, last

  auto flush = [&] {
    if (!open) return;
    std::array<std::size_t, 4> sorted = run;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t k = 0; k < sorted.size(); ++k) {
      if (k == 0 || sorted[k] != sorted[k - 1]) kept.push_back(sorted[k]);
    }
    open = false;
  };

  for (std::size_t i = 0; i < points.size(); ++i) {
    const ChartPoint& pt = points[i];
    if (pt.IsGap()) {
      flush();
      if (!kept.empty() && kept.back() != kChartBreak) kept.push_back(kChartBreak);
      continue;
    }
    const double mapped = position(pt.x);
    const double px = std::isnan(mapped) ? low : std::clamp(mapped, low, high);
    const long long c = static_cast<long long>(std::floor(px));
    if (!open || c != column) {
      flush();
      open = true;
      column = c;
      run = {i, i, i, i};
      continue;
    }
    run[3] = i;
    if (pt.y < points[run[1]].y) run[1] = i;
    if (pt.y > points[run[2]].y) run[2] = i;
  }
  flush();
  if (!kept.empty() && kept.back() == kChartBreak) kept.pop_back();
  return kept;
}

}  // namespace skyvane
