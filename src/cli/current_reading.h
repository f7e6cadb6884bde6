#pragma once
// The current reading for a command, read while the caller holds the station:
// the header and alarm block, then the record behind them. A failure is
// reported on ctx.err in one line, in the user's language.
#include "cli/cli.h"
#include "core/history/current_reading.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"

namespace skyvane {

class HistoryFile;

// The raw current record (no derived fields, no rain).
bool ReadCurrentBlocks(CliContext& ctx, HeaderRecord& header, AlarmRecord& alarms, HistoryRow& row);

// Opens the station for the user and reads the reading as the monitor shows
// it, with the rain of the stored history in file.
bool ReadStationReading(CliContext& ctx, HistoryFile& file, ReadingUnits units, HeaderRecord& header,
                        AlarmRecord& alarms, HistoryRow& reading);

}  // namespace skyvane
