#include "gui/view/monitor_bridge.h"

#include <cstdio>

#include "core/app/app_settings.h"
#include "core/station/station_device.h"

namespace skyvane {

MonitorBridge::MonitorBridge(DesktopContext& context, QObject* parent)
    : QObject(parent),
      context_(context),
      handOver_([this](const std::string& text) { emit statusText(QString::fromStdString(text)); }) {
  setObjectName(QStringLiteral("monitorBridge"));
  // A queued signal rather than a queued call of a functor: that functor would
  // be allocated on the monitor thread and freed on the UI thread inside Qt's
  // posted event, where a thread checker cannot follow it. This connection is
  // made once, here on the UI thread.
  connect(this, &MonitorBridge::wakeRequested, this, &MonitorBridge::TakePending,
          Qt::QueuedConnection);
}

MonitorBridge::~MonitorBridge() { StopMonitor(); }

MonitorBridge::Start MonitorBridge::StartMonitor() {
  if (!context_.settings.SearchOn() || monitor_ || !context_.monitorFactory)
    return Start::kNotSearching;
  monitor_ = context_.monitorFactory(*this);
  if (!monitor_ || !monitor_->Start()) {
    monitor_.reset();
    return Start::kFailed;
  }
  return Start::kStarted;
}

void MonitorBridge::StopMonitor() {
  handOver_.Close();
  if (monitor_) monitor_->Stop();
  monitor_.reset();
}

bool MonitorBridge::MonitorRunning() const { return monitor_ && monitor_->Running(); }

void MonitorBridge::WakeMonitor() {
  if (monitor_) monitor_->Wake();
}

void MonitorBridge::WatchConnection() {
  StationDevice& device = context_.device;
  if (!device.IsWatchEnabled()) return;
  device.UpdateConnection();
  // A station found on this tick: let the monitor at it again.
  if (context_.settings.SearchOn() && !device.IsWatchEnabled()) device.EnableWatch();
  if (device.HasLinkChanged()) emit connectionChanged(device.IsConnected());
}

// --- MonitorFrontEnd: the monitor thread's calls, carried to the UI thread. A
// queued call dies with the bridge, so none runs after it is gone.

void MonitorBridge::ShowLiveValues(const HistoryRow& row, const HeaderRecord& header,
                                   const AlarmRecord& alarms) {
  {
    std::lock_guard lock(pendingMutex_);
    pending_.live.emplace(row, header, alarms);
  }
  WakeUiThread();
}

void MonitorBridge::ShowLampStates(const LampStates& lamps) {
  {
    std::lock_guard lock(pendingMutex_);
    pending_.lamps = lamps;
  }
  WakeUiThread();
}

void MonitorBridge::ShowMaxMin(const MaxMinRecord& maxmin, const HeaderRecord& header) {
  {
    std::lock_guard lock(pendingMutex_);
    pending_.maxmin.emplace(maxmin, header);
  }
  WakeUiThread();
}

void MonitorBridge::SetStatusText(const std::string& text) { handOver_.Deliver(text); }

void MonitorBridge::SetTitle(const std::string& title) {
  {
    std::lock_guard lock(pendingMutex_);
    pending_.title = title;
  }
  WakeUiThread();
}

// Pane 0 shows it with the summary; standard error keeps it for the record.
void MonitorBridge::ShowProblem(const std::string& text) {
  std::fprintf(stderr, "skyvane: %s\n", text.c_str());
}

void MonitorBridge::ReleaseBlockedCalls() { handOver_.Close(); }

void MonitorBridge::WakeUiThread() {
  emit wakeRequested(QPrivateSignal());
}

void MonitorBridge::TakePending() {
  Pending taken;
  {
    std::lock_guard lock(pendingMutex_);
    taken = std::exchange(pending_, Pending{});
  }
  if (taken.live) {
    const auto& [row, header, alarms] = *taken.live;
    emit liveValues(row, header, alarms);
  }
  if (taken.lamps) emit lampStates(*taken.lamps);
  if (taken.maxmin) emit maxMin(taken.maxmin->first, taken.maxmin->second);
  if (taken.title) emit titleChanged(QString::fromStdString(*taken.title));
}

}  // namespace skyvane
