#pragma once
// A weather record as the base unit writes it into its history ring.
#include <array>
#include <cstdint>

#include "core/memory/memory_map.h"
#include "core/transfer/sim/weather_model.h"

namespace skyvane::sim {

using RecordBytes = std::array<std::uint8_t, memmap::kRecordSize>;

// Status bit the base unit sets while it does not hear the outdoor sensor.
constexpr std::uint8_t kStatusOutdoorLost = 0x40;

// interval: minutes since the record before (1..240). A lost outdoor sensor
// gives the missing-reading markers (0xFF humidity, 0xFFFF temperature,
// 0xFFF wind and gust, a direction with its high nibble set) and the status bit.
RecordBytes EncodeStationRecord(const WeatherReading& reading, int interval,
                                std::uint16_t rainCounter);

}  // namespace skyvane::sim
