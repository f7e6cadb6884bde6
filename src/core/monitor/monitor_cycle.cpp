#include "core/monitor/monitor_cycle.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "core/app/app_settings.h"
#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/current_reading.h"
#include "core/history/history_download.h"
#include "core/history/history_file.h"
#include "core/history/rain.h"
#include "core/monitor/alarm_evaluation.h"
#include "core/station/device_busy.h"
#include "core/station/station_device.h"
#include "core/units/record_display.h"
#include "core/units/repair_maxmin.h"
#include "core/units/timestamps.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

std::string Format(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

}  // namespace

std::chrono::milliseconds PauseAfter(CycleOutcome outcome, bool testMode) {
  switch (outcome) {
    case CycleOutcome::kLinkBusy: return kBusyPause;
    case CycleOutcome::kLinkTaken: return kTakenPause;
    case CycleOutcome::kConnecting: return kConnectingPause;
    case CycleOutcome::kPolled:
    case CycleOutcome::kNotConnected: break;
  }
  return testMode ? kTestModeInterval : kNormalInterval;
}

StationSeen StationSeenBy(const CycleReport& report) {
  switch (report.outcome) {
    case CycleOutcome::kPolled:
      return report.headerRead && report.alarmsRead && report.recordRead ? StationSeen::kRead
                                                                         : StationSeen::kNotRead;
    case CycleOutcome::kNotConnected: return StationSeen::kNotRead;
    case CycleOutcome::kConnecting:
    case CycleOutcome::kLinkBusy:
    case CycleOutcome::kLinkTaken: break;
  }
  return StationSeen::kUntried;
}

MonitorCycle::MonitorCycle(MonitorServices services, std::function<bool()> cancelled)
    : services_(services), cancelled_(std::move(cancelled)) {}

std::string MonitorCycle::Entry(Txt entry) const { return std::string(services_.text.Text(entry)); }

// The link's own mode, not the test switch: a station named on the command
// line runs normally whatever the configuration says.
bool MonitorCycle::TestMode() const { return services_.device.Link().IsTestMode(); }

std::string MainWindowTitle(const TextTable& text, bool testMode) {
  const std::string name(text.Text(Txt::MainWindowTitle));
  return Format(testMode ? "%s(---TEST MODE---)" : "%s", name.c_str());
}

std::string MonitorCycle::Title() const { return MainWindowTitle(services_.text, TestMode()); }

CycleReport MonitorCycle::Run(MonitorFrontEnd& frontEnd) {
  CycleReport report;
  StationDevice& device = services_.device;
  if (device.DeviceBusy().load()) {
    report.outcome = CycleOutcome::kLinkBusy;
    return report;
  }
  if (!device.IsConnected()) {
    report.outcome = CycleOutcome::kNotConnected;
    return report;
  }
  if (!device.IsWatchEnabled()) {
    report.outcome = CycleOutcome::kConnecting;
    return report;
  }

  HeaderRecord header;
  AlarmRecord alarms;
  MaxMinRecord maxmin;
  HistoryRow stored;  // the current reading as the data file would keep it
  if (device.DeviceBusy().load()) {
    report.outcome = CycleOutcome::kLinkTaken;
    return report;
  }
  // Shown before the link is taken, so the hand-over never holds up a user
  // command that waits for the link.
  frontEnd.SetStatusText(Format("%s %s ...", Entry(Txt::ReadDataFrom).c_str(),
                                Entry(Txt::MainWindowTitle).c_str()));
  {
    DeviceBusyClaim claim = TryClaimDevice(device.DeviceBusy());
    if (!claim.Owns()) {
      report.outcome = CycleOutcome::kLinkTaken;
      return report;
    }
    report.outcome = CycleOutcome::kPolled;
    report.headerRead = device.ReadHeader(header);
    report.alarmsRead = device.ReadAlarms(alarms);
    report.maxMinRead = device.ReadMaxMin(maxmin);
    if (report.headerRead && report.alarmsRead) {
      // The rain sums wait for the download: counted from a file that lacks
      // the station's newest records they would be wrong, and sent out.
      report.recordRead = ReadCurrentReading(device, claim, services_.file, header, alarms, stored,
                                             ReadingUnits::kStored, RainWindows::kUnknown);
    }
  }
  // Until the file has caught up with the station once, the reading is shown
  // at once with its sums unknown, and again when they are known.
  if (report.recordRead && !historyCaughtUp_) ShowReading(frontEnd, stored, header, alarms, maxmin, report.maxMinRead);

  HistoryRowArray rows;
  {
    // A user command may have taken the link while the panels were updated;
    // the records then wait for the next cycle.
    DeviceBusyClaim claim = TryClaimDevice(device.DeviceBusy());
    if (claim.Owns()) {
      report.downloadRan = true;
      DownloadContext download{device, services_.file, services_.text, TestMode(),
                               services_.clock.Now(),
                               [&frontEnd](const std::string& line) { frontEnd.SetStatusText(line); },
                               cancelled_};
      report.downloaded = DownloadHistory(rows, download, &report.downloadEnd);
    }
  }
  if (report.downloadEnd == DownloadEnd::kLapped && !rows.empty()) {
    report.problems.push_back(LappedText(rows));
  }
  if (report.headerRead && report.alarmsRead && report.downloaded > 0) {
    StoreRows(frontEnd, report, rows, header, alarms);
  }
  const DownloadEnd end = report.downloadEnd;
  const bool caughtUp = report.downloadRan && report.headerRead && report.alarmsRead &&
                        (end == DownloadEnd::kDone || end == DownloadEnd::kNoHistory ||
                         end == DownloadEnd::kLapped) &&
                        (report.downloaded == 0 || report.saved);
  if (caughtUp) historyCaughtUp_ = true;
  if (report.recordRead && historyCaughtUp_) {
    ComputeRainForCurrent(services_.file, stored);
    ShowReading(frontEnd, stored, header, alarms, maxmin, report.maxMinRead);
  }

  for (const std::string& problem : report.problems) frontEnd.ShowProblem(problem);
  if (device.IsConnected()) {
    // Only what reached the disk counts as read; a problem stays on the line.
    std::string summary = SummaryText(report.saved ? report.downloaded : 0);
    for (const std::string& problem : report.problems) summary += " " + problem;
    frontEnd.SetStatusText(summary);
  }
  return report;
}

