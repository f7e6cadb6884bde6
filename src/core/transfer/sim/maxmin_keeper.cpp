#include "core/transfer/sim/maxmin_keeper.h"

#include <algorithm>
#include <ctime>

#include "core/memory/byte_codec.h"

namespace skyvane::sim {

namespace {

enum class Kind { kU8, kU16, kSignMagnitude, kU20Low, kU20High };

struct Extreme {
  std::optional<int> MaxMinSample::*quantity;
  int offset;
  Kind kind;
  bool isMax;
};

// In the order of the block's values, which is also the order of their times.
constexpr Extreme kExtremes[] = {
    {&MaxMinSample::indoorHumidity, 2, Kind::kU8, true},
    {&MaxMinSample::indoorHumidity, 3, Kind::kU8, false},
    {&MaxMinSample::outdoorHumidity, 4, Kind::kU8, true},
    {&MaxMinSample::outdoorHumidity, 5, Kind::kU8, false},
    {&MaxMinSample::indoorTemperature, 6, Kind::kSignMagnitude, true},
    {&MaxMinSample::indoorTemperature, 8, Kind::kSignMagnitude, false},
    {&MaxMinSample::outdoorTemperature, 10, Kind::kSignMagnitude, true},
    {&MaxMinSample::outdoorTemperature, 12, Kind::kSignMagnitude, false},
    {&MaxMinSample::windChill, 14, Kind::kSignMagnitude, true},
    {&MaxMinSample::windChill, 16, Kind::kSignMagnitude, false},
    {&MaxMinSample::dewPoint, 18, Kind::kSignMagnitude, true},
    {&MaxMinSample::dewPoint, 20, Kind::kSignMagnitude, false},
    {&MaxMinSample::absolutePressure, 22, Kind::kU16, true},
    {&MaxMinSample::absolutePressure, 24, Kind::kU16, false},
    {&MaxMinSample::relativePressure, 26, Kind::kU16, true},
    {&MaxMinSample::relativePressure, 28, Kind::kU16, false},
    {&MaxMinSample::windSpeed, 30, Kind::kU16, true},
    {&MaxMinSample::gustSpeed, 32, Kind::kU16, true},
    {&MaxMinSample::rainHour, 34, Kind::kU16, true},
    {&MaxMinSample::rain24h, 36, Kind::kU16, true},
    {&MaxMinSample::rainWeek, 38, Kind::kU16, true},
    {&MaxMinSample::rainMonth, 40, Kind::kU20Low, true},
    {&MaxMinSample::rainTotal, 42, Kind::kU20High, true},
};
constexpr int kFirstTimeOffset = 45;
constexpr int kTimeSize = 5;
constexpr int kRainNibbles = 44;

std::uint8_t Bcd(int v) { return static_cast<std::uint8_t>((v / 10) * 16 + v % 10); }

int Get(const std::uint8_t* b, Kind kind, int offset) {
  switch (kind) {
    case Kind::kU8: return b[offset];
    case Kind::kU16: return static_cast<int>(ReadU16(b + offset));
    case Kind::kSignMagnitude: return ReadSignMagnitude16(b + offset);
    case Kind::kU20Low: return static_cast<int>(ReadU16(b + offset)) | ((b[kRainNibbles] & 0x0F) << 16);
    case Kind::kU20High: return static_cast<int>(ReadU16(b + offset)) | ((b[kRainNibbles] >> 4) << 16);
  }
  return 0;
}

void Put(std::uint8_t* b, Kind kind, int offset, int v) {
  switch (kind) {
    case Kind::kU8: b[offset] = static_cast<std::uint8_t>(std::clamp(v, 0, 0xFF)); return;
    case Kind::kU16: WriteU16(b + offset, std::clamp(v, 0, 0xFFFF)); return;
    case Kind::kSignMagnitude: WriteSignMagnitude16(b + offset, v); return;
    case Kind::kU20Low:
    case Kind::kU20High: {
      v = std::clamp(v, 0, 0xFFFFF);
      WriteU16(b + offset, v & 0xFFFF);
      const int nibble = v >> 16;
      b[kRainNibbles] = kind == Kind::kU20Low
                            ? static_cast<std::uint8_t>((b[kRainNibbles] & 0xF0) | nibble)
                            : static_cast<std::uint8_t>((b[kRainNibbles] & 0x0F) | (nibble << 4));
      return;
    }
  }
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
  std::uint8_t* b = block.data();
  for (std::size_t k = 0; k < std::size(kExtremes); ++k) {
    const Extreme& e = kExtremes[k];
    const std::optional<int>& value = sample.*e.quantity;
    if (!value) continue;
    std::uint8_t* time = b + kFirstTimeOffset + kTimeSize * static_cast<int>(k);
    const bool unset = time[1] == 0;  // month 00: no extreme recorded yet
    const int old = Get(b, e.kind, e.offset);
    if (!unset && (e.isMax ? *value <= old : *value >= old)) continue;
    Put(b, e.kind, e.offset, *value);
    WriteBcdTime(time, stationTime);
  }
}

}  // namespace skyvane::sim
