#pragma once
// MonitorThread: runs the polling cycle in a background thread of lowered
// priority until stopped. Its sleeps end at once on a stop request, so Stop()
// returns within a fraction of a second even during a three-minute interval.
#include <atomic>
#include <thread>

#include "core/monitor/monitor_cycle.h"
#include "core/monitor/monitor_front_end.h"
#include "core/monitor/stop_signal.h"

namespace skyvane {

class MonitorThread {
 public:
  MonitorThread(MonitorServices services, MonitorFrontEnd& frontEnd);
  ~MonitorThread();  // stops and joins the thread
  MonitorThread(const MonitorThread&) = delete;
  MonitorThread& operator=(const MonitorThread&) = delete;

  // Starts the thread once; false when it could not be created (or was started
  // before).
  bool Start();
  // Asks the thread to stop, releases a blocked status hand-over of the front
  // end, and waits for the thread to end. Safe to call more than once and from
  // any thread but the monitor thread itself.
  void Stop();
  // Ends the pause between two cycles now, so the next cycle shows what was
  // just written to the station; the thread goes on. Safe from any thread.
  void Wake() { stop_.Wake(); }
  // True from Start() until the thread has left its loop.
  bool Running() const { return running_.load(); }
  // Completed cycles that polled the station, for watchers and tests.
  int PolledCycles() const { return polledCycles_.load(); }

 private:
  void Loop();

  MonitorFrontEnd& frontEnd_;
  StopSignal stop_;
  MonitorCycle cycle_;
  std::thread thread_;
  std::atomic<bool> running_{false};
  std::atomic<int> polledCycles_{0};
};

}  // namespace skyvane
