#pragma once
// CHalvarView: the main form — the current reading, the station's extremes and
// the 23 alarm lamps. It runs the monitor thread and is its front end: the
// monitor's calls arrive on the monitor thread and are carried to the UI thread,
// where the fields, gauges and lamps are set.
#include <QWidget>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "core/monitor/monitor_front_end.h"
#include "gui/shell/desktop_context.h"
#include "gui/shell/status_hand_over.h"
#include "gui/view/halvar_form.h"
#include "gui/view/monitor_control.h"

namespace skyvane {

class CHalvarView : public QWidget, public MonitorFrontEnd {
  Q_OBJECT
 public:
  explicit CHalvarView(DesktopContext& context, QWidget* parent = nullptr);
  ~CHalvarView() override;  // stops and joins the monitor first

  // Once, when the frame first shows the view: starting ranges, every field
  // "---" with its unit, every lamp disabled, then StartMonitor.
  void OnInitialUpdate();
  bool InitialUpdateDone() const { return initialUpdateDone_; }

  // Starts the monitor when the search switch is on. Shows "Begin monitor thread
  // fail!" when the thread cannot be created.
  bool StartMonitor();
  // Stops the monitor and waits for it; a status hand-over in progress is released.
  void StopMonitor();
  bool MonitorRunning() const;

  // Where status texts go (pane 0 of the frame's status bar). UI thread.
  void SetStatusSink(std::function<void(const QString&)> sink) { statusSink_ = std::move(sink); }

  // The updates themselves; UI thread.
  void UpdateLivePanels(const HistoryRow& row, const HeaderRecord& header, const AlarmRecord& alarm);
  void UpdateMaxMinPanels(const MaxMinRecord& maxmin, const HeaderRecord& header);
  void UpdateAlarmLamps(const LampStates& lamps);

  const HalvarForm& Form() const { return form_; }

  // MonitorFrontEnd, called on the monitor thread.
  void ShowLiveValues(const HistoryRow& row, const HeaderRecord& header,
                      const AlarmRecord& alarms) override;
  void ShowLampStates(const LampStates& lamps) override;
  void ShowMaxMin(const MaxMinRecord& maxmin, const HeaderRecord& header) override;
  void SetStatusText(const std::string& text) override;
  void SetTitle(const std::string& title) override;
  void ShowProblem(const std::string& text) override;
  void ReleaseBlockedCalls() override;

 signals:
  // After each update on the UI thread (watchers and tests).
  void livePanelsUpdated();
  void maxMinPanelsUpdated();
  void lampsUpdated();

 private:
  // The monitor's latest updates, waiting for the UI thread. They wait here,
  // under our own mutex, rather than inside Qt's posted events: the queued
  // call that wakes the UI thread carries no data.
  struct Pending {
    std::optional<std::tuple<HistoryRow, HeaderRecord, AlarmRecord>> live;
    std::optional<LampStates> lamps;
    std::optional<std::pair<MaxMinRecord, HeaderRecord>> maxmin;
    std::optional<std::string> title;
  };
  // UI thread: applies what is pending, in the monitor's order.
  Q_INVOKABLE void TakePending();
  void WakeUiThread();

  void SetStartingRanges();

  DesktopContext& context_;
  LampPictures pictures_;
  HalvarForm form_;
  std::function<void(const QString&)> statusSink_;
  StatusHandOver handOver_;
  std::mutex pendingMutex_;
  Pending pending_;
  std::unique_ptr<MonitorControl> monitor_;
  bool initialUpdateDone_ = false;
};

}  // namespace skyvane
