#pragma once
// The blocks behind the current reading: header, alarm block and the weather
// record at the header's current-record address, read while the caller holds
// the station. A failed read is reported on ctx.err in the user's language.
#include "cli/cli.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"

namespace skyvane {

bool ReadCurrentBlocks(CliContext& ctx, HeaderRecord& header, AlarmRecord& alarms, HistoryRow& row);

}  // namespace skyvane
