// skyvane-cli run: the logger without a display. The monitor thread polls the
// station and stores its history while this thread watches the connection
// once a second, until SIGINT or SIGTERM asks it to stop.
#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <ctime>
#include <ostream>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/data_file_access.h"
#include "cli/printing_front_end.h"
#include "core/monitor/monitor_thread.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kRunSynopsis =
    "run                   log the station until SIGINT or SIGTERM (the monitor without a display)";

// SIGINT and SIGTERM are taken by sigtimedwait on this thread alone: blocked
// here before the monitor thread starts, so it inherits the mask and no
// handler ever runs in the middle of a write.
class StopSignals {
 public:
  StopSignals() {
    sigemptyset(&set_);
    sigaddset(&set_, SIGINT);
    sigaddset(&set_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set_, &previous_);
  }
  ~StopSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Waits up to one second; true when a stop signal arrived.
  bool WaitOneSecond() const {
    const timespec second{1, 0};
    return sigtimedwait(&set_, nullptr, &second) > 0;
  }

 private:
  sigset_t set_;
  sigset_t previous_;
};

// The connection watch of the main window, once a second: find the station,
// notice when it goes, and release a newly found station to the monitor.
void WatchConnection(CliContext& ctx) {
  StationDevice& device = ctx.device;
  device.UpdateConnection();
  if (!device.IsWatchEnabled()) device.EnableWatch();
  if (device.HasLinkChanged()) {
    ctx.err << (device.IsConnected() ? "skyvane-cli: weather station connected\n"
                                     : "skyvane-cli: weather station not connected\n");
  }
}

int RunRun(CliContext& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) return UsageError(ctx, kRunSynopsis);
  CliDataFile data(ctx.clock);
  if (!data.OpenForPolling(ctx)) return kExitFailure;

  StopSignals signals;
  WatchConnection(ctx);
  if (!ctx.device.IsConnected()) ctx.err << "skyvane-cli: waiting for the weather station\n";

  PrintingFrontEnd frontEnd(ctx.out, ctx.err);
  MonitorThread monitor(
      MonitorServices{ctx.device, data.File(), ctx.text, ctx.settings, data.clock()}, frontEnd);
  if (!monitor.Start()) {
    ctx.err << "skyvane-cli: Begin monitor thread fail!\n";
    return kExitFailure;
  }
  while (!signals.WaitOneSecond()) WatchConnection(ctx);
  monitor.Stop();
  return kExitOk;
}

CommandRegistrar reg{{"run", kRunSynopsis, &RunRun}};

}  // namespace

}  // namespace skyvane
