#pragma once
// What a record queue missed: the records of the data file saved after the
// newest one it queued, by a logger killed before it could queue them.
#include <cstddef>
#include <mutex>
#include <optional>

#include "core/station/history_row.h"

namespace skyvane {

class HistoryFile;
class RecordQueue;

struct CatchUpScan {
  // True when nothing of the file was ever queued (a first run, or a data
  // file begun anew): the queue only notes where the file ends, at last.
  bool fresh = false;
  long long last = 0;       // the sequence number of the file's newest record; 0 when none
  HistoryRowArray missed;   // oldest first, at most max
};

// noted: the sequence number of the newest record the queue holds or held.
CatchUpScan ScanForCatchUp(HistoryFile& file, std::optional<long long> noted, std::size_t max);

// The records a queue guarded by mutex missed, to be queued by its owner
// (oldest first, at most max); a fresh queue only notes where the file ends.
// The file is read without holding mutex.
HistoryRowArray MissedRecords(RecordQueue& queue, std::mutex& mutex, HistoryFile& file, std::size_t max);

}  // namespace skyvane
