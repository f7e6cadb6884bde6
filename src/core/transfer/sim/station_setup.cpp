#include "core/transfer/sim/station_setup.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/memory/byte_codec.h"

namespace skyvane::sim {

namespace {

enum PressureUnit { kHpa, kInHg, kMmHg };

PressureUnit UnitOf(std::uint8_t flags) {
  if (flags & 0x20) return kHpa;
  if (flags & 0x40) return kInHg;
  if (flags & 0x80) return kMmHg;
  return kHpa;  // no unit chosen: the base unit shows hPa
}

}  // namespace

void SetUpInService(MemorySpan memory, int timeZoneHours) {
  std::fill(memory.begin(), memory.end(), std::uint8_t{0});
  std::uint8_t* h = memory.data();
  h[hb::kMarker55.offset] = 0x55;
  h[hb::kMarkerAA.offset] = 0xAA;
  h[hb::kInterval.offset] = kDefaultInterval;
  h[hb::kUnits.offset] = 0x20;            // °C indoors and out, mm, hPa
  h[hb::kWindUnit.offset] = 0x02;         // km/h
  h[hb::kDisplay.offset] = 0x21;          // relative pressure, full date line
  h[hb::kDisplayChoices.offset] = 0x11;   // outdoor temperature, rain of 24 hours
  h[hb::kAlarmEnables1.offset] = 0x20;    // indoor humidity high
  h[hb::kAlarmEnables2.offset] = 0x46;    // gust high, hour rain high, relative pressure low
  h[hb::kAlarmEnables3.offset] = 0x0C;    // outdoor temperature low and high
  const int zone = std::clamp(timeZoneHours, -12, 14);
  const int m = std::abs(zone);
  h[hb::kTimeZone.offset] =
      static_cast<std::uint8_t>((m / 10) * 16 + m % 10 + (zone < 0 ? 0x80 : 0));
  layout::WriteNumber(memory, hb::kRecordCount, 1);
  layout::WriteNumber(memory, hb::kCurrentAddress, memmap::kRingFirst);

  // Thresholds in the units just set: tenths of °C, tenths of hPa, tenths of km/h, tenths of mm.
  const auto a = AlarmBlock(memory);
  const auto put = [&a](layout::Field f, int v) { layout::WriteNumber(a, f, v); };
  put(al::kIndoorHumidityHigh, 65);
  put(al::kIndoorHumidityLow, 35);
  put(al::kIndoorTempHigh, 260);
  put(al::kIndoorTempLow, 160);
  put(al::kOutdoorHumidityHigh, 95);
  put(al::kOutdoorHumidityLow, 25);
  put(al::kOutdoorTempHigh, 250);
  put(al::kOutdoorTempLow, -50);
  put(al::kWindChillHigh, 250);
  put(al::kWindChillLow, -100);
  put(al::kDewPointHigh, 180);
  put(al::kDewPointLow, -50);
  put(al::kAbsPressureHigh, 10300);
  put(al::kAbsPressureLow, 9800);
  put(al::kRelPressureHigh, 10350);
  put(al::kRelPressureLow, 9950);
  put(al::kWindLevelHigh, 6);     // as a Beaufort level
  put(al::kWindSpeedHigh, 390);
  put(al::kGustLevelHigh, 7);     // as a Beaufort level
  put(al::kGustSpeedHigh, 500);
  put(al::kWindDirection, 0);     // north
  put(al::kRainHourHigh, 50);
  put(al::kRain24hHigh, 200);
  a[al::kTimeHour.offset] = 0x07;  // time alarm 07:00, BCD
  a[al::kTimeMinute.offset] = 0x00;
}

bool IsInService(ConstMemorySpan memory) {
  const std::uint16_t address = CurrentAddress(memory);
  return memory[hb::kMarker55.offset] == 0x55 && memory[hb::kMarkerAA.offset] == 0xAA &&
         memmap::IsRingSlot(address);
}

int Interval(ConstMemorySpan memory) {
  return std::clamp<int>(memory[hb::kInterval.offset], 1, kMaxInterval);
}

int RecordCount(ConstMemorySpan memory) {
  return std::min<int>(static_cast<int>(layout::ReadNumber(memory, hb::kRecordCount)),
                       memmap::kRingSlots);
}

std::uint16_t CurrentAddress(ConstMemorySpan memory) {
  return static_cast<std::uint16_t>(layout::ReadNumber(memory, hb::kCurrentAddress));
}

int PressureToStationUnit(int tenthsHpa, std::uint8_t unitFlags) {
  switch (UnitOf(unitFlags)) {
    case kInHg: return static_cast<int>(std::lround(tenthsHpa * 0.02953 * 10));
    case kMmHg: return static_cast<int>(std::lround(tenthsHpa * 0.75));
    case kHpa: break;
  }
  return tenthsHpa;
}

int PressureFromStationUnit(int raw, std::uint8_t unitFlags) {
  switch (UnitOf(unitFlags)) {
    case kInHg: return static_cast<int>(std::lround(raw * 33.864 / 10));
    case kMmHg: return static_cast<int>(std::lround(raw * 1.3332));
    case kHpa: break;
  }
  return raw;
}

void WriteCurrentPressures(MemorySpan memory, int absoluteTenthsHpa, int relativeTenthsHpa) {
  const std::uint8_t units = memory[hb::kUnits.offset];
  const auto a = AlarmBlock(memory);
  layout::WriteNumber(a, al::kRelPressureNow, PressureToStationUnit(relativeTenthsHpa, units));
  layout::WriteNumber(a, al::kAbsPressureNow, PressureToStationUnit(absoluteTenthsHpa, units));
}

}  // namespace skyvane::sim
