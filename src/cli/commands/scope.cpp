// skyvane-cli scope: what the Max/Min dialog shows, one value a line: NAME,
// TAB, the value with its unit, TAB, its time in the display form.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/control_names.h"
#include "cli/station_access.h"
#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/dialogs/scope_session.h"
#include "core/history/history_file.h"

namespace skyvane {
namespace {

constexpr const char* kScopeSynopsis =
    "scope                 print the station's recorded extremes as the Max/Min dialog shows them";

int RunScope(CliContext& ctx, const std::vector<std::string>& args) {
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    ctx.out << "usage: skyvane-cli scope\nNames:\n";
    for (const ScopeEntry& e : ScopeEntries()) ctx.out << "  " << ControlName(e.group, e.caption) << "\n";
    return kExitOk;
  }
  if (!args.empty()) {
    ctx.err << "skyvane-cli: scope: unknown option '" << args[0] << "'\nusage: " << kScopeSynopsis << "\n";
    return kExitUsage;
  }
  if (!ConnectStation(ctx)) return kExitFailure;

  // The rain totals of the current reading come from the data file, when
  // there is one; the command never creates it.
  SystemClock clock;
  HistoryFile file(clock);
  const std::filesystem::path data = ctx.folder / "Skyvane.dat";
  std::error_code ec;
  if (std::filesystem::is_regular_file(data, ec)) file.OpenFile(data.string());
  file.CloseFile();

  ScopeSession session(ctx.device, file, ctx.text);
  DialogMessages messages;
  const bool opened = session.Open(messages);
  PrintDialogMessages(ctx, messages);
  if (!opened) return kExitFailure;

  std::string text;
  for (const ScopeEntry& e : ScopeEntries()) {
    text += ControlName(e.group, e.caption) + "\t" + session.ValueText(e.field) + "\t" +
            session.TimeText(e.field) + "\n";
  }
  ctx.out << text;
  return messages.empty() ? kExitOk : kExitFailure;
}

CommandRegistrar reg{{"scope", kScopeSynopsis, &RunScope, true}};

}  // namespace
}  // namespace skyvane
