#pragma once
// MonitorCycle: one polling cycle of the monitor — read the station's fixed
// blocks and current record, hand the reading, lamps and extremes to the
// front end, download and store the new history records, write the summary.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "core/app/text_entry.h"
#include "core/history/history_download.h"
#include "core/monitor/monitor_front_end.h"

namespace skyvane {

class StationDevice;
class HistoryFile;
class TextTable;
class Clock;
struct AppSettings;

// The process-wide objects a cycle works with.
struct MonitorServices {
  StationDevice& device;
  HistoryFile& file;
  const TextTable& text;
  const AppSettings& settings;
  const Clock& clock;
};

enum class CycleOutcome {
  kPolled,        // the station was polled
  kNotConnected,  // no station: no traffic, no summary line
  kConnecting,    // a station was found a moment ago and is not released yet
  kLinkBusy,      // the link was taken before the cycle began
  kLinkTaken,     // the link was taken during the connection tests
};

struct CycleReport {
  CycleOutcome outcome = CycleOutcome::kNotConnected;
  bool headerRead = false;
  bool alarmsRead = false;
  bool maxMinRead = false;
  bool recordRead = false;
  bool downloadRan = false;  // false when the link was taken before the download
  DownloadEnd downloadEnd = DownloadEnd::kDone;
  int downloaded = 0;        // rows the download returned
  bool saved = false;        // those rows were appended to the data file
  std::vector<std::string> problems;  // what went wrong, as told to the front end
};

// Pauses after a cycle.
inline constexpr std::chrono::milliseconds kStartPause{1000};
inline constexpr std::chrono::milliseconds kNormalInterval{15000};
inline constexpr std::chrono::milliseconds kTestModeInterval{180000};
inline constexpr std::chrono::milliseconds kBusyPause{1000};
inline constexpr std::chrono::milliseconds kTakenPause{10000};
// Short, so the cycle begins soon after the connection is released, but no spin.
inline constexpr std::chrono::milliseconds kConnectingPause{250};

std::chrono::milliseconds PauseAfter(CycleOutcome outcome, bool testMode);

// Whether the cycle read the station: a failed read counts as not there, a
// cycle that left the link alone tells nothing.
StationSeen StationSeenBy(const CycleReport& report);

// The main window's title in the table's language, marked in test mode.
std::string MainWindowTitle(const TextTable& text, bool testMode);

class MonitorCycle {
 public:
  // cancelled, when given, is polled during the download; true abandons it.
  explicit MonitorCycle(MonitorServices services, std::function<bool()> cancelled = {});

  CycleReport Run(MonitorFrontEnd& frontEnd);

  // The main window's title: the program's name, marked in test mode.
  std::string Title() const;
  bool TestMode() const;

 private:
  // What the user is told when the station's whole ring is new to the file.
  std::string LappedText(const HistoryRowArray& rows) const;
  void ShowReading(MonitorFrontEnd& frontEnd, const HistoryRow& stored, const HeaderRecord& header,
                   const AlarmRecord& alarms, MaxMinRecord maxmin, bool maxMinRead);
  void StoreRows(MonitorFrontEnd& frontEnd, CycleReport& report, HistoryRowArray& rows,
                 const HeaderRecord& header, const AlarmRecord& alarms);
  std::string SummaryText(int downloaded) const;
  std::string Entry(Txt entry) const;

  MonitorServices services_;
  std::function<bool()> cancelled_;
  // The data file has caught up with the station once, so the rain sums of
  // the current reading can be counted from it.
  bool historyCaughtUp_ = false;
};

}  // namespace skyvane
