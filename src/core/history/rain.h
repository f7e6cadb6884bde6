#pragma once
// Rain amounts: the station only counts rain (a 16-bit counter of 0.3 mm
// ticks); the increment since the previous record, the sums over the last
// hour, 24 hours, week and 30 days, and the running total are computed here
// from the rows stored before a record. All in mm, written "%.1f".
#include <ctime>
#include <functional>
#include <string>

#include "core/station/history_row.h"

namespace skyvane {

class HistoryFile;

// Fills the rain fields of target from older, the rows stored before it, oldest
// first. A target without a rain value gets "---" in all seven rain fields and
// the result false. An empty recordTime stands for now.
bool ComputeRain(HistoryRow& target, const HistoryRowArray& older, std::time_t now);

// Receives each progress text.
using RainStatus = std::function<void(const std::string&)>;

// The downloaded rows (newest first), oldest first against the data file and
// the new rows before them, showing the progress text "<entry> <count> : <n>% ..."
// for each. Only the newest 30 days of the file are read. False, with the rows
// unchanged, when the file stayed busy: the rows must not be stored then, or
// their totals would start again from 0 (the next cycle downloads them again).
bool ComputeRainForNew(HistoryFile& file, HistoryRowArray& rows, const std::string& entry,
                       const RainStatus& status);

// The current record against the data file. False when the file stayed busy;
// the increment, the windows and the total are then "---" (not known this time),
// as they are when the file holds no row with rain to count from.
bool ComputeRainForCurrent(HistoryFile& file, HistoryRow& row);

// Sets the increment, the windows and the total to "---": not known.
void MarkRainUnknown(HistoryRow& row);

}  // namespace skyvane
