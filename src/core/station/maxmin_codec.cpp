#include "core/station/maxmin_codec.h"

#include <array>

#include "core/memory/byte_codec.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr int kFirstTimeOffset = 45;  // block offset of the first timestamp
constexpr int kTimeSize = 5;          // year, month, day, hour, minute as BCD
constexpr int kRainHighNibbles = 44;  // bits 16-19 of the month (low) and total (high) rain

// "20YY-MM-DD hh:mm" from the hex digits of the five bytes.
std::string TimestampText(std::span<const std::uint8_t> t) {
  const auto digits = [&](int i) { return HexDigits(t.subspan(i, 1)); };
  return "20" + digits(0) + "-" + digits(1) + "-" + digits(2) + " " + digits(3) + ":" + digits(4);
}

}  // namespace

void DecodeMaxMin(std::span<const std::uint8_t, memmap::kMaxMinSize> b, MaxMinRecord& m) {
  m[mm::kHexDump] = HexDump(b);
  m[mm::kReserved00] = HexDigits(b.subspan(0, 2));

  // Humidities: one unsigned byte each at offsets 2..5.
  for (int f = mm::kIndoorHumidityMax; f <= mm::kOutdoorHumidityMin; ++f) {
    m[f] = DecimalText(b[2 + (f - mm::kIndoorHumidityMax)]);
  }
  // Temperatures, windchill, dewpoint: sign-and-magnitude pairs from offset 6.
  for (int f = mm::kIndoorTempMax; f <= mm::kDewPointMin; ++f) {
    m[f] = DecimalText(ReadSignMagnitude16(&b[6 + 2 * (f - mm::kIndoorTempMax)]));
  }
  // Pressures, wind, gust, hour/24-hour/week rain: unsigned pairs from offset 22.
  for (int f = mm::kAbsPressureMax; f <= mm::kRainWeekMax; ++f) {
    m[f] = DecimalText(ReadU16(&b[22 + 2 * (f - mm::kAbsPressureMax)]));
  }
  const unsigned nibbles = b[kRainHighNibbles];
  m[mm::kRainMonthMax] = DecimalText(ReadU16(&b[40]) | ((nibbles & 0x0Fu) << 16));
  m[mm::kRainTotalMax] = DecimalText(ReadU16(&b[42]) | ((nibbles >> 4) << 16));

  for (int f = mm::kFirstTime; f <= mm::kLastTime; ++f) {
    m[f] = TimestampText(b.subspan(kFirstTimeOffset + kTimeSize * (f - mm::kFirstTime), kTimeSize));
  }
}

bool StationDevice::ReadMaxMin(MaxMinRecord& maxmin) {
  std::array<std::uint8_t, memmap::kMaxMinSize> buffer{};
  int length = memmap::kMaxMinSize;
  if (!link_.ReadBlocks(memmap::kMaxMinAddress, buffer.data(), length)) return false;
  DecodeMaxMin(buffer, maxmin);
  return true;
}

}  // namespace skyvane
