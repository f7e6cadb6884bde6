#pragma once
// Home Assistant discovery: the retained configuration messages from which
// Home Assistant creates one sensor per number of the reading and one binary
// sensor per alarm lamp, all under one device, fed by PREFIX/current (and the
// day's climate sensors by PREFIX/today) and available while both the
// program (PREFIX/status) and the station (PREFIX/station) are online.
#include <string>
#include <vector>

namespace skyvane {

inline constexpr const char* kDefaultDiscoveryPrefix = "homeassistant";
inline constexpr const char* kDefaultDiscoveryNode = "skyvane";

struct DiscoverySettings {
  std::string discoveryPrefix = kDefaultDiscoveryPrefix;
  std::string node = kDefaultDiscoveryNode;  // the device's id, one topic level
  std::string topicPrefix;                   // our PREFIX: PREFIX/current, PREFIX/status
  std::string version;                       // the program's version, for device and origin
  std::string configurationUrl;              // the dashboard; empty when none is served
  bool today = false;                        // PREFIX/today is published: its sensors too
};

struct TopicMessage {
  std::string topic;
  std::string payload;
};

// The sensors in the order of ReadingKeys(), then today's climate sensors
// (high and low temperature, rain, pressure trend and tendency) when
// settings.today, then the 23 lamps.
std::vector<TopicMessage> HomeAssistantDiscovery(const DiscoverySettings& settings);

// True for a text usable as one topic level of a node id: letters, digits,
// '_' and '-'.
bool IsDiscoveryNode(const std::string& node);

// True for a topic of the form PREFIX/sensor|binary_sensor/NODE/KEY/config:
// the only topics a record of earlier announcements may make us clear.
bool IsDiscoveryConfigTopic(const std::string& topic);

}  // namespace skyvane
