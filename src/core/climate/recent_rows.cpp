#include "core/climate/recent_rows.h"

#include <cmath>
#include <cstdlib>

namespace skyvane::climate {
namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kKept = 4 * kHour;
constexpr std::int64_t kTrendSpan = 3 * kHour;
constexpr std::int64_t kTrendSlack = kHour / 2;

}  // namespace

void RecentRows::Add(const RowValues& row) {
  if (!rows_.empty() && row.seconds < rows_.rbegin()->first - kKept) return;
  rows_.emplace(row.seconds, Entry{row.pressure, row.rainHundredths});
  const std::int64_t oldest = rows_.rbegin()->first - kKept;
  while (rows_.begin()->first < oldest) rows_.erase(rows_.begin());
}

std::optional<double> RecentRows::RainLastHour(std::int64_t now) const {
  std::int64_t sum = 0;
  bool any = false;
  for (auto it = rows_.upper_bound(now - kHour); it != rows_.end() && it->first <= now; ++it) {
    if (!it->second.rainHundredths) continue;
    sum += *it->second.rainHundredths;
    any = true;
  }
  if (!any) return std::nullopt;
  return static_cast<double>(sum) / 100.0;
}

std::optional<double> RecentRows::PressureTrend(std::int64_t now, Trend& trend) const {
  trend = Trend::kUnknown;
  std::int64_t endTime = 0;
  double endPressure = 0;
  bool haveEnd = false;
  for (auto it = rows_.upper_bound(now - kHour); it != rows_.end() && it->first <= now; ++it) {
    if (!it->second.pressure) continue;
    endTime = it->first;
    endPressure = *it->second.pressure;
    haveEnd = true;
  }
  if (!haveEnd) return std::nullopt;
  const std::int64_t target = endTime - kTrendSpan;
  std::optional<double> start;
  std::int64_t bestDistance = kTrendSlack + 1;
  for (auto it = rows_.lower_bound(target - kTrendSlack);
       it != rows_.end() && it->first <= target + kTrendSlack; ++it) {
    const std::int64_t distance = std::llabs(it->first - target);
    if (it->second.pressure && distance < bestDistance) {
      bestDistance = distance;
      start = it->second.pressure;
    }
  }
  if (!start) return std::nullopt;
  // Tenths of hPa, so that 1.0 reads as 1.0 and not as 0.99999.
  const double change = std::round((endPressure - *start) * 10) / 10;
  trend = change >= kSteadyPressureBand    ? Trend::kRising
          : change <= -kSteadyPressureBand ? Trend::kFalling
                                           : Trend::kSteady;
  return change;
}

}  // namespace skyvane::climate
