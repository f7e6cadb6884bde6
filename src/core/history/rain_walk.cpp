#include "core/history/rain_walk.h"

#include <charconv>
#include <cstdio>
#include <string>

#include "core/history/history_line.h"

namespace skyvane {

namespace {

constexpr const char* kNoValue = "---";

std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::int64_t LocalMktime(unsigned y, unsigned mo, unsigned d, unsigned h, unsigned mi, unsigned s) {
  std::tm tm{};
  tm.tm_year = static_cast<int>(y) - 1900;
  tm.tm_mon = static_cast<int>(mo) - 1;
  tm.tm_mday = static_cast<int>(d);
  tm.tm_hour = static_cast<int>(h);
  tm.tm_min = static_cast<int>(mi);
  tm.tm_sec = static_cast<int>(s);
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

std::string FormatTenths(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f", value);
  return buf;
}

}  // namespace

std::int64_t LocalTimeReader::StartTime(std::string_view text) {
  if (text.size() > 10) return Read(text);
  return LocalMktime(2000, 1, 1, 0, 0, 0);
}

std::int64_t LocalTimeReader::EndTime(std::string_view text) {
  if (text.size() > 10) return Read(text);
  return static_cast<std::int64_t>(now_);
}

std::int64_t LocalTimeReader::Read(std::string_view text) {
  unsigned v[6] = {0, 0, 0, 0, 0, 0};
  if (!ReadStandardStamp(text, v) || v[1] < 1 || v[1] > 12 || v[2] < 1 || v[2] > 31 ||
      v[3] > 23 || v[4] > 59 || v[5] > 59) {
    const std::string copy(text);
    std::sscanf(copy.c_str(), "%u-%u-%u %u:%u:%u", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
    return LocalMktime(v[0], v[1], v[2], v[3], v[4], v[5]);
  }
  const std::int64_t hourCivil = DaysFromCivil(v[0], v[1], v[2]) * 86400 + v[3] * 3600;
  if (hourCivil != cachedHourKey_) {
    cachedOffset_ = hourCivil - LocalMktime(v[0], v[1], v[2], v[3], 0, 0);
    cachedHourKey_ = hourCivil;
  }
  return hourCivil + v[4] * 60 + v[5] - cachedOffset_;
}

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && text[i] == '+') ++i;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  // Only digits, a point or a sign may begin a number ("inf" and "nan" are none).
  const char c0 = first < last ? *first : '\0';
  const char c1 = first + 1 < last ? first[1] : '\0';
  const bool startsNumber = (c0 >= '0' && c0 <= '9') || c0 == '.' ||
                            (c0 == '-' && ((c1 >= '0' && c1 <= '9') || c1 == '.'));
  if (!startsNumber) return 0;
  double value = 0;
  const auto result = std::from_chars(first, last, value);
  return result.ec == std::errc() ? value : 0;
}

RainSample MakeRainSample(std::string_view recordTime, std::string_view rain,
                          std::string_view increment, std::string_view total,
                          LocalTimeReader& times) {
  RainSample s;
  s.hasRain = !rain.empty() && rain != kNoValue;
  if (!s.hasRain) return s;  // passed over by every walk
  s.time = times.StartTime(recordTime);
  s.rain = LeadingNumber(rain);
  s.increment = static_cast<float>(LeadingNumber(increment));
  s.total = LeadingNumber(total);
  return s;
}

RainSample MakeRainSample(const HistoryRow& r, LocalTimeReader& times) {
  return MakeRainSample(r[row::recordTime], r[row::rain], r[row::rainIncrement],
                        r[row::rainTotal], times);
}

RainWalk::RainWalk(HistoryRow& target, std::int64_t targetTime)
    : target_(target), targetTime_(targetTime) {
  const std::string& rain = target[row::rain];
  valid_ = !rain.empty() && rain != kNoValue && LeadingInteger(rain) != -32767;
  targetRain_ = valid_ ? LeadingNumber(rain) : 0;
}

bool RainWalk::Step(const RainSample& r) {
  if (!wanted()) return false;
  if (!r.hasRain) return true;  // changes nothing, not even the windows
  const std::int64_t dt = targetTime_ - r.time;
  if (first_) {
    double delta = targetRain_ - r.rain;
    if (delta < 0) {  // the counter wrapped
      delta += rain::kCounterWrap;
      if (delta < 0) {
        delta = 0;
      } else if (delta <= rain::kLargestRise) {
        raised_ = true;  // the target continues R's value
      }
    }
    if (delta > rain::kLargestRise) delta = 0;
    total_ = r.total + delta;
    increment_ = delta;
    sum_ = static_cast<float>(delta);
    first_ = false;
  }
  if (dt < rain::kHour) {
    hour_ = sum_;
  } else if (hourOpen_) {
    hour_ = sum_;
    hourOpen_ = false;
  }
  if (dt < rain::kDay) {
    day_ = sum_;
  } else if (dayOpen_) {
    day_ = sum_;
    dayOpen_ = false;
  }
  if (dt < rain::kWeek) {
    week_ = sum_;
  } else if (weekOpen_) {
    week_ = sum_;
    weekOpen_ = false;
  }
  month_ = sum_;
  if (dt >= rain::kMonth) {
    stopped_ = true;
    return false;
  }
  sum_ += r.increment;
  return true;
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
  if (raised_) t[row::rain] = FormatTenths(targetRain_ + rain::kCounterWrap);
  t[row::rainIncrement] = FormatTenths(increment_);
  t[row::rainHour] = FormatTenths(hour_);
  t[row::rain24h] = FormatTenths(day_);
  t[row::rainWeek] = FormatTenths(week_);
  t[row::rainMonth] = FormatTenths(month_);
  t[row::rainTotal] = FormatTenths(total_);
  return true;
}

}  // namespace skyvane
