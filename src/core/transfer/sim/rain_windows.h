#pragma once
// Rain over the last hour, day and week as the base unit knows it: from the
// rain counters and intervals of the records in its history ring.
#include <cstdint>

#include "core/transfer/sim/station_setup.h"

namespace skyvane::sim {

struct RainWindows {
  int hour = 0;  // gauge steps (0.3 mm each)
  int day = 0;
  int week = 0;
};

// The running record began at slotStart; now is the station time. A window
// reaching beyond the oldest stored record counts from that record.
RainWindows RainInWindows(ConstMemorySpan memory, std::int64_t slotStart, std::int64_t now);

}  // namespace skyvane::sim
