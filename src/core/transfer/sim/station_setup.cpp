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

// Alarm block offsets, relative to the block.
constexpr int kRelativeNow = 0;
constexpr int kAbsoluteNow = 2;

void Put16(std::uint8_t* block, int offset, int v) { WriteU16(block + offset, v); }
void PutSigned(std::uint8_t* block, int offset, int v) { WriteSignMagnitude16(block + offset, v); }

}  // namespace

void SetUpInService(MemorySpan memory, int timeZoneHours) {
  std::fill(memory.begin(), memory.end(), std::uint8_t{0});
  std::uint8_t* h = memory.data();
  h[hb::kMarker55] = 0x55;
  h[hb::kMarkerAA] = 0xAA;
  h[hb::kInterval] = kDefaultInterval;
  h[hb::kUnits] = 0x20;        // °C indoors and out, mm, hPa
  h[hb::kWindUnits] = 0x02;    // km/h
  h[hb::kDisplay] = 0x21;      // relative pressure, full date line
  h[hb::kDisplayChoices] = 0x11;  // outdoor temperature, rain of 24 hours
  h[hb::kEnables1] = 0x20;     // indoor humidity high
  h[hb::kEnables2] = 0x46;     // gust high, hour rain high, relative pressure low
  h[hb::kEnables3] = 0x0C;     // outdoor temperature low and high
  const int zone = std::clamp(timeZoneHours, -12, 14);
  const int m = std::abs(zone);
  h[hb::kTimeZone] = static_cast<std::uint8_t>((m / 10) * 16 + m % 10 + (zone < 0 ? 0x80 : 0));
  WriteU16(h + hb::kRecordCount, 1);
  WriteU16(h + hb::kCurrentAddress, memmap::kRingFirst);

  // Thresholds in the units just set: tenths of °C, tenths of hPa, tenths of km/h, tenths of mm.
  std::uint8_t* a = memory.data() + memmap::kAlarmAddress;
  a[16] = 65;          // indoor humidity high
  a[17] = 35;          // indoor humidity low
  PutSigned(a, 18, 260);   // indoor temperature high
  PutSigned(a, 20, 160);   // indoor temperature low
  a[22] = 95;          // outdoor humidity high
  a[23] = 25;          // outdoor humidity low
  PutSigned(a, 24, 250);   // outdoor temperature high
  PutSigned(a, 26, -50);   // outdoor temperature low
  PutSigned(a, 28, 250);   // windchill high
  PutSigned(a, 30, -100);  // windchill low
  PutSigned(a, 32, 180);   // dewpoint high
  PutSigned(a, 34, -50);   // dewpoint low
  Put16(a, 36, 10300);     // absolute pressure high
  Put16(a, 38, 9800);      // absolute pressure low
  Put16(a, 40, 10350);     // relative pressure high
  Put16(a, 42, 9950);      // relative pressure low
  a[44] = 6;               // wind as Beaufort level
  Put16(a, 45, 390);       // wind speed high
  a[47] = 7;               // gust as Beaufort level
  Put16(a, 48, 500);       // gust speed high
  a[50] = 0;               // wind direction north
  Put16(a, 51, 50);        // hour rainfall high
  Put16(a, 53, 200);       // 24-hour rainfall high
  a[55] = 0x07;            // time alarm 07:00
  a[56] = 0x00;
}

bool IsInService(ConstMemorySpan memory) {
  const std::uint16_t address = CurrentAddress(memory);
  return memory[hb::kMarker55] == 0x55 && memory[hb::kMarkerAA] == 0xAA &&
         address >= memmap::kRingFirst && address <= memmap::kRingLast && address % 16 == 0;
}

int Interval(ConstMemorySpan memory) {
  return std::clamp<int>(memory[hb::kInterval], 1, kMaxInterval);
}

int RecordCount(ConstMemorySpan memory) {
  return std::min<int>(static_cast<int>(ReadU16(&memory[hb::kRecordCount])), memmap::kRingSlots);
}

std::uint16_t CurrentAddress(ConstMemorySpan memory) {
  return static_cast<std::uint16_t>(ReadU16(&memory[hb::kCurrentAddress]));
}

std::uint16_t NextSlot(std::uint16_t address) {
  return address >= memmap::kRingLast ? memmap::kRingFirst
                                      : static_cast<std::uint16_t>(address + memmap::kRecordSize);
}

std::uint16_t PreviousSlot(std::uint16_t address) {
  return address <= memmap::kRingFirst ? memmap::kRingLast
                                       : static_cast<std::uint16_t>(address - memmap::kRecordSize);
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
  const std::uint8_t units = memory[hb::kUnits];
  std::uint8_t* a = memory.data() + memmap::kAlarmAddress;
  Put16(a, kRelativeNow, PressureToStationUnit(relativeTenthsHpa, units));
  Put16(a, kAbsoluteNow, PressureToStationUnit(absoluteTenthsHpa, units));
}

}  // namespace skyvane::sim
