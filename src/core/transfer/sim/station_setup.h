#pragma once
// The simulated base unit's fixed blocks: how it is set up when it goes into
// service, and the current pressures it keeps in the alarm block in the
// pressure unit it is set to.
#include <cstdint>
#include <span>

#include "core/memory/block_layout.h"
#include "core/memory/memory_map.h"

namespace skyvane::sim {

using MemorySpan = std::span<std::uint8_t, memmap::kMemorySize>;
using ConstMemorySpan = std::span<const std::uint8_t, memmap::kMemorySize>;

// The header sits at address 0, so its offsets index the whole memory.
namespace hb = layout::header;
static_assert(memmap::kHeaderAddress == 0, "header offsets are station addresses");
namespace al = layout::alarm;

// The alarm block within the memory.
inline std::span<std::uint8_t, memmap::kAlarmSize> AlarmBlock(MemorySpan memory) {
  return memory.subspan<memmap::kAlarmAddress, memmap::kAlarmSize>();
}

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

// Pressure between tenths of hPa and the raw value of the alarm block in the
// unit named by the header's unit flags (tenths of hPa or mmHg, hundredths of
// inHg), with the program's own conversion factors.
int PressureToStationUnit(int tenthsHpa, std::uint8_t unitFlags);
int PressureFromStationUnit(int raw, std::uint8_t unitFlags);

// Writes the current relative and absolute pressure into the alarm block.
void WriteCurrentPressures(MemorySpan memory, int absoluteTenthsHpa, int relativeTenthsHpa);

}  // namespace skyvane::sim
