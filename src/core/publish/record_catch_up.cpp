#include "core/publish/record_catch_up.h"

#include <algorithm>

#include "core/app/number_text.h"
#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/publish/record_queue.h"

namespace skyvane {

CatchUpScan ScanForCatchUp(HistoryFile& file, std::optional<long long> noted, std::size_t max) {
  CatchUpScan scan;
  std::optional<long long> last;
  file.ScanBackward([&](std::string_view line) {
    HistoryRow row;
    long long sequence = 0;
    if (HistoryFile::ParseLine(row, line) <= 0 ||
        !ReadNumberText(TrimLine(row[row::sequenceNo]), sequence)) {
      return true;
    }
    if (!last) last = sequence;
    if (!noted || sequence <= *noted || scan.missed.size() >= max) return false;
    scan.missed.push_back(std::move(row));
    return true;
  });
  scan.last = last.value_or(0);
  scan.fresh = !noted || scan.last < *noted;
  if (scan.fresh) scan.missed.clear();
  std::reverse(scan.missed.begin(), scan.missed.end());
  return scan;
}

HistoryRowArray MissedRecords(RecordQueue& queue, std::mutex& mutex, HistoryFile& file, std::size_t max) {
  std::optional<long long> noted;
  {
    std::lock_guard lock(mutex);
    noted = queue.LastSequence();
  }
  CatchUpScan scan = ScanForCatchUp(file, noted, max);
  if (scan.fresh) {
    std::lock_guard lock(mutex);
    queue.NoteSequence(scan.last);
  }
  return std::move(scan.missed);
}

}  // namespace skyvane
