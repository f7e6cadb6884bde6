#include "core/publish/mqtt/mqtt_url.h"

#include <charconv>

namespace skyvane {

namespace {

bool Fail(std::string& error, std::string_view text, std::string_view reason) {
  error = "bad MQTT address '" + std::string(text) + "': " + std::string(reason);
  return false;
}

// Characters a topic level may not hold in a prefix we publish under.
bool HoldsWildcard(std::string_view prefix) {
  return prefix.find_first_of("+#") != std::string_view::npos;
}

}  // namespace

bool ParseMqttUrl(std::string_view text, MqttUrl& url, std::string& error) {
  MqttUrl parsed;
  std::string_view rest = text;
  if (rest.starts_with("mqtt://")) {
    rest.remove_prefix(7);
  } else if (rest.starts_with("mqtts://")) {
    rest.remove_prefix(8);
    parsed.tls = true;
    parsed.port = kMqttsPort;
  } else {
    return Fail(error, text, "it must start with mqtt:// or mqtts://");
  }
  if (rest.find_first_of("?") != std::string_view::npos) {
    return Fail(error, text, "it may not have a query part ('?')");
  }

  const std::size_t slash = rest.find('/');
  std::string_view authority = rest.substr(0, slash);
  std::string_view path = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);

  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
    const std::string_view userInfo = authority.substr(0, at);
    if (userInfo.find(':') != std::string_view::npos) {
      error = "the MQTT address holds a password; give it in the environment variable "
              "SKYVANE_MQTT_PASSWORD or in the file named by PasswordFile in section [mqtt] "
              "of Skyvane.ini, and write the address as mqtt://user@host";
      return false;
    }
    if (userInfo.empty()) return Fail(error, text, "the user name before '@' is empty");
    parsed.user = std::string(userInfo);
    authority.remove_prefix(at + 1);
  }

  std::string_view portText;
  if (authority.starts_with('[')) {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) return Fail(error, text, "the '[' of the host is not closed");
    parsed.host = std::string(authority.substr(1, close - 1));
    std::string_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after.front() != ':') return Fail(error, text, "text after the host's ']'");
      portText = after.substr(1);
      if (portText.empty()) return Fail(error, text, "the port after ':' is empty");
    }
  } else {
    const std::size_t colon = authority.find(':');
    parsed.host = std::string(authority.substr(0, colon));
    if (colon != std::string_view::npos) {
      portText = authority.substr(colon + 1);
      if (portText.empty()) return Fail(error, text, "the port after ':' is empty");
    }
  }
  if (parsed.host.empty()) return Fail(error, text, "no host");
  if (!portText.empty()) {
    int port = 0;
    const auto [end, ec] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (ec != std::errc() || end != portText.data() + portText.size() || port < 1 || port > 65535) {
      return Fail(error, text, "the port must be a number from 1 to 65535");
    }
    parsed.port = port;
  }

  while (path.ends_with('/')) path.remove_suffix(1);
  if (!path.empty()) {
    if (HoldsWildcard(path)) return Fail(error, text, "the topic prefix may not hold '+' or '#'");
    if (path.find("//") != std::string_view::npos) {
      return Fail(error, text, "the topic prefix has an empty level ('//')");
    }
    parsed.prefix = std::string(path);
  }
  url = std::move(parsed);
  return true;
}

std::string MqttUrlText(const MqttUrl& url) {
  std::string text = url.tls ? "mqtts://" : "mqtt://";
  if (!url.user.empty()) text += url.user + "@";
  const bool v6 = url.host.find(':') != std::string::npos;
  text += v6 ? "[" + url.host + "]" : url.host;
  text += ":" + std::to_string(url.port) + "/" + url.prefix;
  return text;
}

}  // namespace skyvane
