#pragma once
// Replaces implausible extremes of a max/min record (already in display units)
// by the current reading (stored form converted to display units) before they
// are shown. Changes only this record; the station's block keeps its values.
#include "core/station/header_record.h"
#include "core/station/history_row.h"
#include "core/station/maxmin_record.h"

namespace skyvane {

// Always true. A replaced value takes the row's text, its time field the row's
// recordTime.
bool RepairMaxMin(MaxMinRecord& maxmin, const HeaderRecord& header, const HistoryRow& current);

}  // namespace skyvane
