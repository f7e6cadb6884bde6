// skyvane-cli export: the stored history of a time range written exactly as
// the History window's Export... writes it: the grid's cells in the station's
// display units, the chosen columns in the chosen order, a separator, an
// optional header line, CR LF line ends.
#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <set>

#include "cli/cli.h"
#include "cli/data_file_access.h"
#include "cli/global_options.h"
#include "cli/station_access.h"
#include "core/app/text_table.h"
#include "core/dialogs/dialog_station.h"
#include "core/app/posix_file.h"
#include "core/history/export_stream.h"
#include "core/history/export_writer.h"
#include "core/history/history_grid.h"
#include "core/history/search_range.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kExportSynopsis =
    "export [--from TIME] [--to TIME] [--columns N,N,...] [--separator TEXT] [--header|--no-header] "
    "[--out FILE]   write the history of a range as the History window exports it";

constexpr const char* kExportHelp =
    "  TIME is \"YYYY-mm-dd HH:MM:SS\"; the range defaults to the last hour.\n"
    "  --columns takes the numbers the Export dialog lists (1 No, 2 Time, 3 Interval, ...),\n"
    "  in the order wanted; default: every visible column in grid order.\n"
    "  --separator: the word TAB stands for a TAB character, BLANK for a blank (default TAB).\n"
    "  --header is the default. Without --out the text goes to standard output.\n";

struct ExportOptions {
  std::string from;
  std::string to;
  std::vector<ExportColumn> columns;
  std::string separatorText = "TAB";
  bool header = true;
  std::string out;
};

bool ParseColumns(const std::string& list, std::vector<ExportColumn>& columns, std::string& error) {
  columns.clear();
  std::set<int> seen;
  std::size_t at = 0;
  while (true) {
    const std::size_t comma = list.find(',', at);
    const std::string item = list.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
    long long number = 0;
    if (item.empty() || item.find_first_not_of("0123456789") != std::string::npos ||
        !ParseCliNumber(item, 1, gridcol::kCount, number)) {
      error = "--columns takes column numbers 1 to " + std::to_string(gridcol::kCount) +
              " separated by commas, not '" + list + "'";
      return false;
    }
    if (!seen.insert(static_cast<int>(number)).second) {
      error = "--columns names column " + item + " twice";
      return false;
    }
    columns.push_back(ExportColumn::FromEntryNumber(static_cast<int>(number)));
    if (comma == std::string::npos) return true;
    at = comma + 1;
  }
}

bool ParseExportOptions(const std::vector<std::string>& args, ExportOptions& options,
                        std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--header" || option == "--no-header") {
      options.header = option == "--header";
      continue;
    }
    if (option != "--from" && option != "--to" && option != "--columns" && option != "--separator" &&
        option != "--out") {
      error = "unknown option '" + option + "'";
      return false;
    }
    if (i + 1 == args.size()) {
      error = option + " needs a value";
      return false;
    }
    const std::string& value = args[++i];
    if (option == "--from" || option == "--to") {
      if (!IsRecordTimeText(value)) {
        error = option + " takes a time \"YYYY-mm-dd HH:MM:SS\", not '" + value + "'";
        return false;
      }
      (option == "--from" ? options.from : options.to) = value;
    } else if (option == "--columns") {
      if (!ParseColumns(value, options.columns, error)) return false;
    } else if (option == "--separator") {
      options.separatorText = value;
    } else {
      if (value.empty()) {
        error = "--out needs a file name";
        return false;
      }
      options.out = value;
    }
  }
  return true;
}

int RunExport(CliContext& ctx, const std::vector<std::string>& args) {
  ExportOptions options;
  std::string error;
  if (!ParseExportOptions(args, options, error)) {
    ctx.err << "skyvane-cli: export: " << error << "\nusage: " << kExportSynopsis << "\n"
            << kExportHelp;
    return kExitUsage;
  }
  const SearchRange lastHour = RangeEndingNow(ctx.clock, SearchSpanSeconds(0));
  if (options.from.empty()) options.from = lastHour.start;
  if (options.to.empty()) options.to = lastHour.end;

  CliDataFile data(ctx.clock);
  if (!data.OpenToRead(ctx)) return kExitFailure;
  HistoryGrid grid(ctx.text, ReadDisplayUnits(ctx, "export"));
  ExportChoices choices;
  choices.columns =
      options.columns.empty() ? VisibleColumns(GridDefaultWidths()) : options.columns;
  choices.separator = ExportSeparator(options.separatorText);
  choices.header = options.header;

  // Written as the file is read: ten years need no more memory than a day.
  const std::string path = data.File().path();
  ExportStreamResult result = ExportStreamResult::kDone;
  if (!options.out.empty()) {
    std::string header;
    errno = 0;
    FileDescriptor fd;
    // Nothing is created when no chosen column fits the grid.
    if (AppendExportText(grid, choices, header)) fd = FileDescriptor::Open(options.out, O_WRONLY | O_CREAT | O_TRUNC);
    bool written = fd.valid();
    if (written) {
      result = StreamExport(path, grid, options.from, options.to, choices, [&fd](const std::string& block) {
        return WriteAll(fd.get(), block.data(), block.size());
      });
      written = result != ExportStreamResult::kUnwritten;
      written = fd.Close() && written;
    }
    if (!written) {
      ctx.err << "skyvane-cli: export: cannot write " << options.out;
      if (errno != 0) ctx.err << ": " << std::strerror(errno);
      ctx.err << "\n";
      return kExitFailure;
    }
  } else {
    result = StreamExport(path, grid, options.from, options.to, choices, [&ctx](const std::string& block) {
      ctx.out.write(block.data(), static_cast<std::streamsize>(block.size()));
      return static_cast<bool>(ctx.out);
    });
    ctx.out.flush();
    if (result == ExportStreamResult::kUnwritten || !ctx.out) return kExitFailure;
  }
  if (result == ExportStreamResult::kUnreadable) {
    ctx.err << "skyvane-cli: the data file " << path << " cannot be read\n";
    return kExitFailure;
  }
  return kExitOk;
}

CommandRegistrar reg{{"export", kExportSynopsis, &RunExport}};

}  // namespace

}  // namespace skyvane
