// skyvane-cli serve: the dashboard and the HTTP API over the data file alone,
// beside a logger that polls into it or with no station at all. It only
// reads, so it takes no part in the poller lock; the live values are the
// newest stored record, marked "stored", in the units and with the alarm
// states the logger on the folder last saw (Skyvane.live).
#include <chrono>
#include <optional>
#include <ostream>

#include "cli/cli.h"
#include "cli/http_serving.h"
#include "cli/stop_signals.h"
#include "core/publish/http/live_state.h"

namespace skyvane {

namespace {

constexpr const char* kServeSynopsis =
    "serve [--http ADDR:PORT] serve the dashboard and HTTP API of Skyvane.dat without a station";

int RunServe(CliContext& ctx, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::optional<ListenAddress> http;
  if (!HttpAddress(ctx, args, http)) return kExitUsage;
  if (!args.empty() || !http) {
    ctx.err << "skyvane-cli: usage: " << kServeSynopsis
            << (http ? "" : " (or the key Listen of section [http] in Skyvane.ini)") << "\n";
    return kExitUsage;
  }
  StopSignals signals;
  CliHttpServer server(ctx);
  StoredReading stored(server.data(), std::chrono::seconds(1), (ctx.folder / kLiveStateFileName).string());
  if (!server.Start(*http, stored)) return kExitFailure;
  while (!signals.WaitOneSecond()) {
  }
  server.Stop();
  return kExitOk;
}

CommandRegistrar reg{{"serve", kServeSynopsis, &RunServe}};

}  // namespace

}  // namespace skyvane
