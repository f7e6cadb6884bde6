#pragma once
// The MQTT configuration of a program: the address from --mqtt or from key
// Url of section [mqtt] in Skyvane.ini (the option wins), and the section's
// other keys:
//   [mqtt]
//   Url=mqtts://weather@broker.example.org/wx
//   PasswordFile=/etc/skyvane/mqtt-password   ; else $SKYVANE_MQTT_PASSWORD
//   CaFile=/etc/skyvane/broker-ca.pem         ; else the system's CA store
//   Discovery=1                               ; 0: no Home Assistant discovery
//   DiscoveryPrefix=homeassistant
//   Node=skyvane
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "core/publish/mqtt/mqtt_publisher.h"

namespace skyvane {

inline constexpr const char* kMqttPasswordVariable = "SKYVANE_MQTT_PASSWORD";

struct MqttSettings {
  std::string url;           // empty: no publishing
  std::string passwordFile;  // relative to the program folder when not absolute
  std::string caFile;        // likewise
  bool discovery = true;
  std::string discoveryPrefix = "homeassistant";
  std::string node = "skyvane";
};

// Section [mqtt] of the folder's Skyvane.ini; missing keys take their defaults.
MqttSettings LoadMqttSettings(const std::filesystem::path& folder);

// The publisher's options from the settings, the --mqtt option (which wins
// over Url) and the password variable's value (null when unset). enabled is
// false when no address is given at all. False with a one-line message when
// the configuration cannot be used.
bool MakeMqttOptions(const MqttSettings& settings, const std::optional<std::string>& urlOption,
                     const char* passwordVariable, const std::filesystem::path& folder,
                     MqttOptions& options, bool& enabled, std::string& error);

// What a program does at start: read the configuration, and when it asks for
// MQTT, start a publisher that keeps its queue beside the data file. Null when
// MQTT is not configured or cannot be used (the reason then went to log as an
// error line; the program goes on logging without it). dashboardUrl: where
// the program serves its dashboard, empty when it does not.
std::unique_ptr<MqttPublisher> StartMqttPublisher(const std::filesystem::path& folder,
                                                  const std::optional<std::string>& urlOption,
                                                  const std::string& version, MqttLog log,
                                                  const std::string& dashboardUrl = {});

// The address a browser elsewhere reaches the dashboard at, served on host
// and port: "http://HOST:PORT/". An address that names no one host (0.0.0.0,
// ::, empty) is replaced by machineName; empty when that is empty too.
std::string DashboardUrl(const std::string& host, int port, const std::string& machineName);

// This machine's host name; empty when it has none.
std::string MachineName();

}  // namespace skyvane
