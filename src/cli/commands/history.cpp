// skyvane-cli history --from TIME --to TIME: the stored lines of Skyvane.dat
// whose record time lies in the range, exactly as stored.
#include <ostream>
#include <string>
#include <string_view>

#include "cli/cli.h"
#include "cli/data_file_access.h"
#include "core/history/stored_lines.h"

namespace skyvane {

namespace {

constexpr const char* kHistorySynopsis =
    "history --from \"YYYY-mm-dd HH:MM:SS\" --to \"YYYY-mm-dd HH:MM:SS\"   print the stored lines in the range";

// "YYYY-mm-dd HH:MM:SS" with digits where the form has them: only then does
// comparing the texts compare the times.
bool IsTimeText(const std::string& text) {
  static constexpr const char kForm[] = "0000-00-00 00:00:00";
  if (text.size() != sizeof kForm - 1) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kForm[i] == '0' ? !digit : text[i] != kForm[i]) return false;
  }
  return true;
}

constexpr std::size_t kPrintBlock = std::size_t{1} << 16;

int Usage(CliContext& ctx, const std::string& why) {
  ctx.err << "skyvane-cli: history: " << why << "\nusage: " << kHistorySynopsis << "\n";
  return kExitUsage;
}

int RunHistory(CliContext& ctx, const std::vector<std::string>& args) {
  std::string from;
  std::string to;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option != "--from" && option != "--to") return Usage(ctx, "unknown option '" + option + "'");
    if (i + 1 == args.size()) return Usage(ctx, option + " needs a time");
    const std::string& value = args[++i];
    if (!IsTimeText(value)) {
      return Usage(ctx, option + " takes a time \"YYYY-mm-dd HH:MM:SS\", not '" + value + "'");
    }
    (option == "--from" ? from : to) = value;
  }
  if (from.empty() || to.empty()) return Usage(ctx, "both --from and --to are needed");

  CliDataFile data(ctx.clock);
  if (!data.OpenToRead(ctx)) return kExitFailure;
  // Printed as the file is read, a block at a time: ten years need no more
  // memory than a day.
  std::string block;
  auto flush = [&ctx, &block] {
    ctx.out.write(block.data(), static_cast<std::streamsize>(block.size()));
    block.clear();
  };
  const int printed = ForEachStoredLine(data.File(), from, to, [&](std::string_view line) {
    block += line;
    block += '\n';
    if (block.size() >= kPrintBlock) flush();
  });
  flush();
  if (printed < 0) {
    ctx.err << "skyvane-cli: the data file " << data.File().path() << " cannot be read\n";
    return kExitFailure;
  }
  ctx.out.flush();
  return ctx.out ? kExitOk : kExitFailure;
}

CommandRegistrar reg{{"history", kHistorySynopsis, &RunHistory}};

}  // namespace

}  // namespace skyvane
