#pragma once
// DownloadHistory: walks the station's history ring backwards from the newest
// complete record and returns the records newer than the data file's last line.
#include <ctime>
#include <functional>
#include <string>

#include "core/station/history_row.h"

namespace skyvane {

class StationDevice;
class HistoryFile;
class TextTable;

// Consecutive failed reads of one block after which the station is taken to
// have stopped answering.
inline constexpr int kDownloadReadAttempts = 3;

struct DownloadContext {
  StationDevice& device;   // the caller holds its device-busy flag
  HistoryFile& file;       // gives the last stored record
  const TextTable& text;   // progress texts
  bool testMode = false;   // test switch: every cycle downloads everything again
  std::time_t now = 0;     // the time of the download
  // Receives each progress text; may be empty.
  std::function<void(const std::string&)> status;
  // Polled between blocks; true abandons the download (nothing is returned).
  std::function<bool()> cancelled;
};

// How a download ended.
enum class DownloadEnd {
  kDone,             // the last stored record was met or every wanted record was read
  kNoHistory,        // fewer than two records, or a current-record address off the ring
  kHeaderUnreadable,
  kBlockUnreadable,  // nothing is returned; the same range is read again next time
  kCancelled,
  kFileBusy,         // the data file stayed busy: nothing is returned this time
  // The station wrote its whole ring over since the last stored record: rows
  // hold every record it has, timed back from now, and the records between the
  // stored one and the oldest row are lost.
  kLapped,
};

// Fills rows (emptied first) with the new records, newest first, and returns
// their number. 0 when the header cannot be read, the station holds no
// history, the current-record address is not a ring slot above the first one,
// or a block of the walk could not be read (the next call tries the same range
// again, since the data file has not moved on).
int DownloadHistory(HistoryRowArray& rows, const DownloadContext& context,
                    DownloadEnd* end = nullptr);

// True when row is the record that the data file holds as its last line. In
// test mode never, so the test history is downloaded again on every cycle.
bool IsLastStored(const HistoryRow& last, const HistoryRow& row, bool testMode);

}  // namespace skyvane
