#include "core/publish/mqtt/ha_discovery.h"

#include <string_view>

#include "core/monitor/alarm_evaluation.h"
#include "core/publish/reading_json.h"

namespace skyvane {

namespace {

// "outdoor_temperature" → "outdoor temperature".
std::string Words(std::string_view key) {
  std::string text(key);
  for (char& c : text) {
    if (c == '_') c = ' ';
  }
  return text;
}

// "outdoor_temperature" → "Outdoor temperature".
std::string Title(std::string_view key) {
  std::string text = Words(key);
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

// The entity id Home Assistant made of the former object_id "NODE_KEY":
// lower case, every run of other characters one '_', none at either end.
std::string EntitySlug(const std::string& text) {
  std::string slug;
  bool gap = false;
  for (char c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      if (gap && !slug.empty()) slug += '_';
      gap = false;
      slug += c;
    } else {
      gap = true;
    }
  }
  return slug;
}

std::string Field(std::string_view name, const std::string& value) {
  return JsonString(name) + ":" + JsonString(value);
}

std::string Availability(const std::string& topic) {
  return "{" + Field("topic", topic) + "," + Field("payload_available", "online") + "," +
         Field("payload_not_available", "offline") + "}";
}

// What every entity of the station shares: where its state and availability
// come from, the one device it belongs to and the program that announced it.
std::string Common(const DiscoverySettings& s, std::string_view platform, std::string_view key,
                   const std::string& name, std::string_view stateTopic = "current") {
  const std::string id = s.node + "_" + std::string(key);
  std::string json;
  json += Field("name", name) + ",";
  json += Field("unique_id", id) + ",";
  json += Field("default_entity_id", std::string(platform) + "." + EntitySlug(id)) + ",";
  json += Field("state_topic", s.topicPrefix + "/" + std::string(stateTopic)) + ",";
  // Values of a station that is gone are not shown as if they were live.
  json += "\"availability\":[" + Availability(s.topicPrefix + "/status") + "," +
          Availability(s.topicPrefix + "/station") + "],";
  json += Field("availability_mode", "all") + ",";
  json += "\"device\":{\"identifiers\":[" + JsonString(s.node) + "]," +
          Field("name", "Skyvane weather station") + "," + Field("manufacturer", "Skyvane") + "," +
          Field("model", "USB weather station") + "," + Field("sw_version", s.version);
  if (!s.configurationUrl.empty()) json += "," + Field("configuration_url", s.configurationUrl);
  json += "},";
  json += "\"origin\":{" + Field("name", "Skyvane") + "," + Field("sw_version", s.version) + "}";
  return json;
}

struct SensorClasses {
  std::string deviceClass;  // empty: none
  std::string stateClass;
};

// A direction is an angle: its statistics average 350° and 10° to 0°, not 180°.
SensorClasses ClassesOf(const ReadingKey& key) {
  if (key.unit == "°") return {"wind_direction", "measurement_angle"};
  return {std::string(key.deviceClass), key.totalIncreasing ? "total_increasing" : "measurement"};
}

// The day's climate on PREFIX/today (TodayJson). Rain today starts again at
// midnight: a total whose fall Home Assistant takes for a new cycle.
struct TodaySensor {
  std::string_view key;       // entity key
  std::string_view valueKey;  // key in PREFIX/today
  std::string_view unit;      // empty: none
  std::string_view deviceClass;
  std::string_view stateClass;  // empty: none
};
constexpr TodaySensor kTodaySensors[] = {
    {"outdoor_temperature_high_today", "outdoor_temperature_high", "°C", "temperature", "measurement"},
    {"outdoor_temperature_low_today", "outdoor_temperature_low", "°C", "temperature", "measurement"},
    {"rain_today", "rain_today", "mm", "precipitation", "total_increasing"},
    // A change of pressure, not a pressure: no device class.
    {"pressure_trend", "pressure_trend", "hPa", "", "measurement"},
    {"pressure_tendency", "pressure_tendency", "", "enum", ""},
};

std::string TodayConfig(const DiscoverySettings& s, const TodaySensor& sensor) {
  std::string json = "{" + Common(s, "sensor", sensor.key, Title(sensor.key), "today") + ",";
  json += Field("value_template", "{{ value_json." + std::string(sensor.valueKey) + " }}");
  if (!sensor.unit.empty()) json += "," + Field("unit_of_measurement", std::string(sensor.unit));
  if (!sensor.deviceClass.empty()) json += "," + Field("device_class", std::string(sensor.deviceClass));
  if (!sensor.stateClass.empty()) json += "," + Field("state_class", std::string(sensor.stateClass));
  if (sensor.deviceClass == "enum") json += ",\"options\":[\"rising\",\"steady\",\"falling\"]";
  return json + "}";
}

}  // namespace

bool IsDiscoveryNode(const std::string& node) {
  if (node.empty()) return false;
  for (char c : node) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '-';
    if (!ok) return false;
  }
  return true;
}

