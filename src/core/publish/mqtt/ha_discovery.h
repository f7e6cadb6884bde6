#pragma once
// Home Assistant discovery: the retained configuration messages from which
// Home Assistant creates one sensor per number of the reading and one binary
// sensor per alarm lamp, all under one device, fed by PREFIX/current.
#include <string>
#include <vector>

namespace skyvane {

inline constexpr const char* kDefaultDiscoveryPrefix = "homeassistant";
inline constexpr const char* kDefaultDiscoveryNode = "skyvane";

struct DiscoverySettings {
  std::string discoveryPrefix = kDefaultDiscoveryPrefix;
  std::string node = kDefaultDiscoveryNode;  // the device's id, one topic level
  std::string topicPrefix;                   // our PREFIX: PREFIX/current, PREFIX/status
  std::string version;                       // the program's version, for the device block
};

struct TopicMessage {
  std::string topic;
  std::string payload;
};

// The sensors in the order of ReadingKeys(), then the 23 lamps.
std::vector<TopicMessage> HomeAssistantDiscovery(const DiscoverySettings& settings);

// True for a text usable as one topic level of a node id: letters, digits,
// '_' and '-'.
bool IsDiscoveryNode(const std::string& node);

}  // namespace skyvane
