#include "core/publish/mqtt/ha_discovery.h"

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

std::string Field(std::string_view name, const std::string& value) {
  return JsonString(name) + ":" + JsonString(value);
}

// What every entity of the station shares: where its state and availability
// come from, and the one device it belongs to.
std::string Common(const DiscoverySettings& s, std::string_view key, const std::string& name) {
  std::string json;
  json += Field("name", name) + ",";
  json += Field("unique_id", s.node + "_" + std::string(key)) + ",";
  json += Field("object_id", s.node + "_" + std::string(key)) + ",";
  json += Field("state_topic", s.topicPrefix + "/current") + ",";
  json += Field("availability_topic", s.topicPrefix + "/status") + ",";
  json += Field("payload_available", "online") + ",";
  json += Field("payload_not_available", "offline") + ",";
  json += "\"device\":{\"identifiers\":[" + JsonString(s.node) + "]," +
          Field("name", "Skyvane weather station") + "," + Field("manufacturer", "Skyvane") + "," +
          Field("model", "USB weather station") + "," + Field("sw_version", s.version) + "}";
  return json;
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

std::vector<TopicMessage> HomeAssistantDiscovery(const DiscoverySettings& s) {
  std::vector<TopicMessage> messages;
  for (const ReadingKey& key : ReadingKeys()) {
    const std::string k(key.name);
    std::string json = "{" + Common(s, key.name, Title(key.name)) + ",";
    json += Field("value_template", "{{ value_json." + k + " }}") + ",";
    json += Field("unit_of_measurement", std::string(key.unit)) + ",";
    if (!key.deviceClass.empty()) json += Field("device_class", std::string(key.deviceClass)) + ",";
    json += Field("state_class", key.totalIncreasing ? "total_increasing" : "measurement") + "}";
    messages.push_back({s.discoveryPrefix + "/sensor/" + s.node + "/" + k + "/config", json});
  }
  for (int lamp = 1; lamp <= kLampCount; ++lamp) {
    const std::string k(LampKey(lamp));
    std::string json = "{" + Common(s, "alarm_" + k, "Alarm " + Words(k)) + ",";
    // The lamp is "off", "armed" or "triggered"; only a triggered alarm is on.
    json += Field("value_template",
                  "{{ 'ON' if value_json.alarms." + k + " == 'triggered' else 'OFF' }}") + ",";
    json += Field("payload_on", "ON") + "," + Field("payload_off", "OFF") + "}";
    messages.push_back({s.discoveryPrefix + "/binary_sensor/" + s.node + "/" + k + "/config", json});
  }
  return messages;
}

}  // namespace skyvane
