#pragma once
// Whole records into their stored form or the user's display units. Each
// operation computes every new field from a copy of the record as it stood,
// changes the record in place, never fails and writes "---" for every missing
// or invalid value.
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"
#include "core/station/maxmin_record.h"

namespace skyvane {

// A freshly decoded weather row (raw station numbers) into the stored form: base
// units with fixed decimals, plus relative pressure, dew point, wind chill, rain
// in mm, Beaufort levels and the direction name. The header names the unit of
// the alarm block's current pressures. Apply exactly once per decoded row.
bool DeriveRow(HistoryRow& row, const HeaderRecord& header, const AlarmRecord& alarms);

// A stored-form row into the units named by the header (fields 6 to 10).
bool RowToDisplayUnits(HistoryRow& row, const HeaderRecord& header);

// The alarm block's raw values (already in the header's units, in tenths, or
// hundredths for "inHg" and "inch") as display texts in those units.
bool AlarmsToDisplayUnits(AlarmRecord& alarms, const HeaderRecord& header);

// The max/min block's station values into the header's units; never-set times
// ("2000-00-00 00:00") become "---".
bool MaxMinToDisplayUnits(MaxMinRecord& maxmin, const HeaderRecord& header);

}  // namespace skyvane
