#pragma once
// The broker address of the MQTT publisher:
//   mqtt://[user@]host[:port][/prefix]   plain TCP, port 1883
//   mqtts://[user@]host[:port][/prefix]  TLS, port 8883
// The prefix is the first part of every topic (default "skyvane"). A password
// never goes into the address: it would show in the process list and in
// shell histories, so an address with one is refused.
#include <string>
#include <string_view>

namespace skyvane {

inline constexpr const char* kDefaultMqttPrefix = "skyvane";
inline constexpr int kMqttPort = 1883;
inline constexpr int kMqttsPort = 8883;

struct MqttUrl {
  bool tls = false;
  std::string user;  // empty: no user name
  std::string host;  // without the brackets of an IPv6 address
  int port = kMqttPort;
  std::string prefix = kDefaultMqttPrefix;  // without leading or trailing '/'
};

// False with a one-line reason in error when the text is no usable address.
bool ParseMqttUrl(std::string_view text, MqttUrl& url, std::string& error);

// "mqtt://user@host:port/prefix", for log lines (never holds a password).
std::string MqttUrlText(const MqttUrl& url);

}  // namespace skyvane
