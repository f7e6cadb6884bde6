// skyvane-cli log: one polling cycle as the monitor runs it; the new records
// go to Skyvane.dat and every status text is printed on its own line.
#include <ostream>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/data_file_access.h"
#include "cli/printing_front_end.h"
#include "cli/station_access.h"
#include "core/app/text_table.h"
#include "core/monitor/monitor_cycle.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kLogSynopsis =
    "log                   run one polling cycle and append the new records to Skyvane.dat";

void Fail(CliContext& ctx, Txt entry) { ctx.err << "skyvane-cli: " << ctx.text.Text(entry) << "\n"; }

int RunLog(CliContext& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) return UsageError(ctx, kLogSynopsis);
  CliDataFile data(ctx.clock);
  if (!data.OpenForPolling(ctx) || !ConnectStation(ctx)) return kExitFailure;
  // What the connection watch does once a station is found.
  ctx.device.EnableWatch();

  PrintingFrontEnd frontEnd(ctx.out, ctx.err);
  MonitorCycle cycle(MonitorServices{ctx.device, data.File(), ctx.text, ctx.settings, data.clock()});
  const CycleReport report = cycle.Run(frontEnd);
  if (report.outcome != CycleOutcome::kPolled) {
    Fail(ctx, Txt::CantCommunicateWithDevice);
    return kExitFailure;
  }
  if (!report.headerRead) {
    Fail(ctx, Txt::ReadSetupDataFail);
    return kExitFailure;
  }
  if (!report.alarmsRead) {
    Fail(ctx, Txt::ReadAlarmDataFail);
    return kExitFailure;
  }
  if (report.downloadEnd == DownloadEnd::kHeaderUnreadable ||
      report.downloadEnd == DownloadEnd::kBlockUnreadable) {
    ctx.err << "skyvane-cli: the station's history could not be read; nothing was saved\n";
    return kExitFailure;
  }
  if (report.downloaded > 0 && !report.saved) {
    ctx.err << "skyvane-cli: the new records could not be saved in " << data.File().path() << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

CommandRegistrar reg{{"log", kLogSynopsis, &RunLog}};

}  // namespace

}  // namespace skyvane
