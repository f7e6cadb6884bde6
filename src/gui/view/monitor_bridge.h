#pragma once
// MonitorBridge: the monitor thread's front end on the desktop. It runs the
// monitor, takes its calls on the monitor thread and re-emits them as typed
// signals on the UI thread; the frame connects them to the form, the status bar
// and the window title. It also runs the one-second connection watch.
#include <QObject>
#include <QString>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "core/monitor/monitor_front_end.h"
#include "gui/shell/desktop_context.h"
#include "gui/shell/status_hand_over.h"
#include "gui/view/monitor_control.h"

namespace skyvane {

class MonitorBridge : public QObject, public MonitorFrontEnd {
  Q_OBJECT
 public:
  // Build it on the UI thread: its signals are emitted there.
  explicit MonitorBridge(DesktopContext& context, QObject* parent = nullptr);
  ~MonitorBridge() override;  // stops and joins the monitor first

  enum class Start { kStarted, kNotSearching, kFailed };
  // Starts the monitor when the search switch is on, once.
  Start StartMonitor();
  // Stops the monitor and waits for it; a status hand-over in progress is
  // released first, so the wait can never deadlock against it.
  void StopMonitor();
  bool MonitorRunning() const;
  // After the station's settings or alarms were written: the monitor reads
  // them now, so the form shows the new units and lamps at once.
  void WakeMonitor();

  // One tick of the connection watch. UI thread.
  void WatchConnection();

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
  // All on the UI thread, in the order the monitor made the calls.
  void liveValues(const HistoryRow& row, const HeaderRecord& header, const AlarmRecord& alarms);
  void lampStates(const LampStates& lamps);
  void maxMin(const MaxMinRecord& maxmin, const HeaderRecord& header);
  void titleChanged(const QString& title);
  // The monitor thread waits until the receivers of this one have returned.
  void statusText(const QString& text);
  // The station was found or lost on a watch tick.
  void connectionChanged(bool connected);
  // Any thread, to ourselves only: wakes TakePending on the UI thread.
  void wakeRequested(QPrivateSignal);

 private:
  // The monitor's latest updates, waiting for the UI thread. They wait here,
  // under our own mutex, rather than inside Qt's posted events: the queued
  // call that wakes the UI thread carries no data, and the signals it leads
  // to are direct ones.
  struct Pending {
    std::optional<std::tuple<HistoryRow, HeaderRecord, AlarmRecord>> live;
    std::optional<LampStates> lamps;
    std::optional<std::pair<MaxMinRecord, HeaderRecord>> maxmin;
    std::optional<std::string> title;
  };
  // UI thread: emits what is pending, in the monitor's order.
  void TakePending();
  void WakeUiThread();

  DesktopContext& context_;
  StatusHandOver handOver_;
  std::mutex pendingMutex_;
  Pending pending_;
  std::unique_ptr<MonitorControl> monitor_;
};

}  // namespace skyvane
