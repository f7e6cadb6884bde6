#include "gui/chart/chart_ticks.h"

#include <algorithm>
#include <cmath>

namespace skyvane {

namespace {

constexpr double kSecondsPerDay = 86400;
// Safety net against a degenerate range producing endless ticks.
constexpr int kTickLimit = 1000;

std::vector<double> StepTicks(double lo, double hi, double step) {
  std::vector<double> ticks;
  const double first = std::ceil(lo / step - 1e-9) * step;
  for (int i = 0; i < kTickLimit; ++i) {
    const double v = first + i * step;
    if (v > hi + step * 1e-9) break;
    ticks.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : v);
  }
  return ticks;
}

}  // namespace

ValueTicks NiceValueTicks(double lo, double hi, int maxTicks) {
  ValueTicks out;
  if (!(hi > lo) || !std::isfinite(lo) || !std::isfinite(hi)) return out;
  maxTicks = std::max(1, maxTicks);
  const double raw = (hi - lo) / maxTicks;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double step = 10 * magnitude;
  for (double m : {1.0, 2.0, 2.5, 5.0}) {
    if (raw <= m * magnitude * (1 + 1e-9)) {
      step = m * magnitude;
      break;
    }
  }
  out.values = StepTicks(lo, hi, step);
  for (int d = 0; d <= 9; ++d) {
    const double scaled = step * std::pow(10.0, d);
    out.decimals = d;
    if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled)) break;
  }
  return out;
}

std::vector<double> NiceTimeTicks(double lo, double hi, int maxTicks) {
  if (!(hi > lo) || !std::isfinite(lo) || !std::isfinite(hi)) return {};
  maxTicks = std::max(1, maxTicks);
  static constexpr double kSteps[] = {
      1,       2,       5,       10,      15,       30,       60,       120,      300,
      600,     900,     1800,    3600,    7200,     10800,    21600,    43200,    86400,
      172800,  604800,  1209600, 2592000, 7776000,  15552000, 31536000, 63072000, 157680000,
      315360000};
  const double spanSeconds = (hi - lo) * kSecondsPerDay;
  double step = kSteps[std::size(kSteps) - 1];
  for (double s : kSteps) {
    if (spanSeconds / s <= maxTicks) {
      step = s;
      break;
    }
  }
  while (spanSeconds / step > maxTicks) step *= 10;
  std::vector<double> ticks = StepTicks(lo * kSecondsPerDay, hi * kSecondsPerDay, step);
  for (double& t : ticks) t /= kSecondsPerDay;
  return ticks;
}

}  // namespace skyvane
