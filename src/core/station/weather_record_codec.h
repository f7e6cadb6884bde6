#pragma once
// The 16-byte weather record of the history ring -> HistoryRow.
#include <cstdint>
#include <span>

#include "core/memory/memory_map.h"
#include "core/station/history_row.h"

namespace skyvane {

// Fills the raw-bytes field, fields 6 to 15, 17 and the eight flags with the raw
// integers of the record. Returns false when a humidity or temperature is out of
// range; such a field keeps its previous text. Missing readings give empty texts
// (wind direction "-1") and are not implausible.
bool DecodeWeatherRecord(std::span<const std::uint8_t, memmap::kRecordSize> r, HistoryRow& row);

}  // namespace skyvane
