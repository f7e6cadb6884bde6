// skyvane-cli run: the logger without a display. The monitor thread polls the
// station and stores its history while this thread watches the connection
// once a second, until SIGINT or SIGTERM asks it to stop.
#include <ctime>
#include <ostream>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/data_file_access.h"
#include "cli/http_serving.h"
#include "cli/printing_front_end.h"
#include "cli/run_options.h"
#include "cli/run_publishers.h"
#include "cli/stop_signals.h"
#include "core/publish/mqtt/mqtt_setup.h"
#include "core/monitor/monitor_thread.h"
#include "core/publish/http/live_state_keeper.h"
#include "core/publish/program_counters.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kRunSynopsis =
    "run [--mqtt URL] [--influx URL] [--http ADDR:PORT] [--quiet]\n"
    "                      log the station until SIGINT or SIGTERM (the monitor without a display);\n"
    "                      --mqtt publishes to a broker (mqtt[s]://[user@]host[:port][/prefix]),\n"
    "                      --influx writes the records to a database (http://host:8086/?db=NAME),\n"
    "                      --http serves the dashboard and the HTTP API, --quiet prints errors only";

// The connection watch of the main window, once a second: find the station,
// notice when it goes, and release a newly found station to the monitor.
// A quiet logger keeps these status lines to itself.
void WatchConnection(CliContext& ctx, bool quiet) {
  StationDevice& device = ctx.device;
  device.UpdateConnection();
  if (!device.IsWatchEnabled()) device.EnableWatch();
  if (device.HasLinkChanged() && !quiet) {
    ctx.err << (device.IsConnected() ? "skyvane-cli: weather station connected\n"
                                     : "skyvane-cli: weather station not connected\n");
  }
}

int RunRun(CliContext& ctx, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::optional<ListenAddress> http;
  if (!HttpAddress(ctx, args, http)) return kExitUsage;
  RunOptions options;
  std::string error;
  if (!ParseRunOptions(args, options, error)) {
    ctx.err << "skyvane-cli: " << error << "\nskyvane-cli: usage: " << kRunSynopsis << "\n";
    return kExitUsage;
  }
  CliDataFile data(ctx.clock);
  if (!data.OpenForPolling(ctx)) return kExitFailure;

  StopSignals signals;
  WatchConnection(ctx, options.quiet);
  if (!ctx.device.IsConnected() && !options.quiet) ctx.err << "skyvane-cli: waiting for the weather station\n";

  PrintingFrontEnd printing(ctx.out, ctx.err, options.quiet);
  LiveReading live;
  ProgramCounters counters;
  CliHttpServer server(ctx);
  if (http && !server.Start(*http, live, &counters)) return kExitFailure;
  // What `serve` on this folder needs to show what this logger shows.
  LiveStateKeeper kept((ctx.folder / kLiveStateFileName).string(),
                       [&printing](const std::string& line) { printing.ShowProblem(line); });
  std::vector<ReadingListener*> listeners{&kept, &counters};
  if (http) listeners.push_back(&live);
  RunPublishers publishers(ctx, options, data.File(), printing, listeners,
                           http ? DashboardUrl(http->host, server.port(), MachineName()) : "", &counters);
  MonitorThread monitor(
      MonitorServices{ctx.device, data.File(), ctx.text, ctx.settings, data.clock()},
      publishers.FrontEnd());
  if (!monitor.Start()) {
    ctx.err << "skyvane-cli: Begin monitor thread fail!\n";
    return kExitFailure;
  }
  while (!signals.WaitOneSecond()) WatchConnection(ctx, options.quiet);
  monitor.Stop();
  publishers.Stop();  // MQTT's "offline" after the last cycle's records
  kept.Stop();
  server.Stop();
  return kExitOk;
}

CommandRegistrar reg{{"run", kRunSynopsis, &RunRun}};

}  // namespace

}  // namespace skyvane
