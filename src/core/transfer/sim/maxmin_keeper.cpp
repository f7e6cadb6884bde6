#include "core/transfer/sim/maxmin_keeper.h"

#include <algorithm>
#include <ctime>

#include "core/memory/block_layout.h"

namespace skyvane::sim {

namespace {

namespace ml = layout::maxmin;

struct Extreme {
  std::optional<int> MaxMinSample::*quantity;
  layout::Field at;
  bool isMax;
};

// In the order of the block's values, which is also the order of their times.
constexpr Extreme kExtremes[] = {
    {&MaxMinSample::indoorHumidity, ml::kIndoorHumidityMax, true},
    {&MaxMinSample::indoorHumidity, ml::kIndoorHumidityMin, false},
    {&MaxMinSample::outdoorHumidity, ml::kOutdoorHumidityMax, true},
    {&MaxMinSample::outdoorHumidity, ml::kOutdoorHumidityMin, false},
    {&MaxMinSample::indoorTemperature, ml::kIndoorTempMax, true},
    {&MaxMinSample::indoorTemperature, ml::kIndoorTempMin, false},
    {&MaxMinSample::outdoorTemperature, ml::kOutdoorTempMax, true},
    {&MaxMinSample::outdoorTemperature, ml::kOutdoorTempMin, false},
    {&MaxMinSample::windChill, ml::kWindChillMax, true},
    {&MaxMinSample::windChill, ml::kWindChillMin, false},
    {&MaxMinSample::dewPoint, ml::kDewPointMax, true},
    {&MaxMinSample::dewPoint, ml::kDewPointMin, false},
    {&MaxMinSample::absolutePressure, ml::kAbsPressureMax, true},
    {&MaxMinSample::absolutePressure, ml::kAbsPressureMin, false},
    {&MaxMinSample::relativePressure, ml::kRelPressureMax, true},
    {&MaxMinSample::relativePressure, ml::kRelPressureMin, false},
    {&MaxMinSample::windSpeed, ml::kWindSpeedMax, true},
    {&MaxMinSample::gustSpeed, ml::kGustSpeedMax, true},
    {&MaxMinSample::rainHour, ml::kRainHourMax, true},
    {&MaxMinSample::rain24h, ml::kRain24hMax, true},
    {&MaxMinSample::rainWeek, ml::kRainWeekMax, true},
    {&MaxMinSample::rainMonth, ml::kRainMonthMax, true},
    {&MaxMinSample::rainTotal, ml::kRainTotalMax, true},
};

// Extreme k's time is the block's time k: the table must keep the block's order.
constexpr bool InBlockOrder() {
  if (std::size(kExtremes) != ml::kExtremeCount) return false;
  for (std::size_t k = 0; k < ml::kExtremeCount; ++k) {
    if (kExtremes[k].at.offset != ml::kValues[k].offset) return false;
  }
  return true;
}
static_assert(InBlockOrder());

std::uint8_t Bcd(int v) { return static_cast<std::uint8_t>((v / 10) * 16 + v % 10); }

// The largest value a field holds: the value is kept there rather than wrapped.
int Largest(layout::Encoding encoding) {
  switch (encoding) {
    case layout::Encoding::kByte: return 0xFF;
    case layout::Encoding::kRainLow:
    case layout::Encoding::kRainHigh: return 0xFFFFF;
    default: return 0xFFFF;
  }
}

void Put(MaxMinSpan block, layout::Field at, int v) {
  if (at.encoding != layout::Encoding::kSignMagnitude) v = std::clamp(v, 0, Largest(at.encoding));
  layout::WriteNumber(block, at, v);
}

}  // namespace

void WriteBcdTime(std::uint8_t* p5, std::int64_t stationTime) {
  std::tm local{};
  const auto t = static_cast<std::time_t>(stationTime);
  localtime_r(&t, &local);
  p5[0] = Bcd(local.tm_year % 100);
  p5[1] = Bcd(local.tm_mon + 1);
  p5[2] = Bcd(local.tm_mday);
  p5[3] = Bcd(local.tm_hour);
  p5[4] = Bcd(local.tm_min);
}

void ClearMaxMin(MaxMinSpan block) { std::fill(block.begin(), block.end(), std::uint8_t{0}); }

void FollowMaxMin(MaxMinSpan block, const MaxMinSample& sample, std::int64_t stationTime) {
  for (std::size_t k = 0; k < std::size(kExtremes); ++k) {
    const Extreme& e = kExtremes[k];
    const std::optional<int>& value = sample.*e.quantity;
    if (!value) continue;
    std::uint8_t* time = block.data() + ml::TimeOf(k).offset;
    const bool unset = time[1] == 0;  // month 00: no extreme recorded yet
    const auto old = static_cast<int>(layout::ReadNumber(block, e.at));
    if (!unset && (e.isMax ? *value <= old : *value >= old)) continue;
    Put(block, e.at, *value);
    WriteBcdTime(time, stationTime);
  }
}

}  // namespace skyvane::sim
