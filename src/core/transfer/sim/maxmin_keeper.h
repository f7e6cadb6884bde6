#pragma once
// The base unit's side of the max/min block: each extreme follows the readings
// and carries the local date and time at which it was reached (5 BCD bytes).
#include <cstdint>
#include <optional>
#include <span>

#include "core/memory/memory_map.h"

namespace skyvane::sim {

// The quantities the block tracks at one moment, in base units (percent,
// tenths of °C, tenths of hPa, tenths of m/s, tenths of mm). Empty when not
// measured now (a lost outdoor sensor).
struct MaxMinSample {
  std::optional<int> indoorHumidity;
  std::optional<int> outdoorHumidity;
  std::optional<int> indoorTemperature;
  std::optional<int> outdoorTemperature;
  std::optional<int> windChill;
  std::optional<int> dewPoint;
  std::optional<int> absolutePressure;
  std::optional<int> relativePressure;
  std::optional<int> windSpeed;
  std::optional<int> gustSpeed;
  std::optional<int> rainHour;
  std::optional<int> rain24h;
  std::optional<int> rainWeek;
  std::optional<int> rainMonth;  // up to 20 bits
  std::optional<int> rainTotal;  // up to 20 bits
};

using MaxMinSpan = std::span<std::uint8_t, memmap::kMaxMinSize>;

// Local time of stationTime as year-in-century, month, day, hour, minute, BCD.
void WriteBcdTime(std::uint8_t* p5, std::int64_t stationTime);

// Every extreme unset (the block of a station that has just been set up): the
// next sample fills them all.
void ClearMaxMin(MaxMinSpan block);

// Raises each maximum and lowers each minimum that the sample passes, or sets
// it when it has no time yet; the time of a changed value becomes stationTime.
void FollowMaxMin(MaxMinSpan block, const MaxMinSample& sample, std::int64_t stationTime);

}  // namespace skyvane::sim
