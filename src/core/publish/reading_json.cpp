#include "core/publish/reading_json.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/app/time_text.h"
#include "core/history/history_line.h"
#include "core/publish/world_texts.h"

namespace skyvane {
namespace {

constexpr ReadingKey kKeys[] = {
    {"indoor_temperature", row::indoorTemperature, "°C", "temperature", false},
    {"outdoor_temperature", row::outdoorTemperature, "°C", "temperature", false},
    {"dewpoint", row::dewPoint, "°C", "temperature", false},
    {"windchill", row::windChill, "°C", "temperature", false},
    {"indoor_humidity", row::indoorHumidity, "%", "humidity", false},
    {"outdoor_humidity", row::outdoorHumidity, "%", "humidity", false},
    {"absolute_pressure", row::absolutePressure, "hPa", "atmospheric_pressure", false},
    {"relative_pressure", row::relativePressure, "hPa", "atmospheric_pressure", false},
    {"wind_speed", row::windSpeed, "m/s", "wind_speed", false},
    {"gust_speed", row::gustSpeed, "m/s", "wind_speed", false},
    {"wind_level", row::windLevel, "Bft", "", false},
    {"gust_level", row::gustLevel, "Bft", "", false},
    {"wind_direction", row::windDir, "°", "", false},
    {"rain_hour", row::rainHour, "mm", "precipitation", false},
    {"rain_24h", row::rain24h, "mm", "precipitation", false},
    {"rain_week", row::rainWeek, "mm", "precipitation", false},
    {"rain_month", row::rainMonth, "mm", "precipitation", false},
    {"rain_total", row::rainTotal, "mm", "precipitation", true},
};

// In the order of the lamps 1..23.
constexpr std::array<std::string_view, kLampCount> kLampKeys = {
    "indoor_humidity_high",  "indoor_humidity_low",  "indoor_temperature_high",
    "indoor_temperature_low", "outdoor_humidity_high", "outdoor_humidity_low",
    "outdoor_temperature_high", "outdoor_temperature_low", "windchill_high",
    "windchill_low",         "dewpoint_high",        "dewpoint_low",
    "absolute_pressure_high", "absolute_pressure_low", "relative_pressure_high",
    "relative_pressure_low", "wind_level_high",      "wind_speed_high",
    "gust_level_high",       "gust_speed_high",      "wind_direction",
    "rain_hour_high",        "rain_24h_high",
};

// Sixteen compass points of 22.5 degrees, code 0 being north.
constexpr int kDirectionCodes = 16;
constexpr double kDegreesPerCode = 22.5;

std::optional<double> NumberIn(std::string_view text) {
  text = TrimLine(text);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string_view LampStateKey(LampState state) {
  switch (state) {
    case LampState::kArmed: return "armed";
    case LampState::kTriggered: return "triggered";
    case LampState::kDisabled: break;
  }
  return "off";
}

std::string ValueOrNull(std::optional<double> value) {
  return value ? JsonNumber(*value) : std::string("null");
}

// "time", the numbers and the direction name: what the live reading and a
// record have in common.
void AppendCommonKeys(std::string& json, const std::string& isoTime, const HistoryRow& stored) {
  json += "\"time\":";
  json += isoTime.empty() ? std::string("null") : JsonString(isoTime);
  for (const ReadingKey& key : kKeys) {
    json += ",";
    json += JsonString(key.name);
    json += ":";
    json += ValueOrNull(ReadingValue(stored, key));
  }
  // The data file keeps the program's own names ("NEE"); readers get the world's.
  const std::string_view name = WorldCompassPoint(TrimLine(stored[row::directionName]));
  json += ",\"wind_direction_name\":";
  json += name.empty() ? std::string("null") : JsonString(name);
}

}  // namespace

std::span<const ReadingKey> ReadingKeys() { return kKeys; }

std::string_view LampKey(int number) {
  if (number < 1 || number > kLampCount) return {};
  return kLampKeys[static_cast<std::size_t>(number - 1)];
}

std::optional<double> ReadingValue(const HistoryRow& stored, const ReadingKey& key) {
  const std::optional<double> value = NumberIn(stored[static_cast<std::size_t>(key.field)]);
  if (key.field != row::windDir || !value) return value;
  // The direction is stored as its compass code; anything else means no direction.
  if (*value < 0 || *value >= kDirectionCodes || *value != std::floor(*value)) return std::nullopt;
  return *value * kDegreesPerCode;
}

std::string IsoLocalTime(std::time_t t) {
  std::tm parts{};
  if (localtime_r(&t, &parts) == nullptr) return {};
  const long offset = parts.tm_gmtoff;
  const long minutes = (offset < 0 ? -offset : offset) / 60;
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld",
                parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                parts.tm_min, parts.tm_sec, offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
  return text;
}

std::string IsoLocalTime(std::string_view storedTime) {
  const std::time_t t = LocalTimeOfText(TrimLine(storedTime));
  return t == static_cast<std::time_t>(-1) ? std::string() : IsoLocalTime(t);
}

std::string CurrentReadingJson(const HistoryRow& stored, const LampStates& lamps,
                               std::time_t readTime) {
  return CurrentReadingJson(stored, std::optional<LampStates>(lamps), readTime);
}

std::string CurrentReadingJson(const HistoryRow& stored, const std::optional<LampStates>& lamps,
                               std::time_t readTime) {
  std::string json = "{";
  AppendCommonKeys(json, IsoLocalTime(readTime), stored);
  json += ",\"alarms\":{";
  for (int number = 1; number <= kLampCount; ++number) {
    if (number > 1) json += ",";
    json += JsonString(LampKey(number));
    json += ":";
    json += lamps ? JsonString(LampStateKey((*lamps)[static_cast<std::size_t>(number - 1)]))
                  : std::string("\"unknown\"");
  }
  json += "}}";
  return json;
}

std::string RecordJson(const HistoryRow& stored) {
  std::string json = "{";
  AppendCommonKeys(json, IsoLocalTime(stored[row::recordTime]), stored);
  const std::string_view address = TrimLine(stored[row::stationAddress]);
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(address.data(), address.data() + address.size(), value, 16);
  json += ",\"address\":";
  json += !address.empty() && ec == std::errc() && end == address.data() + address.size()
              ? std::to_string(value)
              : std::string("null");
  json += ",\"sequence\":";
  json += ValueOrNull(NumberIn(stored[row::sequenceNo]));
  json += ",\"interval\":";
  json += ValueOrNull(NumberIn(stored[row::interval]));
  json += "}";
  return json;
}

std::string JsonString(std::string_view text) {
  std::string json;
  json.reserve(text.size() + 2);
  json += '"';
  std::size_t plain = 0;  // where the run of characters copied as they are begins
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '"' && c != '\\' && static_cast<unsigned char>(c) >= 0x20) continue;
    json.append(text.substr(plain, i - plain));
    plain = i + 1;
    switch (c) {
      case '"': json += "\\\""; break;
      case '\\': json += "\\\\"; break;
      case '\n': json += "\\n"; break;
      case '\r': json += "\\r"; break;
      case '\t': json += "\\t"; break;
      default: {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
        json += escape;
      }
    }
  }
  json.append(text.substr(plain));
  json += '"';
  return json;
}

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  if (value == 0) return "0";  // no "-0"
  char text[32];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return ec == std::errc() ? std::string(text, end) : std::string("null");
}

}  // namespace skyvane
