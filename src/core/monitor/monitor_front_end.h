#pragma once
// MonitorFrontEnd: everything the polling cycle hands to whoever shows it (the
// desktop view, the headless logger, a test). Every call is made on the monitor
// thread with copies of the records; an implementation stores or forwards
// them and returns.
#include <ctime>
#include <string>

#include "core/monitor/alarm_evaluation.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"
#include "core/station/maxmin_record.h"

namespace skyvane {

// What one cycle learnt about the station, for those who tell others whether
// it is there.
enum class StationSeen {
  kRead,     // the blocks and the current reading were read
  kNotRead,  // not connected, or a read failed: what was shown before is stale
  kUntried,  // the link was busy or a connection is being set up: nothing new
};

class MonitorFrontEnd {
 public:
  virtual ~MonitorFrontEnd() = default;

  // The current reading in display units, with the header and alarm block of
  // the same cycle (the header names the units).
  virtual void ShowLiveValues(const HistoryRow& row, const HeaderRecord& header,
                              const AlarmRecord& alarms) = 0;
  // All 23 lamps, set from scratch on every successful cycle.
  virtual void ShowLampStates(const LampStates& lamps) = 0;
  // The station's extremes in display units, already repaired with the reading.
  virtual void ShowMaxMin(const MaxMinRecord& maxmin, const HeaderRecord& header) = 0;
  // A progress or summary line. May block until the text is shown (a hand-over
  // to the user-interface thread), but must return at once after
  // ReleaseBlockedCalls, and any later call must then not block at all.
  virtual void SetStatusText(const std::string& text) = 0;
  // Something the user must know: records that could not be saved, records
  // the station lost. The summary line that follows repeats it.
  virtual void ShowProblem(const std::string& text) { (void)text; }
  // For publishers, after ShowLiveValues: the same reading as the data file
  // would keep it (base units), the lamps of the cycle and when it was read.
  virtual void ShowStoredReading(const HistoryRow& stored, const LampStates& lamps,
                                 std::time_t readTime) {
    (void)stored, (void)lamps, (void)readTime;
  }
  // The records the cycle appended to the data file, oldest first, as written.
  virtual void RecordsSaved(const HistoryRowArray& rows) { (void)rows; }
  // The end of every cycle, polled or not, with what it found of the station.
  virtual void CycleEnded(StationSeen seen) { (void)seen; }
  // The main window's title, set once when the monitor starts.
  virtual void SetTitle(const std::string& title) = 0;

  // Called by the stop sequence (on the thread that stops the monitor, before
  // it waits for the monitor thread) so that a blocked SetStatusText returns
  // and the waiting thread can never deadlock. Front ends that never block
  // need not do anything.
  virtual void ReleaseBlockedCalls() {}
};

}  // namespace skyvane
