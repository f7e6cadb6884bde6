#pragma once
// Writes a realistic data file: station records of a simulated climate,
// encoded as the station stores them, decoded and completed as the download
// completes them, with rain amounts and numbering as the program stores them.
// Shared by gen_history and the benchmarks that need the file.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "core/history/history_line.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"
#include "core/station/weather_record_codec.h"
#include "core/units/record_display.h"
#include "core/units/value_text.h"

namespace skyvane::bench {

inline std::time_t LocalTimeOf(int y, int mo, int d, int h, int mi) {
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = mo - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

// The newest record of every generated file.
inline std::time_t GeneratedEnd() { return LocalTimeOf(2025, 12, 31, 23, 55); }

inline std::string StampText(std::time_t t) {
  std::tm tm{};
  ::localtime_r(&t, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
  return buf;
}

// A simulated station: one 16-byte record per call.
class WeatherSimulator {
 public:
  explicit WeatherSimulator(unsigned seed) : random_(seed) {}

  std::array<std::uint8_t, 16> Next(std::time_t at, int intervalMinutes) {
    std::tm tm{};
    ::localtime_r(&at, &tm);
    const double yearPhase = 2 * M_PI * (tm.tm_yday / 365.0);
    const double dayPhase = 2 * M_PI * ((tm.tm_hour * 60 + tm.tm_min) / 1440.0);
    const double outdoor = 9 - 10 * std::cos(yearPhase) - 4 * std::cos(dayPhase) + Noise(1.0);
    const double indoor = 21 + std::sin(dayPhase) + Noise(0.3);
    pressure_ = std::clamp(pressure_ + Noise(0.4) + (10130 - pressure_) * 0.002, 9700.0, 10400.0);
    wind_ = std::clamp(wind_ + Noise(3.0), 0.0, 180.0);
    if (Uniform() < 0.05) direction_ = (direction_ + (Uniform() < 0.5 ? 15 : 1)) % 16;
    if (raining_ ? Uniform() < 0.02 : Uniform() < 0.002) raining_ = !raining_;
    if (raining_ && Uniform() < 0.4) rainTicks_ = static_cast<std::uint16_t>(rainTicks_ + 1 + (Uniform() < 0.2));

    std::array<std::uint8_t, 16> r{};
    r[0] = static_cast<std::uint8_t>(intervalMinutes);
    r[1] = static_cast<std::uint8_t>(std::clamp(45 + Noise(3), 20.0, 80.0));
    PutSignMagnitude(&r[2], static_cast<int>(std::lround(indoor * 10)));
    r[4] = static_cast<std::uint8_t>(std::clamp(75 - 15 * std::cos(dayPhase + M_PI) + Noise(5), 15.0, 99.0));
    PutSignMagnitude(&r[5], static_cast<int>(std::lround(outdoor * 10)));
    const auto p = static_cast<unsigned>(std::lround(pressure_ - 60));
    r[7] = p & 0xFF;
    r[8] = static_cast<std::uint8_t>(p >> 8);
    const auto w = static_cast<unsigned>(std::lround(wind_));
    const auto g = std::min(500u, w + static_cast<unsigned>(Uniform() * 40));
    r[9] = w & 0xFF;
    r[10] = g & 0xFF;
    r[11] = static_cast<std::uint8_t>(((g >> 8) << 4) | (w >> 8));
    r[12] = static_cast<std::uint8_t>(direction_);
    r[13] = static_cast<std::uint8_t>(rainTicks_ & 0xFF);
    r[14] = static_cast<std::uint8_t>(rainTicks_ >> 8);
    r[15] = 0x40;
    return r;
  }

 private:
  double Uniform() { return std::uniform_real_distribution<double>(0, 1)(random_); }
  double Noise(double spread) { return std::normal_distribution<double>(0, spread)(random_); }
  static void PutSignMagnitude(std::uint8_t* p, int v) {
    const unsigned m = static_cast<unsigned>(v < 0 ? -v : v);
    p[0] = m & 0xFF;
    p[1] = static_cast<std::uint8_t>(((m >> 8) & 0x7F) | (v < 0 ? 0x80 : 0));
  }

  std::mt19937 random_;
  double pressure_ = 10130;
  double wind_ = 30;
  int direction_ = 5;
  bool raining_ = false;
  std::uint16_t rainTicks_ = 1200;
};

// Writes `days` of records `intervalMinutes` apart, the last at end. Returns
// the number of lines, or -1 when the file cannot be written.
inline long long WriteHistoryFile(const std::string& path, int days, int intervalMinutes,
                                  std::time_t end, unsigned seed = 1) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return -1;
  const long long count = static_cast<long long>(days) * 24 * 60 / intervalMinutes;
  const std::int64_t step = intervalMinutes * 60;
  HeaderRecord header;
  AlarmRecord alarms;
  alarms[alm::kCurrentRelPressure] = "10132";
  alarms[alm::kCurrentAbsPressure] = "10095";
  WeatherSimulator station(seed);

  // The rain windows hold the row's own increment and those of the rows less
  // than the window's length before it.
  const std::int64_t windows[4] = {3600, 86400, 604800, 2592000};
  const int rainFields[4] = {row::rainHour, row::rain24h, row::rainWeek, row::rainMonth};
  std::vector<double> prefix(1, 0.0);  // sums of the increments before each row
  prefix.reserve(static_cast<std::size_t>(count) + 1);
  long long windowStart[4] = {0, 0, 0, 0};
  double lastRain = -1;
  double total = 0;

  std::string buffer;
  bool ok = true;
  for (long long i = 0; i < count && ok; ++i) {
    const std::time_t at = end - static_cast<std::time_t>((count - 1 - i) * step);
    HistoryRow r;
    const auto bytes = station.Next(at, intervalMinutes);
    DecodeWeatherRecord(bytes, r);
    DeriveRow(r, header, alarms);
    char address[8];
    std::snprintf(address, sizeof address, "%06X", 0x100 + static_cast<int>(i % 4080) * 16);
    r[row::stationAddress] = address;
    r[row::recordTime] = StampText(at);
    char number[16];
    std::snprintf(number, sizeof number, "%4lld", i + 1);
    r[row::sequenceNo] = number;

    const double rain = NumericValue(r[row::rain]);
    const double increment = lastRain < 0 ? 0.0 : std::max(0.0, rain - lastRain);
    lastRain = rain;
    total += increment;
    prefix.push_back(prefix.back() + increment);
    r[row::rainIncrement] = FormatFixed(increment, 1);
    r[row::rainTotal] = FormatFixed(total, 1);
    for (int w = 0; w < 4; ++w) {
      while (static_cast<std::int64_t>(i - windowStart[w]) * step >= windows[w]) ++windowStart[w];
      r[rainFields[w]] = FormatFixed(prefix[i + 1] - prefix[windowStart[w]], 1);
    }
    buffer += FormatRowLine(r, StampText(at + 7));
    if (buffer.size() > (4u << 20)) {
      ok = std::fwrite(buffer.data(), 1, buffer.size(), out) == buffer.size();
      buffer.clear();
    }
  }
  ok = ok && std::fwrite(buffer.data(), 1, buffer.size(), out) == buffer.size();
  return (std::fclose(out) == 0 && ok) ? count : -1;
}

}  // namespace skyvane::bench
