#include "core/publish/mqtt/mqtt_setup.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>

#include "core/app/app_settings.h"
#include "core/app/ini_file.h"
#include "core/app/secret_file.h"
#include "core/publish/mqtt/announced_topics.h"
#include "core/publish/mqtt/ha_discovery.h"

namespace skyvane {

namespace {

constexpr std::size_t kValueBuffer = 1024;

bool SwitchOff(std::string value) {
  for (char& c : value) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return value == "0" || value == "false" || value == "no" || value == "off";
}

std::filesystem::path InFolder(const std::filesystem::path& folder, const std::string& name) {
  const std::filesystem::path path(name);
  return path.is_absolute() ? path : folder / path;
}

}  // namespace

MqttSettings LoadMqttSettings(const std::filesystem::path& folder) {
  const IniFile ini(folder / kSettingsFileName);
  MqttSettings s;
  s.url = ini.GetString("mqtt", "Url", "", kValueBuffer);
  s.passwordFile = ini.GetString("mqtt", "PasswordFile", "", kValueBuffer);
  s.caFile = ini.GetString("mqtt", "CaFile", "", kValueBuffer);
  s.discovery = !SwitchOff(ini.GetString("mqtt", "Discovery", "1", kValueBuffer));
  s.discoveryPrefix = ini.GetString("mqtt", "DiscoveryPrefix", s.discoveryPrefix, kValueBuffer);
  s.node = ini.GetString("mqtt", "Node", s.node, kValueBuffer);
  return s;
}

bool MakeMqttOptions(const MqttSettings& settings, const std::optional<std::string>& urlOption,
                     const char* passwordVariable, const std::filesystem::path& folder,
                     MqttOptions& options, bool& enabled, std::string& error) {
  const std::string url = urlOption ? *urlOption : settings.url;
  enabled = !url.empty();
  if (!enabled) return true;
  MqttOptions o;
  if (!ParseMqttUrl(url, o.url, error)) return false;
  if (passwordVariable != nullptr && *passwordVariable != '\0') {
    o.password = passwordVariable;
  } else if (!settings.passwordFile.empty()) {
    const std::filesystem::path file = InFolder(folder, settings.passwordFile);
    int readError = 0;
    if (!ReadFirstLine(file.string(), o.password, readError)) {
      error = CannotReadText("the MQTT password file", file.string(), readError);
      return false;
    }
  }
  if (!settings.caFile.empty()) {
    const std::filesystem::path file = InFolder(folder, settings.caFile);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
      error = "the MQTT CaFile " + file.string() + " is no readable file";
      return false;
    }
    o.caFile = file.string();
  }
  if (!IsDiscoveryNode(settings.node)) {
    error = "the MQTT Node '" + settings.node + "' may hold only letters, digits, '_' and '-'";
    return false;
  }
  if (settings.discoveryPrefix.empty() ||
      settings.discoveryPrefix.find_first_of("+#") != std::string::npos) {
    error = "the MQTT DiscoveryPrefix '" + settings.discoveryPrefix + "' is no topic prefix";
    return false;
  }
  o.discovery = settings.discovery;
  o.discoveryPrefix = settings.discoveryPrefix;
  o.node = settings.node;
  o.queueFile = folder / kMqttQueueFileName;
  o.announcedFile = folder / kAnnouncedFileName;
  o.dataFile = folder / "Skyvane.dat";
  o.climate = climate::LoadClimateOptions(folder.string());
  options = std::move(o);
  return true;
}

std::unique_ptr<MqttPublisher> StartMqttPublisher(const std::filesystem::path& folder,
                                                  const std::optional<std::string>& urlOption,
                                                  const std::string& version, MqttLog log,
                                                  const std::string& dashboardUrl) {
  MqttOptions options;
  bool enabled = false;
  std::string error;
  if (!MakeMqttOptions(LoadMqttSettings(folder), urlOption, std::getenv(kMqttPasswordVariable),
                       folder, options, enabled, error)) {
    log(MqttLogLevel::kError, "MQTT: " + error + "; logging goes on without publishing");
    return nullptr;
  }
  if (!enabled) return nullptr;
  options.version = version;
  options.configurationUrl = dashboardUrl;
  auto publisher = std::make_unique<MqttPublisher>(std::move(options), std::move(log));
  if (!publisher->Start()) return nullptr;
  return publisher;
}

}  // namespace skyvane

namespace skyvane {

std::string DashboardUrl(const std::string& host, int port, const std::string& machineName) {
  std::string name = host;
  if (name.empty() || name == "0.0.0.0" || name == "::" || name == "[::]") name = machineName;
  if (name.empty() || port <= 0 || port > 65535) return "";
  if (name.find(':') != std::string::npos && !name.starts_with('[')) name = "[" + name + "]";
  return "http://" + name + ":" + std::to_string(port) + "/";
}

std::string MachineName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return "";
  const std::string text = name;
  // Only a name a URL can carry as it is.
  for (char c : text) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '.';
    if (!ok) return "";
  }
  return text;
}

}  // namespace skyvane
