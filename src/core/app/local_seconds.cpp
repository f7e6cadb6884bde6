#include "core/app/local_seconds.h"

#include <cstdlib>
#include <ctime>
#include <string>

#include "core/app/time_text.h"

namespace skyvane {
namespace {

std::int64_t Mktime(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&tm));
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && LeapYear(y) ? 29 : kDays[m - 1];
}

// Offsets (local wall clock minus calendar time) of one day, or of one hour
// of it when the offset changes that day.
struct OffsetCache {
  std::string zone;          // the TZ text the offsets were found under
  bool hadZone = false;
  std::int64_t day = -1;     // civil seconds of the day's midnight
  bool steadyDay = false;
  std::int64_t hour = -1;    // civil seconds of the known hour, when not steady
  bool steadyHour = false;
  std::int64_t offset = 0;

  // Drops what was found under another zone.
  void Check() {
    const char* tz = std::getenv("TZ");
    const bool has = tz != nullptr;
    if (has == hadZone && (!has || zone == tz)) return;
    hadZone = has;
    zone = has ? tz : "";
    day = hour = -1;
  }
};

// The offset that holds all through [civil, civil + span], if one does.
bool SteadyOffset(int y, int mo, int d, int h, int span, std::int64_t civil, std::int64_t& offset) {
  const std::int64_t first = Mktime(y, mo, d, h, 0, 0);
  const std::int64_t last = Mktime(y, mo, d, h + span / 3600, (span % 3600) / 60, span % 60);
  if (first == -1 || last == -1) return false;
  offset = civil - first;
  return civil + span - last == offset;
}

}  // namespace

std::int64_t LocalSecondsOf(int year, int month, int day, int hour, int minute, int second) {
  if (year < 1900 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
      hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    return Mktime(year, month, day, hour, minute, second);
  }
  thread_local OffsetCache cache;
  cache.Check();
  const std::int64_t dayCivil =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400;
  const std::int64_t hourCivil = dayCivil + hour * 3600;
  if (dayCivil != cache.day) {
    cache.day = dayCivil;
    cache.hour = -1;
    cache.steadyDay = SteadyOffset(year, month, day, 0, 86399, dayCivil, cache.offset);
  }
  if (!cache.steadyDay && hourCivil != cache.hour) {
    cache.hour = hourCivil;
    cache.steadyHour = SteadyOffset(year, month, day, hour, 3599, hourCivil, cache.offset);
  }
  // The hour in which the clock is set back or forward: as the zone decides.
  if (!cache.steadyDay && !cache.steadyHour) return Mktime(year, month, day, hour, minute, second);
  return hourCivil + minute * 60 + second - cache.offset;
}

}  // namespace skyvane
