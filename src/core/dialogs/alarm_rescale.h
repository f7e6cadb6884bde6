#pragma once
// The alarm block holds its thresholds in the units the station is set to.
// When a unit changes, the thresholds of that quantity are converted into the
// new unit before the block is written back.
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"

namespace skyvane {

// For each unit (header fields 6 to 10) that differs between from and to,
// rewrites the raw thresholds of its quantity: raw × 0.1 (0.01 from "inHg" or
// "inch"), converted, × 10 (100 into "inHg" or "inch"), rounded to an integer.
// Indoor temperature: fields 7, 8; outdoor temperature, windchill, dewpoint:
// 11 to 16; pressure: 17 to 20; wind and gust speed: 22, 24; rain: 26, 27.
// The current pressures (2, 3), Beaufort levels, direction and time are left.
void RescaleAlarmThresholds(AlarmRecord& alarms, const HeaderRecord& from, const HeaderRecord& to);

}  // namespace skyvane
