#include "core/station/alarm_codec.h"

#include "core/memory/byte_codec.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

enum class Kind { kU8, kU16, kSignMagnitude, kHex };

struct Slot {
  int field;
  int offset;
  Kind kind;
  int width = 0;  // bytes, for hex slots
};

// Block offset of every field.
constexpr Slot kSlots[] = {
    {alm::kCurrentRelPressure, 0, Kind::kU16},
    {alm::kCurrentAbsPressure, 2, Kind::kU16},
    {alm::kReserved04, 4, Kind::kHex, 12},
    {alm::kIndoorHumidityHigh, 16, Kind::kU8},
    {alm::kIndoorHumidityLow, 17, Kind::kU8},
    {alm::kIndoorTempHigh, 18, Kind::kSignMagnitude},
    {alm::kIndoorTempLow, 20, Kind::kSignMagnitude},
    {alm::kOutdoorHumidityHigh, 22, Kind::kU8},
    {alm::kOutdoorHumidityLow, 23, Kind::kU8},
    {alm::kOutdoorTempHigh, 24, Kind::kSignMagnitude},
    {alm::kOutdoorTempLow, 26, Kind::kSignMagnitude},
    {alm::kWindChillHigh, 28, Kind::kSignMagnitude},
    {alm::kWindChillLow, 30, Kind::kSignMagnitude},
    {alm::kDewPointHigh, 32, Kind::kSignMagnitude},
    {alm::kDewPointLow, 34, Kind::kSignMagnitude},
    {alm::kAbsPressureHigh, 36, Kind::kU16},
    {alm::kAbsPressureLow, 38, Kind::kU16},
    {alm::kRelPressureHigh, 40, Kind::kU16},
    {alm::kRelPressureLow, 42, Kind::kU16},
    {alm::kWindLevelHigh, 44, Kind::kU8},
    {alm::kWindSpeedHigh, 45, Kind::kU16},
    {alm::kGustLevelHigh, 47, Kind::kU8},
    {alm::kGustSpeedHigh, 48, Kind::kU16},
    {alm::kWindDirection, 50, Kind::kU8},
    {alm::kRainHourHigh, 51, Kind::kU16},
    {alm::kRain24hHigh, 53, Kind::kU16},
    {alm::kTimeHour, 55, Kind::kHex, 1},  // BCD: the hex digits read as the decimal hour
    {alm::kTimeMinute, 56, Kind::kHex, 1},
    {alm::kReserved59, 57, Kind::kHex, 7},
};

}  // namespace

void DecodeAlarms(std::span<const std::uint8_t, memmap::kAlarmSize> b, AlarmRecord& a) {
  a[alm::kHexDump] = HexDump(b);
  for (const Slot& s : kSlots) {
    const std::uint8_t* p = &b[s.offset];
    switch (s.kind) {
      case Kind::kU8: a[s.field] = DecimalText(*p); break;
      case Kind::kU16: a[s.field] = DecimalText(ReadU16(p)); break;
      case Kind::kSignMagnitude: a[s.field] = DecimalText(ReadSignMagnitude16(p)); break;
      case Kind::kHex: a[s.field] = HexDigits(b.subspan(s.offset, s.width)); break;
    }
  }
}

AlarmBytes EncodeAlarms(const AlarmRecord& a) {
  AlarmBytes b{};
  for (const Slot& s : kSlots) {
    std::uint8_t* p = &b[s.offset];
    switch (s.kind) {
      case Kind::kU8: *p = static_cast<std::uint8_t>(ParseDecimal(a[s.field]) & 0xFF); break;
      case Kind::kU16: WriteU16(p, ParseDecimal(a[s.field])); break;
      case Kind::kSignMagnitude: WriteSignMagnitude16(p, ParseDecimal(a[s.field])); break;
      case Kind::kHex: ParseHexDigits(a[s.field], std::span(b).subspan(s.offset, s.width)); break;
    }
  }
  return b;
}

bool StationDevice::ReadAlarms(AlarmRecord& alarms) {
  AlarmBytes buffer{};
  int length = memmap::kAlarmSize;
  if (!link_.ReadBlocks(memmap::kAlarmAddress, buffer.data(), length)) return false;
  DecodeAlarms(buffer, alarms);
  return true;
}

bool StationDevice::WriteAlarms(AlarmRecord& alarms) {
  const AlarmBytes buffer = EncodeAlarms(alarms);
  int length = memmap::kAlarmSize;
  if (!link_.WriteBlocks(memmap::kAlarmAddress, buffer.data(), length)) return false;
  // Tell the station its settings changed, but only once the thresholds are in.
  return link_.WriteByte(memmap::kSettingsChangedAddress, memmap::kSettingsChangedMark);
}

}  // namespace skyvane
