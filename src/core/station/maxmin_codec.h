#pragma once
// The 160-byte max/min block -> MaxMinRecord (the PC only reads this block).
#include <cstdint>
#include <span>

#include "core/memory/memory_map.h"
#include "core/station/maxmin_record.h"

namespace skyvane {

// Sets fields 1 to 48 from the block; field 0 is left alone.
void DecodeMaxMin(std::span<const std::uint8_t, memmap::kMaxMinSize> bytes, MaxMinRecord& maxmin);

}  // namespace skyvane
