#pragma once
// The simulated base unit's fixed blocks: how it is set up when it goes into
// service, and the current pressures it keeps in the alarm block in the
// pressure unit it is set to.
#include <cstdint>
#include <span>

#include "core/memory/memory_map.h"

namespace skyvane::sim {

using MemorySpan = std::span<std::uint8_t, memmap::kMemorySize>;
using ConstMemorySpan = std::span<const std::uint8_t, memmap::kMemorySize>;

// Header offsets the base unit itself looks at.
namespace hb {
constexpr int kMarker55 = 0x00;
constexpr int kMarkerAA = 0x01;
constexpr int kInterval = 0x10;
constexpr int kUnits = 0x11;
constexpr int kWindUnits = 0x12;
constexpr int kDisplay = 0x13;
constexpr int kDisplayChoices = 0x14;
constexpr int kEnables1 = 0x15;
constexpr int kEnables2 = 0x16;
constexpr int kEnables3 = 0x17;
constexpr int kTimeZone = 0x18;
constexpr int kSettingsChanged = 0x1A;
constexpr int kRecordCount = 0x1B;
constexpr int kCurrentAddress = 0x1E;
}  // namespace hb

constexpr int kDefaultInterval = 5;
constexpr int kMaxInterval = 240;

// Clears the memory and writes the blocks of a station just set up: markers,
// a 5-minute interval, metric units, display choices, alarm thresholds (some
// enabled), the time zone, one record (the running one) at the ring's start,
// and no extremes yet. timeZoneHours: whole hours east of UTC.
void SetUpInService(MemorySpan memory, int timeZoneHours);

// Markers set and a current-record address on a slot of the ring.
bool IsInService(ConstMemorySpan memory);

int Interval(ConstMemorySpan memory);            // clamped to 1..240
int RecordCount(ConstMemorySpan memory);         // at most 4080
std::uint16_t CurrentAddress(ConstMemorySpan memory);
std::uint16_t NextSlot(std::uint16_t address);   // 0xFFF0 -> 0x0100
std::uint16_t PreviousSlot(std::uint16_t address);  // 0x0100 -> 0xFFF0

// Pressure between tenths of hPa and the raw value of the alarm block in the
// unit named by the header's unit flags (tenths of hPa or mmHg, hundredths of
// inHg), with the program's own conversion factors.
int PressureToStationUnit(int tenthsHpa, std::uint8_t unitFlags);
int PressureFromStationUnit(int raw, std::uint8_t unitFlags);

// Writes the current relative and absolute pressure into the alarm block.
void WriteCurrentPressures(MemorySpan memory, int absoluteTenthsHpa, int relativeTenthsHpa);

}  // namespace skyvane::sim
