#include "core/history/rain_walk.h"

#include <cmath>
#include <string>

#include "core/units/timestamps.h"
#include "core/units/value_text.h"

namespace skyvane {

namespace {

std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// The calendar time at which an hour of the local calendar begins.
std::int64_t LocalHourStart(unsigned y, unsigned mo, unsigned d, unsigned h) {
  std::tm tm{};
  tm.tm_year = static_cast<int>(y) - 1900;
  tm.tm_mon = static_cast<int>(mo) - 1;
  tm.tm_mday = static_cast<int>(d);
  tm.tm_hour = static_cast<int>(h);
  tm.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&tm));
}

bool TwoDigits(std::string_view t, std::size_t at, unsigned& out) {
  const char a = t[at], b = t[at + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return false;
  out = static_cast<unsigned>((a - '0') * 10 + (b - '0'));
  return true;
}

// The program's own form, "YYYY-mm-dd HH:MM:SS", read without sscanf.
bool ReadStandardStamp(std::string_view t, unsigned v[6]) {
  if (t.size() != 19 || t[4] != '-' || t[7] != '-' || t[10] != ' ' || t[13] != ':' ||
      t[16] != ':') {
    return false;
  }
  unsigned hi = 0, lo = 0;
  if (!TwoDigits(t, 0, hi) || !TwoDigits(t, 2, lo)) return false;
  v[0] = hi * 100 + lo;
  return TwoDigits(t, 5, v[1]) && TwoDigits(t, 8, v[2]) && TwoDigits(t, 11, v[3]) &&
         TwoDigits(t, 14, v[4]) && TwoDigits(t, 17, v[5]);
}

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
  if (!ReadStandardStamp(text, v) || v[0] < 1900 || v[1] < 1 || v[1] > 12 || v[2] < 1 ||
      v[2] > 31 || v[3] > 23 || v[4] > 59 || v[5] > 59) {
    return TimestampToTime(std::string(text));
  }
  // Rows come in time order, and the time zone's offset changes a few times a
  // year: the offset is asked once a day, or every hour of a day on which it
  // changes.
  const std::int64_t dayCivil = DaysFromCivil(v[0], v[1], v[2]) * 86400;
  const std::int64_t hourCivil = dayCivil + v[3] * 3600;
  if (dayCivil != cachedDay_) {
    const std::int64_t first = dayCivil - LocalHourStart(v[0], v[1], v[2], 0);
    const std::int64_t last = dayCivil + 23 * 3600 - LocalHourStart(v[0], v[1], v[2], 23);
    cachedDay_ = dayCivil;
    steadyDay_ = first == last;
    cachedOffset_ = first;
    cachedHourKey_ = -1;
  }
  if (!steadyDay_ && hourCivil != cachedHourKey_) {
    cachedOffset_ = hourCivil - LocalHourStart(v[0], v[1], v[2], v[3]);
    cachedHourKey_ = hourCivil;
  }
  return hourCivil + v[4] * 60 + v[5] - cachedOffset_;
}

double ValueOf(std::string_view text) {
  // The program's own numbers ("-12.3", "0.0", "45"): exact without a general
  // parser, since n / 10^k rounds to the same double as the decimal text.
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) i = 1;
  std::int64_t n = 0;
  int digits = 0;
  int decimals = -1;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      // Past 15 digits the text goes to the general reader: stop counting
      // before the sum could overflow.
      if (digits < 16) n = n * 10 + (c - '0');
      ++digits;
      if (decimals >= 0) ++decimals;
    } else if (c == '.' && decimals < 0) {
      decimals = 0;
    } else {
      break;
    }
  }
  if (i == text.size() && digits > 0 && digits <= 15 && decimals != 0 && decimals <= 2) {
    static constexpr double kScale[] = {1.0, 10.0, 100.0};
    const double value = static_cast<double>(n) / kScale[decimals < 0 ? 0 : decimals];
    return negative ? -value : value;
  }
  return NumericValue(std::string(text));
}

RainSample MakeRainSample(std::string_view recordTime, std::string_view rain,
                          std::string_view increment, std::string_view total,
                          LocalTimeReader& times) {
  RainSample s;
  s.hasRain = !rain.empty() && rain != kNoValue;
  if (!s.hasRain) return s;  // passed over by every walk
  s.time = times.StartTime(recordTime);
  s.rain = ValueOf(rain);
  s.increment = static_cast<float>(ValueOf(increment));
  s.total = ValueOf(total);
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
