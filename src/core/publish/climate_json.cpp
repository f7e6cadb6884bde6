#include "core/publish/climate_json.h"

#include "core/climate/climate_text.h"
#include "core/publish/reading_json.h"

namespace skyvane {
namespace {

using climate::Extreme;
using climate::FixedText;
using climate::Summary;

std::string Time(const Extreme& e) { return e.value ? IsoLocalTime(e.time) : std::string(); }
std::string Direction(const std::optional<int>& d) { return d ? std::to_string(*d) : std::string(); }

// Every value of a summary to one decimal (humidity extremes whole percent).
constexpr SummaryColumn kColumns[] = {
    {"date", true, [](const Summary& s) { return s.date; }},
    {"records", false, [](const Summary& s) { return std::to_string(s.records); }},
    {"outdoor_temperature_high", false, [](const Summary& s) { return FixedText(s.temperatureHigh.value, 1); }},
    {"outdoor_temperature_high_time", true, [](const Summary& s) { return Time(s.temperatureHigh); }},
    {"outdoor_temperature_low", false, [](const Summary& s) { return FixedText(s.temperatureLow.value, 1); }},
    {"outdoor_temperature_low_time", true, [](const Summary& s) { return Time(s.temperatureLow); }},
    {"outdoor_temperature_mean", false, [](const Summary& s) { return FixedText(s.temperatureMean, 1); }},
    {"outdoor_humidity_high", false, [](const Summary& s) { return FixedText(s.humidityHigh.value, 0); }},
    {"outdoor_humidity_low", false, [](const Summary& s) { return FixedText(s.humidityLow.value, 0); }},
    {"outdoor_humidity_mean", false, [](const Summary& s) { return FixedText(s.humidityMean, 1); }},
    {"relative_pressure_high", false, [](const Summary& s) { return FixedText(s.pressureHigh.value, 1); }},
    {"relative_pressure_low", false, [](const Summary& s) { return FixedText(s.pressureLow.value, 1); }},
    {"relative_pressure_mean", false, [](const Summary& s) { return FixedText(s.pressureMean, 1); }},
    {"wind_speed_mean", false, [](const Summary& s) { return FixedText(s.windSpeedMean, 1); }},
    {"gust_speed_high", false, [](const Summary& s) { return FixedText(s.gustHigh.value, 1); }},
    {"gust_speed_high_time", true, [](const Summary& s) { return Time(s.gustHigh); }},
    {"wind_direction_dominant", false, [](const Summary& s) { return Direction(s.directionDominant); }},
    {"rain", false, [](const Summary& s) { return FixedText(s.rain, 1); }},
    {"heating_degree_days", false, [](const Summary& s) { return FixedText(s.heatingDegreeDays, 1); }},
    {"cooling_degree_days", false, [](const Summary& s) { return FixedText(s.coolingDegreeDays, 1); }},
    {"days", false, [](const Summary& s) { return std::to_string(s.days); }},
    {"wettest_day", true, [](const Summary& s) { return s.wettestDay.day; }},
    {"wettest_day_rain", false, [](const Summary& s) { return FixedText(s.wettestDay.value, 1); }},
    {"rain_days_0_2", false, [](const Summary& s) { return std::to_string(s.rainDays02); }},
    {"rain_days_1", false, [](const Summary& s) { return std::to_string(s.rainDays1); }},
    {"rain_days_10", false, [](const Summary& s) { return std::to_string(s.rainDays10); }},
};
constexpr std::size_t kDayColumns = 20;

std::string JsonValue(const std::string& text, bool quoted) {
  if (text.empty()) return "null";
  return quoted ? JsonString(text) : text;
}

std::string ExtremeJson(const Extreme& e, bool dateOnly) {
  if (!e.value) return "null";
  return "{\"value\":" + FixedText(e.value, 1) + (dateOnly ? ",\"date\":" : ",\"time\":") +
         JsonString(dateOnly ? e.day : IsoLocalTime(e.time)) + "}";
}

std::string RecordsObject(const climate::Records& r) {
  return "{\"outdoor_temperature_high\":" + ExtremeJson(r.temperatureHigh, false) +
         ",\"outdoor_temperature_low\":" + ExtremeJson(r.temperatureLow, false) +
         ",\"gust_speed_high\":" + ExtremeJson(r.gustHigh, false) +
         ",\"wettest_day\":" + ExtremeJson(r.wettestDay, true) +
         ",\"relative_pressure_high\":" + ExtremeJson(r.pressureHigh, false) +
         ",\"relative_pressure_low\":" + ExtremeJson(r.pressureLow, false) + "}";
}

}  // namespace

std::span<const SummaryColumn> SummaryColumns(climate::Period period) {
  return std::span<const SummaryColumn>(kColumns).first(
      period == climate::Period::kDay ? kDayColumns : std::size(kColumns));
}

std::string SummariesJson(const std::vector<Summary>& summaries, climate::Period period) {
  std::string json = "[";
  for (const Summary& s : summaries) {
    if (json.size() > 1) json += ",";
    json += "{";
    for (const SummaryColumn& column : SummaryColumns(period)) {
      if (json.back() != '{') json += ",";
      json += JsonString(column.key) + ":" + JsonValue(column.value(s), column.quoted);
    }
    json += "}";
  }
  return json + "]";
}

std::string SummariesCsv(const std::vector<Summary>& summaries, climate::Period period) {
  std::string csv;
  for (const SummaryColumn& column : SummaryColumns(period)) {
    csv += (csv.empty() ? "" : ",") + std::string(column.key);
  }
  csv += "\n";
  for (const Summary& s : summaries) {
    bool first = true;
    for (const SummaryColumn& column : SummaryColumns(period)) {
      if (!first) csv += ",";
      first = false;
      csv += column.value(s);
    }
    csv += "\n";
  }
  return csv;
}

std::string RecordsJson(const climate::RecordsTable& records) {
  return "{\"all_time\":" + RecordsObject(records.allTime) +
         ",\"this_year\":" + RecordsObject(records.thisYear) +
         ",\"this_month\":" + RecordsObject(records.thisMonth) + "}";
}

std::string TodayJson(const climate::TodayValues& today) {
  const std::string trend(climate::TrendName(today.trend));
  return "{\"date\":" + JsonValue(today.date, true) +
         ",\"outdoor_temperature_high\":" + JsonValue(FixedText(today.temperatureHigh.value, 1), false) +
         ",\"outdoor_temperature_high_time\":" + JsonValue(Time(today.temperatureHigh), true) +
         ",\"outdoor_temperature_low\":" + JsonValue(FixedText(today.temperatureLow.value, 1), false) +
         ",\"outdoor_temperature_low_time\":" + JsonValue(Time(today.temperatureLow), true) +
         ",\"rain_today\":" + JsonValue(FixedText(today.rainToday, 1), false) +
         ",\"rain_last_hour\":" + JsonValue(FixedText(today.rainLastHour, 1), false) +
         ",\"pressure_trend\":" + JsonValue(FixedText(today.pressureTrend, 1), false) +
         ",\"pressure_tendency\":" + JsonValue(trend, true) + "}";
}

}  // namespace skyvane
