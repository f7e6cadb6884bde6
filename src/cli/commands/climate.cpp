// skyvane-cli summary, extremes and report: the climate of Skyvane.dat, one
// row per day, month or year, the records table, and the classic monthly and
// yearly climatological summaries.
#include <algorithm>
#include <ostream>

#include "cli/cli.h"
#include "cli/data_file_access.h"
#include "cli/station_access.h"
#include "core/app/time_text.h"
#include "core/climate/climate_book.h"
#include "core/climate/climate_report.h"
#include "core/climate/climate_text.h"
#include "core/publish/climate_json.h"

namespace skyvane {

namespace {

using climate::Period;

constexpr const char* kSummarySynopsis =
    "summary day|month|year [--from D] [--to D] [--format text|csv|json]   one row of "
    "climate per period";
constexpr const char* kExtremesSynopsis =
    "extremes [--format text|json]   the records of all time, this year and this month";
constexpr const char* kReportSynopsis =
    "report month YYYY-MM | report year YYYY   the climatological summary as plain text";

int Usage(CliContext& ctx, const char* command, const std::string& why, const char* synopsis) {
  ctx.err << "skyvane-cli: " << command << ": " << why << "\nusage: " << synopsis << "\n";
  return kExitUsage;
}

// The book of the folder's data file, read once; false (reported) without one.
bool ReadBook(CliContext& ctx, climate::ClimateBook& book) {
  if (!DataFileIsThere(ctx)) return false;
  std::string error;
  if (book.Refresh((ctx.folder / kDataFileName).string(), error)) return true;
  ctx.err << "skyvane-cli: " << error << "\n";
  return false;
}

// Columns aligned to their widest cell, absent values as "---".
std::string AlignedTable(const std::vector<climate::Summary>& summaries, Period period) {
  const auto columns = SummaryColumns(period);
  std::vector<std::vector<std::string>> cells(summaries.size() + 1);
  std::vector<std::size_t> widths;
  for (const SummaryColumn& column : columns) {
    cells[0].emplace_back(column.key);
    widths.push_back(column.key.size());
  }
  for (std::size_t r = 0; r < summaries.size(); ++r) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      std::string text = columns[c].value(summaries[r]);
      if (text.empty()) text = "---";
      widths[c] = std::max(widths[c], text.size());
      cells[r + 1].push_back(std::move(text));
    }
  }
  std::string out;
  for (const auto& row : cells) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) line += "  ";
      line.append(widths[c] - row[c].size(), ' ');
      line += row[c];
    }
    out += line + "\n";
  }
  return out;
}

int RunSummary(CliContext& ctx, const std::vector<std::string>& args) {
  static constexpr const char* kCommand = "summary";
  if (args.empty()) return Usage(ctx, kCommand, "day, month or year is needed", kSummarySynopsis);
  const std::string& what = args[0];
  if (what != "day" && what != "month" && what != "year") {
    return Usage(ctx, kCommand, "'" + what + "' is no period (day, month or year)", kSummarySynopsis);
  }
  const Period period = what == "day" ? Period::kDay : what == "month" ? Period::kMonth : Period::kYear;
  climate::DateRange range;
  std::string format = "text";
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option != "--from" && option != "--to" && option != "--format") {
      return Usage(ctx, kCommand, "unknown option '" + option + "'", kSummarySynopsis);
    }
    if (i + 1 == args.size()) return Usage(ctx, kCommand, option + " needs a value", kSummarySynopsis);
    const std::string& value = args[++i];
    if (option == "--format") {
      if (value != "text" && value != "csv" && value != "json") {
        return Usage(ctx, kCommand, "--format takes text, csv or json, not '" + value + "'",
                     kSummarySynopsis);
      }
      format = value;
    } else if (!climate::IsDateBound(value)) {
      return Usage(ctx, kCommand, option + " takes a date YYYY-MM-DD, YYYY-MM or YYYY, not '" + value + "'",
                   kSummarySynopsis);
    } else {
      (option == "--from" ? range.from : range.to) = value;
    }
  }
  climate::ClimateBook book(climate::LoadClimateOptions(ctx.folder.string()));
  if (!ReadBook(ctx, book)) return kExitFailure;
  const auto summaries = book.Summaries(period, range);
  ctx.out << (format == "json" ? SummariesJson(summaries, period) + "\n"
              : format == "csv" ? SummariesCsv(summaries, period)
                                : AlignedTable(summaries, period));
  return ctx.out ? kExitOk : kExitFailure;
}

