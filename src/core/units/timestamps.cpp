#include "core/units/timestamps.h"

#include <cstdio>

#include "core/app/local_seconds.h"
#include "core/app/text_table.h"
#include "core/app/time_text.h"

namespace skyvane {
namespace {

struct TimestampFields {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Reads "%u-%u-%u %u:%u:%u"; missing time numbers stay 0. False unless the
// date is complete and every number is in its calendar range.
bool ReadTimestamp(const std::string& text, TimestampFields& f) {
  unsigned n[6] = {0, 0, 0, 0, 0, 0};
  if (!ReadTimeText(text, n)) {
    const int count = std::sscanf(text.c_str(), "%u-%u-%u %u:%u:%u", &n[0], &n[1], &n[2], &n[3],
                                  &n[4], &n[5]);
    if (count < 3) return false;
  }
  if (n[0] < 1900 || n[0] > 9999 || n[1] < 1 || n[1] > 12 || n[2] < 1 || n[2] > 31 || n[3] > 23 ||
      n[4] > 59 || n[5] > 60) {
    return false;
  }
  f = {static_cast<int>(n[0]), static_cast<int>(n[1]), static_cast<int>(n[2]),
       static_cast<int>(n[3]), static_cast<int>(n[4]), static_cast<int>(n[5])};
  return true;
}

std::tm ToTm(const TimestampFields& f) {
  std::tm tm{};
  tm.tm_year = f.year - 1900;
  tm.tm_mon = f.month - 1;
  tm.tm_mday = f.day;
  tm.tm_hour = f.hour;
  tm.tm_min = f.minute;
  tm.tm_sec = f.second;
  tm.tm_isdst = -1;
  return tm;
}

}  // namespace

std::string TimestampDisplayText(const std::string& text, const TextTable& table) {
  return TimestampDisplayText(text, std::string(table.Text(Txt::TimestampFormat)));
}

std::string TimestampDisplayText(const std::string& text, const std::string& format) {
  if (text.size() <= 9) return text;
  std::string full = text;
  static const std::string kMidnight = " 00:00:00";
  if (full.size() < 19) full += kMidnight.substr(full.size() - 10);
  TimestampFields f;
  if (!ReadTimestamp(full, f)) return text;
  // The wall-clock time as written: normalised without a time zone, so no
  // daylight-saving gap can move it.
  std::tm tm = ToTm(f);
  tm.tm_isdst = 0;
  const std::time_t t = timegm(&tm);
  std::tm normal{};
  gmtime_r(&t, &normal);
  char buffer[256];
  const std::size_t n = std::strftime(buffer, sizeof buffer, format.c_str(), &normal);
  if (n == 0 && !format.empty()) return text;
  return std::string(buffer, n);
}

std::int64_t TimestampToTime(const std::string& text) {
  TimestampFields f;
  if (!ReadTimestamp(text, f)) return -1;
  return LocalSecondsOf(f.year, f.month, f.day, f.hour, f.minute, f.second);
}

std::int64_t TimeSpanBetween(const std::string& start, const std::string& end) {
  return TimeSpanBetween(start, end, static_cast<std::int64_t>(std::time(nullptr)));
}

std::int64_t TimeSpanBetween(const std::string& start, const std::string& end, std::int64_t now) {
  const std::int64_t from = TimestampToTime(start.size() > 10 ? start : "2000-01-01 00:00:00");
  const std::int64_t to = end.size() > 10 ? TimestampToTime(end) : now;
  return to - from;
}

double TimestampToChartTime(const std::string& text) {
  TimestampFields f;
  if (!ReadTimestamp(text, f)) return 0.0;
  const std::int64_t days = DaysFromCivil(f.year, static_cast<unsigned>(f.month),
                                          static_cast<unsigned>(f.day)) -
                            DaysFromCivil(1899, 12, 30);
  return static_cast<double>(days) + (f.hour * 3600.0 + f.minute * 60.0 + f.second) / 86400.0;
}

}  // namespace skyvane
