#pragma once
// Where each value lies in the station's three fixed blocks and how it is
// stored: one table per block, shared by the codecs that turn the blocks into
// records and by the simulated station that keeps them. Offsets count from
// the start of the block.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/memory/memory_map.h"

namespace skyvane::layout {

enum class Encoding : std::uint8_t {
  kByte,           // one unsigned byte, or a byte of flags
  kU16,            // unsigned, low byte first
  kSignMagnitude,  // 16 bits, bit 15 the sign
  kRainLow,        // 20 bits: a kU16 and the low nibble of the max/min block's rain-nibble byte
  kRainHigh,       // 20 bits: a kU16 and that byte's high nibble
  kHex,            // bytes carried back unchanged (or BCD shown by its digits)
  kTimestamp,      // year in century, month, day, hour, minute: BCD
};

struct Field {
  int offset;
  int width;
  Encoding encoding;
};

// The number a field holds, read from its block; 0 for kHex and kTimestamp
// fields, which hold no number.
long long ReadNumber(std::span<const std::uint8_t> block, Field field);

// Writes the bits of n that the field holds: the low 8, 16 or 20 bits, or the
// sign and the low 15 bits of the magnitude; kHex and kTimestamp fields are
// left alone.
void WriteNumber(std::span<std::uint8_t> block, Field field, long long n);

// True when the fields follow one another without gap or overlap from the
// block's first byte to its last.
constexpr bool Tiles(std::span<const Field> fields, int blockSize) {
  int end = 0;
  for (const Field& f : fields) {
    if (f.width < 1 || f.offset != end) return false;
    end = f.offset + f.width;
  }
  return end == blockSize;
}

// The header block: the station's settings and where its history is.
namespace header {
constexpr Field kMarker55{0x00, 1, Encoding::kByte};  // 0x55 in a station in service
constexpr Field kMarkerAA{0x01, 1, Encoding::kByte};  // 0xAA in a station in service
constexpr Field kReserved02{0x02, 14, Encoding::kHex};
constexpr Field kInterval{0x10, 1, Encoding::kByte};  // minutes between history records
constexpr Field kUnits{0x11, 1, Encoding::kByte};     // temperature, rain, pressure units
constexpr Field kWindUnit{0x12, 1, Encoding::kByte};
constexpr Field kDisplay{0x13, 1, Encoding::kByte};
constexpr Field kDisplayChoices{0x14, 1, Encoding::kByte};
constexpr Field kAlarmEnables1{0x15, 1, Encoding::kByte};
constexpr Field kAlarmEnables2{0x16, 1, Encoding::kByte};
constexpr Field kAlarmEnables3{0x17, 1, Encoding::kByte};
constexpr Field kTimeZone{0x18, 1, Encoding::kByte};  // bit 7 west, then two BCD-like digits
constexpr Field kReserved19{0x19, 1, Encoding::kHex};
constexpr Field kSettingsChanged{0x1A, 1, Encoding::kByte};
constexpr Field kRecordCount{0x1B, 2, Encoding::kU16};
constexpr Field kReserved1D{0x1D, 1, Encoding::kHex};
constexpr Field kCurrentAddress{0x1E, 2, Encoding::kU16};  // the slot being filled

constexpr Field kAll[] = {kMarker55,       kMarkerAA,      kReserved02,    kInterval,
                          kUnits,          kWindUnit,      kDisplay,       kDisplayChoices,
                          kAlarmEnables1,  kAlarmEnables2, kAlarmEnables3, kTimeZone,
                          kReserved19,     kSettingsChanged, kRecordCount, kReserved1D,
                          kCurrentAddress};
static_assert(Tiles(kAll, memmap::kHeaderSize));
static_assert(memmap::kHeaderAddress + kSettingsChanged.offset == memmap::kSettingsChangedAddress);
}  // namespace header

// The alarm block: the current pressures and the thresholds, in the units
// the station is set to.
namespace alarm {
constexpr Field kRelPressureNow{0, 2, Encoding::kU16};
constexpr Field kAbsPressureNow{2, 2, Encoding::kU16};
constexpr Field kReserved04{4, 12, Encoding::kHex};
constexpr Field kIndoorHumidityHigh{16, 1, Encoding::kByte};
constexpr Field kIndoorHumidityLow{17, 1, Encoding::kByte};
constexpr Field kIndoorTempHigh{18, 2, Encoding::kSignMagnitude};
constexpr Field kIndoorTempLow{20, 2, Encoding::kSignMagnitude};
constexpr Field kOutdoorHumidityHigh{22, 1, Encoding::kByte};
constexpr Field kOutdoorHumidityLow{23, 1, Encoding::kByte};
constexpr Field kOutdoorTempHigh{24, 2, Encoding::kSignMagnitude};
constexpr Field kOutdoorTempLow{26, 2, Encoding::kSignMagnitude};
constexpr Field kWindChillHigh{28, 2, Encoding::kSignMagnitude};
constexpr Field kWindChillLow{30, 2, Encoding::kSignMagnitude};
constexpr Field kDewPointHigh{32, 2, Encoding::kSignMagnitude};
constexpr Field kDewPointLow{34, 2, Encoding::kSignMagnitude};
constexpr Field kAbsPressureHigh{36, 2, Encoding::kU16};
constexpr Field kAbsPressureLow{38, 2, Encoding::kU16};
constexpr Field kRelPressureHigh{40, 2, Encoding::kU16};
constexpr Field kRelPressureLow{42, 2, Encoding::kU16};
constexpr Field kWindLevelHigh{44, 1, Encoding::kByte};  // Beaufort 0..12
constexpr Field kWindSpeedHigh{45, 2, Encoding::kU16};
constexpr Field kGustLevelHigh{47, 1, Encoding::kByte};  // Beaufort 0..12
constexpr Field kGustSpeedHigh{48, 2, Encoding::kU16};
constexpr Field kWindDirection{50, 1, Encoding::kByte};  // compass point 0..15
constexpr Field kRainHourHigh{51, 2, Encoding::kU16};
constexpr Field kRain24hHigh{53, 2, Encoding::kU16};
constexpr Field kTimeHour{55, 1, Encoding::kHex};  // BCD: its digits read as the hour
constexpr Field kTimeMinute{56, 1, Encoding::kHex};
constexpr Field kReserved59{57, 7, Encoding::kHex};

constexpr Field kAll[] = {
    kRelPressureNow,  kAbsPressureNow,     kReserved04,        kIndoorHumidityHigh,
    kIndoorHumidityLow, kIndoorTempHigh,   kIndoorTempLow,     kOutdoorHumidityHigh,
    kOutdoorHumidityLow, kOutdoorTempHigh, kOutdoorTempLow,    kWindChillHigh,
    kWindChillLow,    kDewPointHigh,       kDewPointLow,       kAbsPressureHigh,
    kAbsPressureLow,  kRelPressureHigh,    kRelPressureLow,    kWindLevelHigh,
    kWindSpeedHigh,   kGustLevelHigh,      kGustSpeedHigh,     kWindDirection,
    kRainHourHigh,    kRain24hHigh,        kTimeHour,          kTimeMinute,
    kReserved59};
static_assert(Tiles(kAll, memmap::kAlarmSize));
}  // namespace alarm

// The max/min block: 23 extremes in base units, then the time of each, in
// the same order.
namespace maxmin {
constexpr Field kReserved00{0, 2, Encoding::kHex};
constexpr Field kIndoorHumidityMax{2, 1, Encoding::kByte};
constexpr Field kIndoorHumidityMin{3, 1, Encoding::kByte};
constexpr Field kOutdoorHumidityMax{4, 1, Encoding::kByte};
constexpr Field kOutdoorHumidityMin{5, 1, Encoding::kByte};
constexpr Field kIndoorTempMax{6, 2, Encoding::kSignMagnitude};
constexpr Field kIndoorTempMin{8, 2, Encoding::kSignMagnitude};
constexpr Field kOutdoorTempMax{10, 2, Encoding::kSignMagnitude};
constexpr Field kOutdoorTempMin{12, 2, Encoding::kSignMagnitude};
constexpr Field kWindChillMax{14, 2, Encoding::kSignMagnitude};
constexpr Field kWindChillMin{16, 2, Encoding::kSignMagnitude};
constexpr Field kDewPointMax{18, 2, Encoding::kSignMagnitude};
constexpr Field kDewPointMin{20, 2, Encoding::kSignMagnitude};
constexpr Field kAbsPressureMax{22, 2, Encoding::kU16};
constexpr Field kAbsPressureMin{24, 2, Encoding::kU16};
constexpr Field kRelPressureMax{26, 2, Encoding::kU16};
constexpr Field kRelPressureMin{28, 2, Encoding::kU16};
constexpr Field kWindSpeedMax{30, 2, Encoding::kU16};
constexpr Field kGustSpeedMax{32, 2, Encoding::kU16};
constexpr Field kRainHourMax{34, 2, Encoding::kU16};
constexpr Field kRain24hMax{36, 2, Encoding::kU16};
constexpr Field kRainWeekMax{38, 2, Encoding::kU16};
constexpr Field kRainMonthMax{40, 2, Encoding::kRainLow};
constexpr Field kRainTotalMax{42, 2, Encoding::kRainHigh};
constexpr Field kRainNibbles{44, 1, Encoding::kByte};  // bits 16-19: month low, total high

// The extremes in block order, which is also the order of their times.
constexpr Field kValues[] = {
    kIndoorHumidityMax, kIndoorHumidityMin, kOutdoorHumidityMax, kOutdoorHumidityMin,
    kIndoorTempMax,     kIndoorTempMin,     kOutdoorTempMax,     kOutdoorTempMin,
    kWindChillMax,      kWindChillMin,      kDewPointMax,        kDewPointMin,
    kAbsPressureMax,    kAbsPressureMin,    kRelPressureMax,     kRelPressureMin,
    kWindSpeedMax,      kGustSpeedMax,      kRainHourMax,        kRain24hMax,
    kRainWeekMax,       kRainMonthMax,      kRainTotalMax};
constexpr std::size_t kExtremeCount = std::size(kValues);

constexpr int kTimeSize = 5;
constexpr int kFirstTimeOffset = kRainNibbles.offset + kRainNibbles.width;
// The time at which extreme k (an index into kValues) was reached.
constexpr Field TimeOf(std::size_t k) {
  return {kFirstTimeOffset + kTimeSize * static_cast<int>(k), kTimeSize, Encoding::kTimestamp};
}

constexpr bool TilesBlock() {
  Field all[2 + 2 * kExtremeCount]{};
  std::size_t n = 0;
  all[n++] = kReserved00;
  for (const Field& f : kValues) all[n++] = f;
  all[n++] = kRainNibbles;
  for (std::size_t k = 0; k < kExtremeCount; ++k) all[n++] = TimeOf(k);
  return Tiles(all, memmap::kMaxMinSize);
}
static_assert(TilesBlock());
}  // namespace maxmin

}  // namespace skyvane::layout
