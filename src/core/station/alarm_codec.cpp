#include "core/station/alarm_codec.h"

#include <iterator>

#include "core/memory/block_layout.h"
#include "core/memory/byte_codec.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

namespace al = layout::alarm;

struct Slot {
  int field;
  layout::Field at;
};

// Where every field lies in the block.
constexpr Slot kSlots[] = {
    {alm::kCurrentRelPressure, al::kRelPressureNow},
    {alm::kCurrentAbsPressure, al::kAbsPressureNow},
    {alm::kReserved04, al::kReserved04},
    {alm::kIndoorHumidityHigh, al::kIndoorHumidityHigh},
    {alm::kIndoorHumidityLow, al::kIndoorHumidityLow},
    {alm::kIndoorTempHigh, al::kIndoorTempHigh},
    {alm::kIndoorTempLow, al::kIndoorTempLow},
    {alm::kOutdoorHumidityHigh, al::kOutdoorHumidityHigh},
    {alm::kOutdoorHumidityLow, al::kOutdoorHumidityLow},
    {alm::kOutdoorTempHigh, al::kOutdoorTempHigh},
    {alm::kOutdoorTempLow, al::kOutdoorTempLow},
    {alm::kWindChillHigh, al::kWindChillHigh},
    {alm::kWindChillLow, al::kWindChillLow},
    {alm::kDewPointHigh, al::kDewPointHigh},
    {alm::kDewPointLow, al::kDewPointLow},
    {alm::kAbsPressureHigh, al::kAbsPressureHigh},
    {alm::kAbsPressureLow, al::kAbsPressureLow},
    {alm::kRelPressureHigh, al::kRelPressureHigh},
    {alm::kRelPressureLow, al::kRelPressureLow},
    {alm::kWindLevelHigh, al::kWindLevelHigh},
    {alm::kWindSpeedHigh, al::kWindSpeedHigh},
    {alm::kGustLevelHigh, al::kGustLevelHigh},
    {alm::kGustSpeedHigh, al::kGustSpeedHigh},
    {alm::kWindDirection, al::kWindDirection},
    {alm::kRainHourHigh, al::kRainHourHigh},
    {alm::kRain24hHigh, al::kRain24hHigh},
    {alm::kTimeHour, al::kTimeHour},
    {alm::kTimeMinute, al::kTimeMinute},
    {alm::kReserved59, al::kReserved59},
};
// Every field of the block, in block order: no byte is left out of the record.
constexpr bool CoversBlock() {
  if (std::size(kSlots) != std::size(al::kAll)) return false;
  for (std::size_t i = 0; i < std::size(kSlots); ++i) {
    if (kSlots[i].at.offset != al::kAll[i].offset) return false;
  }
  return true;
}
static_assert(CoversBlock());

}  // namespace

void DecodeAlarms(std::span<const std::uint8_t, memmap::kAlarmSize> b, AlarmRecord& a) {
  a[alm::kHexDump] = HexDump(b);
  for (const Slot& s : kSlots) {
    a[s.field] = s.at.encoding == layout::Encoding::kHex
                     ? HexDigits(b.subspan(s.at.offset, s.at.width))
                     : DecimalText(layout::ReadNumber(b, s.at));
  }
}

AlarmBytes EncodeAlarms(const AlarmRecord& a) {
  AlarmBytes b{};
  for (const Slot& s : kSlots) {
    if (s.at.encoding == layout::Encoding::kHex) {
      ParseHexDigits(a[s.field], std::span(b).subspan(s.at.offset, s.at.width));
    } else {
      layout::WriteNumber(b, s.at, ParseDecimal(a[s.field]));
    }
  }
  return b;
}

bool StationDevice::ReadAlarms(AlarmRecord& alarms) {
  return ReadDecoded(memmap::kAlarmAddress, alarms, DecodeAlarms);
}

bool StationDevice::WriteAlarms(AlarmRecord& alarms) {
  const AlarmBytes buffer = EncodeAlarms(alarms);
  int length = memmap::kAlarmSize;
  if (!link_.WriteBlocks(memmap::kAlarmAddress, buffer.data(), length)) return false;
  // Tell the station its settings changed, but only once the thresholds are in.
  return link_.WriteByte(memmap::kSettingsChangedAddress, memmap::kSettingsChangedMark);
}

}  // namespace skyvane
