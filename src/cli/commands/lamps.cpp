// skyvane-cli lamps: the 23 alarm lamps for the current reading, one a line:
// number, TAB, name, TAB, disabled|armed|triggered.
#include <ostream>

#include "cli/cli.h"
#include "cli/command_support.h"
#include "cli/current_reading.h"
#include "cli/data_file_access.h"
#include "core/monitor/alarm_evaluation.h"

namespace skyvane {

namespace {

constexpr const char* kLampsSynopsis =
    "lamps                 print the state of the 23 alarm lamps for the current reading";

// One line a lamp: number, TAB, name, TAB, state.
std::string LampLines(const LampStates& states) {
  std::string text;
  for (int i = 0; i < kLampCount; ++i) {
    text += std::to_string(i + 1);
    text += '\t';
    text += LampName(i + 1);
    text += '\t';
    text += LampStateName(states[static_cast<std::size_t>(i)]);
    text += '\n';
  }
  return text;
}

int RunLamps(CliContext& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) return UsageError(ctx, kLampsSynopsis);
  CliDataFile data(ctx.clock);
  if (!data.Open(ctx)) return kExitFailure;
  // The reading as the monitor evaluates it: completed, with the rain of the
  // stored history, in the header's units.
  HeaderRecord header;
  AlarmRecord alarms;
  HistoryRow row;
  const ReadingUnits units = ReadingUnits::kDisplay;
  if (!ReadStationReading(ctx, data.File(), units, header, alarms, row)) return kExitFailure;
  ctx.out << LampLines(EvaluateAlarms(row, header, alarms));
  return kExitOk;
}

CommandRegistrar reg{{"lamps", kLampsSynopsis, &RunLamps}};

}  // namespace

}  // namespace skyvane
