#include "core/publish/upload/upload_config.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/app/ini_file.h"
#include "core/app/number_text.h"
#include "core/app/secret_file.h"

namespace skyvane {
namespace {

constexpr std::string_view kPrefix = "upload:";
constexpr std::size_t kValueSize = 1024;

bool StartsWithPrefix(const std::string& section) {
  return section.size() > kPrefix.size() &&
         EqualsIgnoringCase(std::string_view(section).substr(0, kPrefix.size()), kPrefix);
}

std::string Lowered(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

class Section {
 public:
  Section(const IniFile& ini, std::string name) : ini_(ini), name_(std::move(name)) {}
  std::string Text(std::string_view key, std::string_view fallback = {}) const {
    return ini_.GetString(name_, key, fallback, kValueSize);
  }
  bool Has(std::string_view key) const {
    // A value no key could hold tells a missing key from an empty one.
    return ini_.GetString(name_, key, "\x01", kValueSize) != "\x01";
  }
  const std::string& name() const { return name_; }

 private:
  const IniFile& ini_;
  std::string name_;
};

// The first line of a private key file; false with the reason otherwise. Its
// group may read it when that is the program's own group (root:skyvane 0640
// under /etc/skyvane for the service).
bool ReadKeyFile(const std::string& path, std::string& key, std::string& why) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    why = CannotReadText("the key file", path, errno);
    return false;
  }
  const bool othersMay = (st.st_mode & (S_IWGRP | S_IROTH | S_IWOTH)) != 0 ||
                         ((st.st_mode & S_IRGRP) != 0 && st.st_gid != ::getegid());
  if (othersMay) {
    why = "the key file " + path + " may be read by other users; make it private (chmod 600 " +
          path + ")";
    return false;
  }
  int error = 0;
  if (!ReadFirstLine(path, key, error)) {
    why = CannotReadText("the key file", path, error);
    return false;
  }
  while (!key.empty() && (key.back() == '\r' || key.back() == ' ' || key.back() == '\t')) key.pop_back();
  if (key.empty()) {
    why = "the key file " + path + " is empty";
    return false;
  }
  return true;
}

bool ReadInterval(const Section& s, int fallback, int least, std::string_view why, UploadTarget& target,
                  std::vector<std::string>& problems) {
  target.intervalSeconds = fallback;
  if (!s.Has("Interval")) return true;
  int seconds = 0;
  if (!ReadNumberText(s.Text("Interval"), seconds)) {
    problems.push_back("[" + s.name() + "]: Interval is no number of seconds");
    return false;
  }
  if (seconds < least) {
    problems.push_back("[" + s.name() + "]: Interval " + std::to_string(seconds) + " is raised to " +
                       std::to_string(least) + " seconds" + std::string(why));
    seconds = least;
  }
  target.intervalSeconds = seconds;
  return true;
}

bool ReadDegrees(const Section& s, std::string_view key, double limit, double& value,
                 std::vector<std::string>& problems) {
  if (!ReadNumberText(s.Text(key), value) || value < -limit || value > limit) {
    problems.push_back("[" + s.name() + "]: " + std::string(key) + " must be decimal degrees from " +
                       std::to_string(static_cast<int>(-limit)) + " to " +
                       std::to_string(static_cast<int>(limit)));
    return false;
  }
  return true;
}

// host, host:port, a bare IPv6 address, or [IPv6] with or without :port.
bool ReadServer(const std::string& server, std::string& host, int& port) {
  port = kDefaultAprsPort;
  std::size_t portAt = std::string::npos;  // where ":port" begins
  if (!server.empty() && server.front() == '[') {
    const std::size_t close = server.find(']');
    if (close == std::string::npos) return false;
    host = server.substr(1, close - 1);
    if (close + 1 < server.size() && server[close + 1] != ':') return false;
    if (close + 1 < server.size()) portAt = close + 1;
  } else if (server.find(':') != server.rfind(':')) {
    host = server;  // two colons or more: an IPv6 address without a port
  } else {
    portAt = server.find(':');
    host = server.substr(0, portAt);
  }
  return portAt == std::string::npos ||
         (ReadNumberText(std::string_view(server).substr(portAt + 1), port) && port >= 1 && port <= 65535);
}

bool ReadWu(const Section& s, UploadTarget& t, std::vector<std::string>& problems) {
  t.protocol = UploadProtocol::kWu;
  t.url = s.Text("Url");
  t.stationId = s.Text("StationId");
  if (t.url.rfind("http://", 0) != 0 && t.url.rfind("https://", 0) != 0) {
    problems.push_back("[" + s.name() + "]: Url must be an http:// or https:// address");
    return false;
  }
  if (t.stationId.empty()) {
    problems.push_back("[" + s.name() + "]: StationId is missing");
    return false;
  }
  std::string why;
  if (!ReadKeyFile(s.Text("KeyFile"), t.key, why)) {
    problems.push_back("[" + s.name() + "]: " + (s.Text("KeyFile").empty() ? "KeyFile is missing" : why));
    return false;
  }
  return ReadInterval(s, kDefaultWuInterval, kMinimumUploadInterval, "", t, problems);
}

bool ReadAprs(const Section& s, UploadTarget& t, std::vector<std::string>& problems) {
  t.protocol = UploadProtocol::kAprs;
  if (!ReadServer(s.Text("Server"), t.host, t.port)) {
    problems.push_back("[" + s.name() + "]: Server must be host, host:port or [IPv6]:port");
    return false;
  }
  if (t.host.empty()) {
    problems.push_back("[" + s.name() + "]: Server is missing");
    return false;
  }
  t.callsign = s.Text("Callsign");
  if (t.callsign.empty() || t.callsign.find_first_of(" \t>:,") != std::string::npos) {
    problems.push_back("[" + s.name() + "]: Callsign is missing or not a callsign");
    return false;
  }
  if (s.Has("Passcode") && !ReadNumberText(s.Text("Passcode"), t.passcode)) {
    problems.push_back("[" + s.name() + "]: Passcode is no number");
    return false;
  }
  return ReadDegrees(s, "Latitude", 90, t.latitude, problems) &&
         ReadDegrees(s, "Longitude", 180, t.longitude, problems) &&
         ReadInterval(s, kDefaultAprsInterval, kMinimumAprsInterval,
                      " (the network takes at most one packet in 5 minutes)", t, problems);
}

}  // namespace

std::vector<UploadTarget> ReadUploadTargets(const IniFile& ini, std::vector<std::string>& problems) {
  std::vector<UploadTarget> targets;
  for (const std::string& name : ini.SectionNames()) {
    if (!StartsWithPrefix(name)) continue;
    const Section s(ini, name);
    if (s.Text("Enabled", "1") == "0") continue;
    UploadTarget t;
    t.name = name.substr(kPrefix.size());
    const std::string protocol = Lowered(s.Text("Protocol"));
    bool ok = false;
    if (protocol == "wu") {
      ok = ReadWu(s, t, problems);
    } else if (protocol == "aprs") {
      ok = ReadAprs(s, t, problems);
    } else {
      problems.push_back("[" + name + "]: Protocol must be wu or aprs");
    }
    if (ok) targets.push_back(std::move(t));
  }
  return targets;
}

}  // namespace skyvane