bool IsDiscoveryConfigTopic(const std::string& topic) {
  if (topic.empty() || topic.size() > 1024 || topic.find_first_of("+#") != std::string::npos) return false;
  for (unsigned char c : topic) {
    if (c < 0x20 || c == 0x7f) return false;
  }
  constexpr std::string_view kConfig = "/config";
  if (!topic.ends_with(kConfig)) return false;
  const std::string_view rest(topic.data(), topic.size() - kConfig.size());
  const std::size_t keySlash = rest.rfind('/');
  if (keySlash == std::string_view::npos || keySlash + 1 == rest.size()) return false;
  const std::size_t nodeSlash = rest.rfind('/', keySlash - 1);
  if (nodeSlash == std::string_view::npos || nodeSlash == 0) return false;
  if (!IsDiscoveryNode(std::string(rest.substr(nodeSlash + 1, keySlash - nodeSlash - 1)))) return false;
  const std::string_view head = rest.substr(0, nodeSlash);
  return head.ends_with("/sensor") || head.ends_with("/binary_sensor");
}

std::vector<TopicMessage> HomeAssistantDiscovery(const DiscoverySettings& s) {
  std::vector<TopicMessage> messages;
  for (const ReadingKey& key : ReadingKeys()) {
    const std::string k(key.name);
    const SensorClasses classes = ClassesOf(key);
    std::string json = "{" + Common(s, "sensor", key.name, Title(key.name)) + ",";
    json += Field("value_template", "{{ value_json." + k + " }}") + ",";
    json += Field("unit_of_measurement", std::string(key.unit)) + ",";
    if (!classes.deviceClass.empty()) json += Field("device_class", classes.deviceClass) + ",";
    json += Field("state_class", classes.stateClass) + "}";
    messages.push_back({s.discoveryPrefix + "/sensor/" + s.node + "/" + k + "/config", json});
  }
  for (const TodaySensor& sensor : kTodaySensors) {
    if (!s.today) break;
    messages.push_back({s.discoveryPrefix + "/sensor/" + s.node + "/" + std::string(sensor.key) + "/config",
                        TodayConfig(s, sensor)});
  }
  for (int lamp = 1; lamp <= kLampCount; ++lamp) {
    const std::string k(LampKey(lamp));
    std::string json = "{" + Common(s, "binary_sensor", "alarm_" + k, "Alarm " + Words(k)) + ",";
    // The lamp is "off", "armed" or "triggered"; only a triggered alarm is on.
    json += Field("value_template",
                  "{{ 'ON' if value_json.alarms." + k + " == 'triggered' else 'OFF' }}") + ",";
    json += Field("payload_on", "ON") + "," + Field("payload_off", "OFF") + "}";
    messages.push_back({s.discoveryPrefix + "/binary_sensor/" + s.node + "/" + k + "/config", json});
  }
  return messages;
}

}  // namespace skyvane
