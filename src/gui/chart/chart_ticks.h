#pragma once
// Where an axis puts its labels: round numbers for values, round time steps
// for date-time values.
#include <vector>

namespace skyvane {

struct ValueTicks {
  std::vector<double> values;
  int decimals = 0;  // digits after the point that show every label exactly
};

// Ticks at multiples of 1, 2, 2.5 or 5 times a power of ten inside [lo, hi],
// at most maxTicks + 1 of them.
ValueTicks NiceValueTicks(double lo, double hi, int maxTicks);

// Ticks at round time steps (seconds, minutes, hours, days, weeks, 30-day
// months, 365-day years) inside [lo, hi] (chart days), at most maxTicks + 1.
std::vector<double> NiceTimeTicks(double lo, double hi, int maxTicks);

}  // namespace skyvane
