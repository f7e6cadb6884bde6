#include "core/history/rain_walk.h"

#include <cmath>
#include <string>

#include "core/app/local_seconds.h"
#include "core/app/time_text.h"
#include "core/units/timestamps.h"
#include "core/units/value_text.h"

namespace skyvane {

namespace {

// A rain value in whole tenths of a millimetre; values beyond any counter
// (hand-edited texts) are held at a bound instead of overflowing.
std::int64_t Tenths(double value) {
  constexpr double kBound = 1e15;
  if (!(value > -kBound)) return static_cast<std::int64_t>(-kBound);
  if (!(value < kBound)) return static_cast<std::int64_t>(kBound);
  return std::llround(value * 10);
}

}  // namespace

std::int64_t LocalTimeReader::StartTime(std::string_view text) {
  return Read(text.size() > 10 ? text : std::string_view("2000-01-01 00:00:00"));
}

std::int64_t LocalTimeReader::EndTime(std::string_view text) {
  if (text.size() > 10) return Read(text);
  return static_cast<std::int64_t>(now_);
}

std::int64_t LocalTimeReader::Read(std::string_view text) {
  unsigned v[6] = {0, 0, 0, 0, 0, 0};
  if (!ReadTimeText(text, v) || v[0] < 1900 || v[1] < 1 || v[1] > 12 || v[2] < 1 ||
      v[2] > 31 || v[3] > 23 || v[4] > 59 || v[5] > 59) {
    return TimestampToTime(std::string(text));
  }
  return LocalSecondsOf(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                        static_cast<int>(v[3]), static_cast<int>(v[4]), static_cast<int>(v[5]));
}

RainSample MakeRainSample(std::string_view recordTime, std::string_view rain,
                          std::string_view increment, std::string_view total,
                          LocalTimeReader& times) {
  RainSample s;
  s.hasRain = !rain.empty() && rain != kNoValue;
  if (!s.hasRain) return s;  // passed over by every walk
  s.time = times.StartTime(recordTime);
  s.rain = NumericValue(rain);
  s.increment = static_cast<float>(NumericValue(increment));
  s.total = NumericValue(total);
  return s;
}

RainSample MakeRainSample(const HistoryRow& r, LocalTimeReader& times) {
  return MakeRainSample(r[row::recordTime], r[row::rain], r[row::rainIncrement],
                        r[row::rainTotal], times);
}

RainWalk::RainWalk(HistoryRow& target, std::int64_t targetTime)
    : target_(target), targetTime_(targetTime) {
  valid_ = IsValidReading(target[row::rain], Quantity::kRain);
  targetTenths_ = valid_ ? Tenths(NumericValue(target[row::rain])) : 0;
}

void RainWalk::TakeFirst(const RainSample& r) {
  std::int64_t delta = targetTenths_ - Tenths(r.rain);
  if (delta < 0) {  // the counter wrapped
    delta += rain::kCounterWrapTenths;
    if (delta < 0) {
      delta = 0;
    } else if (delta <= rain::kLargestRiseTenths) {
      raised_ = true;  // the target continues R's value
    }
  }
  if (delta > rain::kLargestRiseTenths) delta = 0;
  total_ = r.total + static_cast<double>(delta) / 10;
  incrementTenths_ = delta;
  sum_ = static_cast<float>(static_cast<double>(delta) / 10);
  first_ = false;
}

bool RainWalk::Finish() {
  HistoryRow& t = target_;
  if (!valid_) {
    for (int f : {row::rain, row::rainIncrement, row::rainHour, row::rain24h, row::rainWeek,
                  row::rainMonth, row::rainTotal}) {
      t[f] = kNoValue;
    }
    return false;
  }
  if (raised_) {
    t[row::rain] = FormatFixed(static_cast<double>(targetTenths_ + rain::kCounterWrapTenths) / 10, 1);
  }
  t[row::rainIncrement] = FormatFixed(static_cast<double>(incrementTenths_) / 10, 1);
  t[row::rainHour] = FormatFixed(hour_, 1);
  t[row::rain24h] = FormatFixed(day_, 1);
  t[row::rainWeek] = FormatFixed(week_, 1);
  t[row::rainMonth] = FormatFixed(month_, 1);
  t[row::rainTotal] = FormatFixed(total_, 1);
  return true;
}

}  // namespace skyvane
