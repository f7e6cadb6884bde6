#include "core/publish/http/climate_answers.h"

#include "core/app/time_text.h"
#include "core/publish/climate_json.h"

namespace skyvane {

bool IsClimatePath(std::string_view path) { return path == "/api/today"; }

ClimateAnswer AnswerClimate(climate::ClimateBook& book, const std::string& dataPath,
                            const HttpTarget& target, std::time_t now) {
  ClimateAnswer answer;
  if (target.hasQuery) return {400, "this path takes no parameters"};
  std::string error;
  // Only what was appended since the last request is read.
  if (!book.Refresh(dataPath, error)) return {500, "the data file cannot be read"};
  answer.body = TodayJson(book.Today(LocalTimeText(now))) + "\n";
  return answer;
}

}  // namespace skyvane
