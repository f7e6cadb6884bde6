#include "core/publish/http/climate_answers.h"

#include "core/app/time_text.h"
#include "core/publish/climate_json.h"

namespace skyvane {
namespace {

// The parameters of /api/summary: period (required), from and to (dates or
// their prefixes), each at most once. False with a one-line reason.
bool ParseSummary(const HttpTarget& target, climate::Period& period, climate::DateRange& range,
                  std::string& error) {
  bool havePeriod = false, haveFrom = false, haveTo = false;
  for (const auto& [name, value] : target.params) {
    bool* seen = name == "period" ? &havePeriod : name == "from" ? &haveFrom : name == "to" ? &haveTo : nullptr;
    if (!seen) {
      error = "unknown parameter (period, from and to are known)";
      return false;
    }
    if (*seen) {
      error = "a parameter is given twice";
      return false;
    }
    *seen = true;
    if (name == "period") {
      if (value == "day") period = climate::Period::kDay;
      else if (value == "month") period = climate::Period::kMonth;
      else if (value == "year") period = climate::Period::kYear;
      else {
        error = "period is day, month or year";
        return false;
      }
    } else if (!climate::IsDateBound(value)) {
      error = name + " is a date: YYYY, YYYY-MM or YYYY-MM-DD";
      return false;
    } else {
      (name == "from" ? range.from : range.to) = value;
    }
  }
  if (!havePeriod) error = "period is day, month or year";
  return havePeriod;
}

}  // namespace

bool IsClimatePath(std::string_view path) {
  return path == "/api/today" || path == "/api/summary" || path == "/api/extremes";
}

ClimateAnswer AnswerClimate(climate::ClimateBook& book, const std::string& dataPath,
                            const HttpTarget& target, std::time_t now) {
  climate::Period period = climate::Period::kDay;
  climate::DateRange range;
  std::string error;
  if (target.path == "/api/summary") {
    if (!ParseSummary(target, period, range, error)) return {400, error};
  } else if (target.hasQuery) {
    return {400, "this path takes no parameters"};
  }
  // Only what was appended since the last request is read.
  if (!book.Refresh(dataPath, error)) return {500, "the data file cannot be read"};
  const std::string local = LocalTimeText(now);
  if (target.path == "/api/summary") return {200, SummariesJson(book.Summaries(period, range), period) + "\n"};
  if (target.path == "/api/extremes") return {200, RecordsJson(book.Records(local)) + "\n"};
  return {200, TodayJson(book.Today(local)) + "\n"};
}

}  // namespace skyvane
