// skyvane-cli run: the logger without a display. The monitor thread polls the
// station and stores its history while this thread watches the connection
// once a second, until SIGINT or SIGTERM asks it to stop.
#include <ctime>
#include <ostream>

#include "cli/cli.h"
#include "cli/data_file_access.h"
#include "cli/http_serving.h"
#include "cli/printing_front_end.h"
#include "cli/stop_signals.h"
#include "core/monitor/monitor_thread.h"
#include "core/publish/publishing_front_end.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kRunSynopsis =
    "run [--http ADDR:PORT] log the station until SIGINT or SIGTERM (the monitor without a display), serving it over HTTP";

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

int RunRun(CliContext& ctx, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::optional<ListenAddress> http;
  if (!HttpAddress(ctx, args, http)) return kExitUsage;
  if (!args.empty()) {
    ctx.err << "skyvane-cli: usage: " << kRunSynopsis << "\n";
    return kExitUsage;
  }
  CliDataFile data(ctx.clock);
  if (!data.OpenForPolling(ctx)) return kExitFailure;

  StopSignals signals;
  WatchConnection(ctx);
  if (!ctx.device.IsConnected()) ctx.err << "skyvane-cli: waiting for the weather station\n";

  PrintingFrontEnd printing(ctx.out, ctx.err);
  LiveReading live;
  PublishingFrontEnd frontEnd(printing, http ? std::vector<ReadingListener*>{&live} : std::vector<ReadingListener*>{});
  CliHttpServer server(ctx);
  if (http && !server.Start(*http, live)) return kExitFailure;
  MonitorThread monitor(
      MonitorServices{ctx.device, data.File(), ctx.text, ctx.settings, data.clock()}, frontEnd);
  if (!monitor.Start()) {
    ctx.err << "skyvane-cli: Begin monitor thread fail!\n";
    return kExitFailure;
  }
  while (!signals.WaitOneSecond()) WatchConnection(ctx);
  monitor.Stop();
  server.Stop();
  return kExitOk;
}

CommandRegistrar reg{{"run", kRunSynopsis, &RunRun}};

}  // namespace

}  // namespace skyvane
