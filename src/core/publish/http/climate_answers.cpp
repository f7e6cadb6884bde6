#include "core/publish/http/climate_answers.h"

#include "core/app/time_text.h"
#include "core/publish/reading_json.h"

namespace skyvane {
namespace {

std::string NumberOrNull(const std::optional<double>& value) {
  return value ? JsonNumber(*value) : std::string("null");
}

std::string TimeOrNull(const std::string& storedTime) {
  const std::string iso = storedTime.empty() ? std::string() : IsoLocalTime(storedTime);
  return iso.empty() ? std::string("null") : JsonString(iso);
}

std::string_view TrendName(climate::Trend trend) {
  switch (trend) {
    case climate::Trend::kRising: return "\"rising\"";
    case climate::Trend::kFalling: return "\"falling\"";
    case climate::Trend::kSteady: return "\"steady\"";
    default: return "null";
  }
}

void AppendExtreme(std::string& json, std::string_view key, const climate::Extreme& extreme) {
  json += ",\"";
  json += key;
  json += "\":";
  json += NumberOrNull(extreme.value);
  json += ",\"";
  json += key;
  json += "_time\":";
  json += TimeOrNull(extreme.time);
}

}  // namespace

bool IsClimatePath(std::string_view path) { return path == "/api/today"; }

std::string TodayJson(const climate::TodayValues& today) {
  std::string json = "{\"date\":";
  json += today.date.empty() ? std::string("null") : JsonString(today.date);
  AppendExtreme(json, "outdoor_temperature_high", today.temperatureHigh);
  AppendExtreme(json, "outdoor_temperature_low", today.temperatureLow);
  json += ",\"rain_today\":" + NumberOrNull(today.rainToday);
  json += ",\"rain_last_hour\":" + NumberOrNull(today.rainLastHour);
  json += ",\"pressure_trend\":" + NumberOrNull(today.pressureTrend);
  json += ",\"pressure_tendency\":";
  json += TrendName(today.trend);
  json += "}";
  return json;
}

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
