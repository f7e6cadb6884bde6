// The Home Assistant discovery configurations against what Home Assistant's
// MQTT discovery accepts today (sensor and binary_sensor platforms, the
// sensor device classes with their units and state classes).
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "core/publish/mqtt/ha_discovery.h"
#include "core/publish/mqtt/mqtt_setup.h"

namespace skyvane {
namespace {

using nlohmann::json;

// The keys of an MQTT sensor / binary sensor configuration (object_id was
// dropped in 2026.4 for default_entity_id).
const std::set<std::string> kCommonKeys = {
    "availability", "availability_mode", "availability_template", "availability_topic",
    "default_entity_id", "device", "device_class", "enabled_by_default", "encoding",
    "entity_category", "entity_picture", "expire_after", "force_update", "icon",
    "json_attributes_template", "json_attributes_topic", "name", "origin", "payload_available",
    "payload_not_available", "platform", "qos", "state_topic", "unique_id", "value_template"};
const std::map<std::string, std::set<std::string>> kPlatformKeys = {
    {"sensor", {"last_reset_value_template", "options", "state_class", "suggested_display_precision",
                "unit_of_measurement"}},
    {"binary_sensor", {"off_delay", "payload_off", "payload_on"}},
};
const std::set<std::string> kDeviceKeys = {"configuration_url", "connections", "hw_version", "identifiers",
                                           "manufacturer", "model", "model_id", "name", "serial_number",
                                           "suggested_area", "sw_version", "via_device"};
const std::set<std::string> kOriginKeys = {"name", "sw_version", "support_url"};
const std::set<std::string> kAvailabilityKeys = {"topic", "payload_available", "payload_not_available",
                                                 "value_template"};

// Sensor device class → the units and state classes Home Assistant accepts
// with it; "" is a sensor without device class (any unit).
struct Accepted {
  std::set<std::string> units;
  std::set<std::string> stateClasses;
};
const std::map<std::string, Accepted> kDeviceClasses = {
    {"temperature", {{"°C", "°F", "K"}, {"measurement"}}},
    {"humidity", {{"%"}, {"measurement"}}},
    {"atmospheric_pressure", {{"cbar", "bar", "hPa", "mmHg", "inHg", "kPa", "mbar", "Pa", "psi"}, {"measurement"}}},
    {"wind_speed", {{"Beaufort", "ft/s", "km/h", "kn", "m/s", "mph"}, {"measurement"}}},
    {"wind_direction", {{"°"}, {"measurement_angle"}}},
    {"precipitation", {{"cm", "in", "mm"}, {"measurement", "total", "total_increasing"}}},
    {"enum", {{""}, {""}}},  // neither unit nor state class
    {"", {{"Bft", "hPa"}, {"measurement"}}},
};

// What a key's config must say beyond the table: the running total only
// grows; the windows and the direction are measurements of their own kind.
const std::map<std::string, std::string> kStateClassOf = {
    {"rain_total", "total_increasing"}, {"rain_24h", "measurement"}, {"wind_direction", "measurement_angle"},
    {"rain_today", "total_increasing"}};  // starts again at midnight: a new cycle

// The day's climate sensors, fed by PREFIX/today.
const std::set<std::string> kTodayKeys = {"outdoor_temperature_high_today", "outdoor_temperature_low_today",
                                          "rain_today", "pressure_trend", "pressure_tendency"};

void ExpectOnly(const json& object, const std::set<std::string>& allowed, const std::string& where) {
  ASSERT_TRUE(object.is_object()) << where;
  for (const auto& [key, value] : object.items()) EXPECT_TRUE(allowed.contains(key)) << where << ": " << key;
}

TEST(HomeAssistantDiscovery, EveryConfigIsOneHomeAssistantAccepts) {
  struct Row {
    const char* node;
    const char* url;
    const char* slug;  // the node as entity ids had it from object_id
    bool today;
  };
  const Row rows[] = {
      {"skyvane", "", "skyvane", false},
      {"Roof-North", "http://wx.local:8080/", "roof_north", true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.node);
    const DiscoverySettings settings{"homeassistant", r.node, "wx", "1.2.3", r.url, r.today};
    std::size_t sensors = 0, todaySensors = 0;
    for (const TopicMessage& m : HomeAssistantDiscovery(settings)) {
      SCOPED_TRACE(m.topic);
      EXPECT_TRUE(IsDiscoveryConfigTopic(m.topic));
      const json config = json::parse(m.payload);
      const std::string platform = m.topic.substr(14, m.topic.find('/', 14) - 14);
      ASSERT_TRUE(kPlatformKeys.contains(platform));
      std::set<std::string> allowed = kCommonKeys;
      allowed.insert(kPlatformKeys.at(platform).begin(), kPlatformKeys.at(platform).end());
      ExpectOnly(config, allowed, "config");
      ExpectOnly(config.at("device"), kDeviceKeys, "device");
      ExpectOnly(config.at("origin"), kOriginKeys, "origin");

      const std::string topicEnd = m.topic.substr(0, m.topic.size() - std::string("/config").size());
      const std::string key = topicEnd.substr(topicEnd.rfind('/') + 1);
      const std::string entityKey = platform == "sensor" ? key : "alarm_" + key;
      EXPECT_EQ(config.at("unique_id"), std::string(r.node) + "_" + entityKey);
      EXPECT_EQ(config.at("default_entity_id"), platform + "." + r.slug + "_" + entityKey);
      todaySensors += kTodayKeys.contains(key);
      EXPECT_EQ(config.at("state_topic"), kTodayKeys.contains(key) ? "wx/today" : "wx/current");
      EXPECT_EQ(config.at("availability_mode"), "all");
      EXPECT_EQ(config.at("availability"),
                json::parse(R"([{"topic":"wx/status","payload_available":"online","payload_not_available":"offline"},)"
                            R"({"topic":"wx/station","payload_available":"online","payload_not_available":"offline"}])"));
      for (const json& a : config.at("availability")) ExpectOnly(a, kAvailabilityKeys, "availability");
      EXPECT_EQ(config.at("origin"), json::parse(R"({"name":"Skyvane","sw_version":"1.2.3"})"));
      EXPECT_EQ(config.at("device").value("configuration_url", ""), r.url);
      if (platform != "sensor") continue;

      ++sensors;
      const std::string deviceClass = config.value("device_class", "");
      ASSERT_TRUE(kDeviceClasses.contains(deviceClass)) << deviceClass;
      EXPECT_TRUE(kDeviceClasses.at(deviceClass).units.contains(config.value("unit_of_measurement", "")))
          << config.value("unit_of_measurement", "");
      EXPECT_TRUE(kDeviceClasses.at(deviceClass).stateClasses.contains(config.value("state_class", "")));
      if (kStateClassOf.contains(key)) {
        EXPECT_EQ(config.at("state_class"), kStateClassOf.at(key));
      }
      // An enum sensor names its states; no other sensor has any.
      EXPECT_EQ(config.contains("options"), deviceClass == "enum");
      if (deviceClass == "enum") {
        EXPECT_EQ(config.at("options"), json::parse(R"(["rising","steady","falling"])"));
      }
    }
    EXPECT_GT(sensors, 0u);
    EXPECT_EQ(todaySensors, r.today ? kTodayKeys.size() : 0u);
  }
}

TEST(HomeAssistantDiscovery, OnlyDiscoveryConfigTopicsMayBeCleared) {
  const std::pair<const char*, bool> rows[] = {
      {"homeassistant/sensor/skyvane/rain_total/config", true},
      {"ha/x/binary_sensor/roof-1/wind_high/config", true},
      {"wx/current", false},
      {"homeassistant/light/skyvane/lamp/config", false},
      {"homeassistant/sensor/sky/vane/config", true},
      {"homeassistant/sensor/sky vane/x/config", false},
      {"homeassistant/sensor/skyvane//config", false},
      {"homeassistant/sensor/+/x/config", false},
      {"sensor/skyvane/x/config", false},
      {"homeassistant/sensor/skyvane/x/config\r", false},
  };
  for (const auto& [topic, ok] : rows) EXPECT_EQ(IsDiscoveryConfigTopic(topic), ok) << topic;
}

TEST(HomeAssistantDiscovery, TheDashboardIsNamedByAnAddressABrowserElsewhereCanUse) {
  struct Row {
    const char* host;
    int port;
    const char* machine;
    const char* url;
  };
  const Row rows[] = {
      {"192.168.1.5", 8080, "wxhost", "http://192.168.1.5:8080/"},
      {"0.0.0.0", 8080, "wxhost", "http://wxhost:8080/"},
      {"::", 80, "wxhost", "http://wxhost:80/"},
      {"", 80, "wxhost", "http://wxhost:80/"},
      {"0.0.0.0", 8080, "", ""},
      {"fe80::1", 8080, "wxhost", "http://[fe80::1]:8080/"},
      {"127.0.0.1", 0, "wxhost", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(DashboardUrl(r.host, r.port, r.machine), r.url) << r.host;
}

}  // namespace
}  // namespace skyvane
