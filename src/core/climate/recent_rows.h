#pragma once
// The rows of the last hours, for the values of the running day that look
// back from now: the rain of the last hour and the pressure trend.
#include <cstdint>
#include <map>
#include <optional>

#include "core/climate/climate_types.h"
#include "core/climate/row_values.h"

namespace skyvane::climate {

// A change of less than this over three hours is steady, hPa.
inline constexpr double kSteadyPressureBand = 1.0;

class RecentRows {
 public:
  // Keeps the row when it lies within the hours kept before the newest row.
  void Add(const RowValues& row);
  void Clear() { rows_.clear(); }

  // The rain increments of the rows in (now − 1 h, now]; absent without any.
  std::optional<double> RainLastHour(std::int64_t now) const;
  // The newest pressure in (now − 1 h, now] minus the pressure nearest to
  // three hours before it (within half an hour); trend says which way.
  std::optional<double> PressureTrend(std::int64_t now, Trend& trend) const;

 private:
  struct Entry {
    std::optional<double> pressure;
    std::optional<std::int64_t> rainHundredths;
  };
  std::multimap<std::int64_t, Entry> rows_;  // by recordTime seconds
};

}  // namespace skyvane::climate
