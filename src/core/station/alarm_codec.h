#pragma once
// The 64-byte alarm block <-> AlarmRecord.
#include <array>
#include <cstdint>
#include <span>

#include "core/memory/memory_map.h"
#include "core/station/alarm_record.h"

namespace skyvane {

using AlarmBytes = std::array<std::uint8_t, memmap::kAlarmSize>;

// Sets fields 1 to 30 from the block; field 0 is left alone.
void DecodeAlarms(std::span<const std::uint8_t, memmap::kAlarmSize> bytes, AlarmRecord& alarms);
// Builds the block from a zeroed buffer; text that is no number (such as "---") gives 0.
AlarmBytes EncodeAlarms(const AlarmRecord& alarms);

}  // namespace skyvane
