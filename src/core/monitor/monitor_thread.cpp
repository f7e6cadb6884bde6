#include "core/monitor/monitor_thread.h"

#include <sys/resource.h>
#include <unistd.h>

#include <system_error>

namespace skyvane {
namespace {

// Below-normal priority: the user interface should never wait for a poll.
constexpr int kNiceIncrement = 5;

void LowerOwnPriority() {
  const pid_t tid = gettid();
  errno = 0;
  int current = getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
  if (errno == 0) setpriority(PRIO_PROCESS, static_cast<id_t>(tid), current + kNiceIncrement);
}

}  // namespace

MonitorThread::MonitorThread(MonitorServices services, MonitorFrontEnd& frontEnd)
    : frontEnd_(frontEnd), cycle_(services, [this] { return stop_.Requested(); }) {}

MonitorThread::~MonitorThread() { Stop(); }

bool MonitorThread::Start() {
  if (thread_.joinable() || stop_.Requested()) return false;
  running_.store(true);
  try {
    thread_ = std::thread(&MonitorThread::Loop, this);
  } catch (const std::system_error&) {
    running_.store(false);
    return false;
  }
  return true;
}

void MonitorThread::Stop() {
  stop_.Request();
  frontEnd_.ReleaseBlockedCalls();
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void MonitorThread::Loop() {
  LowerOwnPriority();
  if (stop_.SleepFor(kStartPause)) {
    frontEnd_.SetTitle(cycle_.Title());
    const bool testMode = cycle_.TestMode();
    while (!stop_.Requested()) {
      CycleReport report = cycle_.Run(frontEnd_);
      frontEnd_.CycleEnded(StationSeenBy(report));
      if (report.outcome == CycleOutcome::kPolled) polledCycles_.fetch_add(1);
      if (!stop_.SleepFor(PauseAfter(report.outcome, testMode))) break;
    }
  }
  running_.store(false);
}

}  // namespace skyvane