std::string MonitorCycle::LappedText(const HistoryRowArray& rows) const {
  HistoryRow last;
  services_.file.LoadLastRow(last);
  const auto shown = [this](const std::string& time) { return TimestampDisplayText(time, services_.text); };
  const std::string& stored = last[row::recordTime];
  const std::string& oldest = rows.back()[row::recordTime];
  // Times of the one fixed-width form compare as texts. A station whose
  // records go back behind the file's last one was not lapped but begun anew:
  // a "lost between" range would run backwards.
  if (!oldest.empty() && oldest <= stored) {
    return FillIn(services_.text.Text(Txt::StationResetOrReplaced),
                  {shown(stored), std::to_string(rows.size()), shown(oldest),
                   shown(rows.front()[row::recordTime])});
  }
  return FillIn(services_.text.Text(Txt::RecordsLostByStation), {shown(stored), shown(oldest)});
}

void MonitorCycle::ShowReading(MonitorFrontEnd& frontEnd, const HistoryRow& stored,
                               const HeaderRecord& header, const AlarmRecord& alarms,
                               MaxMinRecord maxmin, bool maxMinRead) {
  HistoryRow current = stored;
  RowToDisplayUnits(current, header);
  const LampStates lamps = EvaluateAlarms(current, header, alarms);
  frontEnd.ShowLiveValues(current, header, alarms);
  frontEnd.ShowLampStates(lamps);
  frontEnd.ShowStoredReading(stored, lamps, services_.clock.Now());
  if (maxMinRead) {
    MaxMinToDisplayUnits(maxmin, header);
    RepairMaxMin(maxmin, header, current);
    frontEnd.ShowMaxMin(maxmin, header);
  }
}

void MonitorCycle::StoreRows(MonitorFrontEnd& frontEnd, CycleReport& report, HistoryRowArray& rows,
                             const HeaderRecord& header, const AlarmRecord& alarms) {
  const std::string processed = Entry(Txt::DataHasBeenProcessed);
  const int count = static_cast<int>(rows.size());
  for (int i = 0; i < count; ++i) {
    DeriveRow(rows[i], header, alarms);
    frontEnd.SetStatusText(Format("%d%% %s", (100 * (i + 1)) / count, processed.c_str()));
  }
  // Without the file's rain history the totals would start again from 0: keep
  // the rows for the next cycle instead.
  if (!ComputeRainForNew(services_.file, rows,
                         Entry(Txt::ComputeHistoryRainData),
                         [&frontEnd](const std::string& line) { frontEnd.SetStatusText(line); })) {
    return;
  }
  frontEnd.SetStatusText(Format("%s ...", Entry(Txt::SaveAllDataOnPc).c_str()));
  HistoryRowArray written;
  report.saved = services_.file.AppendRows(rows, written);
  if (report.saved) frontEnd.RecordsSaved(written);
  // A busy file is no fault: the rows come again next cycle.
  if (const int error = services_.file.LastAppendError(); !report.saved && error != 0) {
    report.problems.push_back(FillIn(services_.text.Text(Txt::SaveRecordsFail),
                                     {services_.file.path(), std::strerror(error)}));
  }
}

std::string MonitorCycle::SummaryText(int downloaded) const {
  std::time_t now = services_.clock.Now();
  std::tm t{};
  localtime_r(&now, &t);
  HistoryRow last;
  services_.file.LoadLastRow(last);
  return Format("%s: %02d-%02d-%04d %02d:%02d:%02d, %s: %d (%s: %d).",
                Entry(Txt::LastReadTime).c_str(), t.tm_mday, t.tm_mon + 1, t.tm_year + 1900,
                t.tm_hour, t.tm_min, t.tm_sec, Entry(Txt::ReadRecords).c_str(), downloaded,
                Entry(Txt::TotalRecords).c_str(), IntegerValue(last[row::sequenceNo]));
}

}  // namespace skyvane
