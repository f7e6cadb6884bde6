#include "core/publish/http/live_metrics.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "core/monitor/alarm_evaluation.h"
#include "core/publish/metrics_text.h"
#include "core/publish/reading_json.h"

namespace skyvane {
namespace {

struct MetricUnit {
  std::string_view suffix;  // the unit as Prometheus spells it in a name
  double factor;            // from the reading's unit to it
};

// Prometheus wants lengths in its base unit: rain goes out in meters.
MetricUnit UnitOf(std::string_view unit) {
  if (unit == "°C") return {"celsius", 1};
  if (unit == "%") return {"percent", 1};
  if (unit == "hPa") return {"hectopascals", 1};
  if (unit == "m/s") return {"meters_per_second", 1};
  if (unit == "Bft") return {"beaufort", 1};
  if (unit == "°") return {"degrees", 1};
  if (unit == "mm") return {"meters", 0.001};
  return {"", 1};
}

bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
  if (at + count > text.size()) return false;
  const char* first = text.data() + at;
  const auto [end, ec] = std::from_chars(first, first + count, value);
  return ec == std::errc() && end == first + count && text[at] != '-' && text[at] != '+';
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

}  // namespace

long long IsoTimeSeconds(std::string_view iso) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, offH = 0, offM = 0;
  if (iso.size() != 25 || iso[4] != '-' || iso[7] != '-' || iso[10] != 'T' || iso[13] != ':' ||
      iso[16] != ':' || (iso[19] != '+' && iso[19] != '-') || iso[22] != ':' ||
      !Digits(iso, 0, 4, year) || !Digits(iso, 5, 2, month) || !Digits(iso, 8, 2, day) ||
      !Digits(iso, 11, 2, hour) || !Digits(iso, 14, 2, minute) || !Digits(iso, 17, 2, second) ||
      !Digits(iso, 20, 2, offH) || !Digits(iso, 23, 2, offM) || month < 1 || month > 12 || day < 1 ||
      day > 31 || hour > 23 || minute > 59 || second > 60 || offM > 59) {
    return -1;
  }
  const long long offset = (iso[19] == '-' ? -1 : 1) * (offH * 3600LL + offM * 60LL);
  return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 +
         hour * 3600LL + minute * 60LL + second - offset;
}

std::string LiveMetricsText(const std::string& currentJson) {
  const nlohmann::json json = nlohmann::json::parse(currentJson, nullptr, false);
  const auto value = [&json](std::string_view key) -> const nlohmann::json* {
    if (!json.is_object()) return nullptr;
    const auto it = json.find(key);
    return it == json.end() ? nullptr : &*it;
  };
  MetricsText out;
  for (const ReadingKey& key : ReadingKeys()) {
    const MetricUnit unit = UnitOf(key.unit);
    out.Family("skyvane_" + std::string(key.name) + "_" + std::string(unit.suffix), "gauge",
               "The live " + std::string(key.name) + " reading in " + std::string(unit.suffix) + ".");
    if (const nlohmann::json* v = value(key.name); v != nullptr && v->is_number()) {
      out.Sample(v->get<double>() * unit.factor);
    }
  }
  out.Family("skyvane_station_up", "gauge", "1 when the last polling cycle read the station, else 0.");
  const nlohmann::json* connected = value("connected");
  out.Sample(connected != nullptr && connected->is_boolean() && connected->get<bool>() ? 1 : 0);
  out.Family("skyvane_last_read_timestamp_seconds", "gauge", "When the station was last read, in seconds since the epoch.");
  if (const nlohmann::json* last = value("last_read"); last != nullptr && last->is_string()) {
    const long long seconds = IsoTimeSeconds(last->get<std::string>());
    if (seconds >= 0) out.Sample(static_cast<double>(seconds));
  }
  out.Family("skyvane_alarm_state", "gauge", "1 for the state each alarm is in; all 0 while unknown.");
  const nlohmann::json* alarms = value("alarms");
  for (int number = 1; number <= kLampCount; ++number) {
    const std::string name(LampKey(number));
    std::string state;
    if (alarms != nullptr && alarms->is_object() && alarms->contains(name) && (*alarms)[name].is_string()) {
      state = (*alarms)[name].get<std::string>();
    }
    for (const char* s : {"off", "armed", "triggered"}) {
      out.Sample(state == s ? 1 : 0, {{"alarm", name}, {"state", s}});
    }
  }
  return out.Text();
}

}  // namespace skyvane
