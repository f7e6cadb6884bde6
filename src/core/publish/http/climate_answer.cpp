#include "core/publish/http/climate_answer.h"

#include "core/publish/climate_json.h"
#include "core/publish/reading_json.h"

namespace skyvane {
namespace {

constexpr const char* kJson = "application/json; charset=utf-8";

bool ParseSummaryParams(const HttpTarget& target, ClimateQuery& query, std::string& error) {
  bool period = false, from = false, to = false;
  for (const auto& [name, value] : target.params) {
    bool& seen = name == "period" ? period : name == "from" ? from : to;
    if (name != "period" && name != "from" && name != "to") {
      error = "unknown parameter '" + name + "'";
      return false;
    }
    if (seen) {
      error = "the parameter '" + name + "' is given twice";
      return false;
    }
    seen = true;
    if (name == "period") {
      if (value != "day" && value != "month" && value != "year") {
        error = "period is day, month or year";
        return false;
      }
      query.period = value == "day" ? climate::Period::kDay
                     : value == "month" ? climate::Period::kMonth
                                        : climate::Period::kYear;
    } else if (!value.empty() && !climate::IsDateBound(value)) {
      error = name + " is a date YYYY-MM-DD, YYYY-MM or YYYY";
      return false;
    } else {
      (name == "from" ? query.range.from : query.range.to) = value;
    }
  }
  return true;
}

}  // namespace

ClimateRoute ParseClimateTarget(const HttpTarget& target, ClimateQuery& query, std::string& error) {
  static constexpr std::string_view kReports = "/reports/", kText = ".txt";
  const std::string& path = target.path;
  if (path == "/api/summary") {
    query.kind = ClimateQuery::Kind::kSummary;
    return ParseSummaryParams(target, query, error) ? ClimateRoute::kQuery : ClimateRoute::kBad;
  }
  if (path == "/api/extremes" || path == "/api/today") {
    query.kind = path == "/api/today" ? ClimateQuery::Kind::kToday : ClimateQuery::Kind::kExtremes;
  } else if (path.starts_with(kReports) && path.ends_with(kText)) {
    query.kind = ClimateQuery::Kind::kReport;
    query.report = path.substr(kReports.size(), path.size() - kReports.size() - kText.size());
    if ((query.report.size() != 4 && query.report.size() != 7) || !climate::IsDateBound(query.report)) {
      error = "a report is /reports/YYYY-MM.txt or /reports/YYYY.txt";
      return ClimateRoute::kBad;
    }
  } else {
    return ClimateRoute::kNotClimate;
  }
  if (target.hasQuery) {
    error = "this path takes no parameters";
    return ClimateRoute::kBad;
  }
  return ClimateRoute::kQuery;
}

ClimateAnswer AnswerClimate(climate::ClimateBook& book, const std::string& path,
                            const ClimateQuery& query, const climate::ReportUnits& units,
                            const climate::ClimateOptions& options, const std::string& now) {
  ClimateAnswer answer;
  std::string error;
  if (!book.Refresh(path, error)) {
    answer.status = 500;
    answer.contentType = kJson;
    answer.body = "{\"error\":" + JsonString("the data file cannot be read") + "}\n";
    return answer;
  }
  answer.contentType = kJson;
  switch (query.kind) {
    case ClimateQuery::Kind::kSummary:
      answer.body = SummariesJson(book.Summaries(query.period, query.range), query.period);
      break;
    case ClimateQuery::Kind::kExtremes:
      answer.body = RecordsJson(book.Records(now));
      break;
    case ClimateQuery::Kind::kToday:
      answer.body = TodayJson(book.Today(now));
      break;
    case ClimateQuery::Kind::kReport:
      answer.contentType = "text/plain; charset=utf-8";
      answer.body = climate::ClimateReport(book, query.report, units, options);
      return answer;
  }
  answer.body += "\n";
  return answer;
}

}  // namespace skyvane
