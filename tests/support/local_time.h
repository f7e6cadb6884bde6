#pragma once
// Local calendar times, as the station and the data file count them.
#include <cstdlib>
#include <ctime>
#include <string>

namespace skyvane::test {

// The local time of a date and time of day.
inline std::time_t LocalTime(int year, int month, int day, int hour = 0, int minute = 0,
                             int second = 0) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

// t in local time as strftime writes it with format; by default as recordTime is written.
inline std::string LocalStamp(std::time_t t, const char* format = "%Y-%m-%d %H:%M:%S") {
  std::tm tm{};
  ::localtime_r(&t, &tm);
  char text[64];
  std::strftime(text, sizeof text, format, &tm);
  return text;
}

// The local time zone fixed for a test (a TZ text such as
// "CET-1CEST,M3.5.0,M10.5.0/3", which needs no zone files), the old one put
// back afterwards.
class FixedZone {
 public:
  explicit FixedZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old, hadOld_ = true;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~FixedZone() {
    if (hadOld_) ::setenv("TZ", old_.c_str(), 1);
    else ::unsetenv("TZ");
    ::tzset();
  }
  FixedZone(const FixedZone&) = delete;
  FixedZone& operator=(const FixedZone&) = delete;

 private:
  std::string old_;
  bool hadOld_ = false;
};

}  // namespace skyvane::test
