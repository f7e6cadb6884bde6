// skyvane-cli run: the logger without a display. The monitor thread polls the
// station and stores its history while this thread watches the connection
// once a second, until SIGINT or SIGTERM asks it to stop.
#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <ctime>
#include <ostream>

#include "cli/cli.h"
#include "cli/data_file_access.h"
#include "cli/printing_front_end.h"
#include "cli/run_options.h"
#include "core/monitor/monitor_thread.h"
#include "core/publish/mqtt/mqtt_setup.h"
#include "core/publish/publishing_front_end.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kRunSynopsis =
    "run [--mqtt URL] [--quiet]\n"
    "                      log the station until SIGINT or SIGTERM (the monitor without a display);\n"
    "                      --mqtt publishes to a broker (mqtt[s]://[user@]host[:port][/prefix]),\n"
    "                      --quiet prints errors only";

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

// MQTT's log lines as the logger's own: one line each, errors on the error stream.
MqttLog MqttLines(CliContext& ctx, bool quiet) {
  return [&ctx, quiet](MqttLogLevel level, const std::string& line) {
    if (level == MqttLogLevel::kError) {
      ctx.err << ("skyvane-cli: " + line + "\n") << std::flush;
    } else if (!quiet) {
      ctx.out << (line + "\n") << std::flush;
    }
  };
}

int RunRun(CliContext& ctx, const std::vector<std::string>& args) {
  RunOptions options;
  std::string error;
  if (!ParseRunOptions(args, options, error)) {
    ctx.err << "skyvane-cli: " << error << "\nskyvane-cli: usage: " << kRunSynopsis << "\n";
    return kExitUsage;
  }
  CliDataFile data(ctx.clock);
  if (!data.OpenForPolling(ctx)) return kExitFailure;

  StopSignals signals;
  WatchConnection(ctx);
  if (!ctx.device.IsConnected()) ctx.err << "skyvane-cli: waiting for the weather station\n";

  PrintingFrontEnd printing(ctx.out, ctx.err, options.quiet);
  std::unique_ptr<MqttPublisher> mqtt =
      StartMqttPublisher(ctx.folder, options.mqtt, SKYVANE_VERSION, MqttLines(ctx, options.quiet));
  std::vector<ReadingListener*> listeners;
  if (mqtt) listeners.push_back(mqtt.get());
  PublishingFrontEnd frontEnd(printing, listeners);
  MonitorThread monitor(
      MonitorServices{ctx.device, data.File(), ctx.text, ctx.settings, data.clock()}, frontEnd);
  if (!monitor.Start()) {
    ctx.err << "skyvane-cli: Begin monitor thread fail!\n";
    return kExitFailure;
  }
  while (!signals.WaitOneSecond()) WatchConnection(ctx);
  monitor.Stop();
  if (mqtt) mqtt->Stop();  // "offline" after the last cycle's records
  return kExitOk;
}

CommandRegistrar reg{{"run", kRunSynopsis, &RunRun}};

}  // namespace

}  // namespace skyvane
