// skyvane-cli lamps: the 23 alarm lamps for the current reading, one a line:
// number, TAB, name, TAB, disabled|armed|triggered.
#include <ostream>

#include "cli/cli.h"
#include "cli/current_reading.h"
#include "cli/data_file_access.h"
#include "core/monitor/alarm_evaluation.h"

namespace skyvane {

namespace {

constexpr const char* kLampsSynopsis =
    "lamps                 print the state of the 23 alarm lamps for the current reading";

int RunLamps(CliContext& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) {
    ctx.err << "skyvane-cli: usage: " << kLampsSynopsis << "\n";
    return kExitUsage;
  }
  CliDataFile data(ctx.clock);
  if (!data.Open(ctx)) return kExitFailure;
  // The reading as the monitor evaluates it: completed, with the rain of the
  // stored history, in the header's units.
  HeaderRecord header;
  AlarmRecord alarms;
  HistoryRow row;
  const ReadingUnits units = ReadingUnits::kDisplay;
  if (!ReadStationReading(ctx, data.File(), units, header, alarms, row)) return kExitFailure;
  const LampStates states = EvaluateAlarms(row, header, alarms);
  std::string text;
  for (int i = 0; i < kLampCount; ++i) {
    text += std::to_string(i + 1);
    text += '\t';
    text += LampName(i + 1);
    text += '\t';
    text += LampStateName(states[i]);
    text += '\n';
  }
  ctx.out << text;
  return kExitOk;
}

CommandRegistrar reg{{"lamps", kLampsSynopsis, &RunLamps}};

}  // namespace

}  // namespace skyvane