std::string RecordLine(const char* name, const climate::Extreme& e, const char* unit) {
  std::string line = std::string(name);
  line.append(26 - line.size(), ' ');
  if (!e.value) return line + "---\n";
  const std::string value = climate::FixedText(e.value, 1) + " " + unit;
  return line + std::string(value.size() < 12 ? 12 - value.size() : 0, ' ') + value + "  " +
         (e.time.size() > 10 ? e.time : e.day) + "\n";
}

std::string RecordsText(const climate::RecordsTable& table) {
  std::string text;
  const std::pair<const char*, const climate::Records*> spans[] = {
      {"All time", &table.allTime}, {"This year", &table.thisYear}, {"This month", &table.thisMonth}};
  for (const auto& [title, r] : spans) {
    text += std::string(text.empty() ? "" : "\n") + title + "\n";
    text += RecordLine("  Highest temperature", r->temperatureHigh, "°C");
    text += RecordLine("  Lowest temperature", r->temperatureLow, "°C");
    text += RecordLine("  Highest gust", r->gustHigh, "m/s");
    text += RecordLine("  Wettest day", r->wettestDay, "mm");
    text += RecordLine("  Highest pressure", r->pressureHigh, "hPa");
    text += RecordLine("  Lowest pressure", r->pressureLow, "hPa");
  }
  return text;
}

int RunExtremes(CliContext& ctx, const std::vector<std::string>& args) {
  static constexpr const char* kCommand = "extremes";
  bool json = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--format") return Usage(ctx, kCommand, "unknown option '" + args[i] + "'", kExtremesSynopsis);
    if (i + 1 == args.size() || (args[i + 1] != "text" && args[i + 1] != "json")) {
      return Usage(ctx, kCommand, "--format takes text or json", kExtremesSynopsis);
    }
    json = args[++i] == "json";
  }
  climate::ClimateBook book;
  if (!ReadBook(ctx, book)) return kExitFailure;
  const climate::RecordsTable table = book.Records(LocalTimeText(ctx.clock.Now()));
  ctx.out << (json ? RecordsJson(table) + "\n" : RecordsText(table));
  return ctx.out ? kExitOk : kExitFailure;
}

int RunReport(CliContext& ctx, const std::vector<std::string>& args) {
  static constexpr const char* kCommand = "report";
  if (args.size() != 2 || (args[0] != "month" && args[0] != "year")) {
    return Usage(ctx, kCommand, "month YYYY-MM or year YYYY is needed", kReportSynopsis);
  }
  const std::size_t length = args[0] == "month" ? 7 : 4;
  if (args[1].size() != length || !climate::IsDateBound(args[1])) {
    return Usage(ctx, kCommand,
                 "'" + args[1] + "' is no " + (length == 7 ? "month YYYY-MM" : "year YYYY"),
                 kReportSynopsis);
  }
  const climate::ClimateOptions options = climate::LoadClimateOptions(ctx.folder.string());
  climate::ClimateBook book(options);
  if (!ReadBook(ctx, book)) return kExitFailure;
  const climate::ReportUnits units = climate::ReportUnitsOf(ReadDisplayUnits(ctx, kCommand));
  ctx.out << climate::ClimateReport(book, args[1], units, options);
  return ctx.out ? kExitOk : kExitFailure;
}

CommandRegistrar summary{{"summary", kSummarySynopsis, &RunSummary}};
CommandRegistrar extremes{{"extremes", kExtremesSynopsis, &RunExtremes}};
CommandRegistrar report{{"report", kReportSynopsis, &RunReport}};

}  // namespace

}  // namespace skyvane
