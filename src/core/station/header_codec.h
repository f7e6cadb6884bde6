#pragma once
// The 32-byte header block <-> HeaderRecord.
#include <array>
#include <cstdint>
#include <span>

#include "core/memory/memory_map.h"
#include "core/station/header_record.h"

namespace skyvane {

using HeaderBytes = std::array<std::uint8_t, memmap::kHeaderSize>;

// Sets fields 1 to 46 from the block; field 0 is left alone.
void DecodeHeader(std::span<const std::uint8_t, memmap::kHeaderSize> bytes, HeaderRecord& header);
// Builds the block from a zeroed buffer; bits no field covers stay 0.
HeaderBytes EncodeHeader(const HeaderRecord& header);

}  // namespace skyvane
