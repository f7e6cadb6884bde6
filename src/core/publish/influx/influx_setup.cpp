#include "core/publish/influx/influx_setup.h"

#include <cstdlib>
#include <map>

#include "core/app/app_settings.h"
#include "core/app/ini_file.h"
#include "core/app/secret_file.h"
#include "core/app/url_text.h"
#include "core/publish/influx/line_protocol.h"
#include "core/publish/upload/wu_protocol.h"

namespace skyvane {
namespace {

constexpr std::size_t kValueBuffer = 1024;

// Splits url into its address (without a trailing '/') and the values of
// its query; false with a message for what the writer cannot use.
bool SplitUrl(const std::string& url, std::string& base, std::map<std::string, std::string>& query,
              std::string& error) {
  const std::size_t scheme = url.find("://");
  const std::string name = scheme == std::string::npos ? "" : url.substr(0, scheme);
  if (name != "http" && name != "https") {
    error = "the Influx address '" + url + "' is no http:// or https:// address";
    return false;
  }
  const std::size_t mark = url.find('?');
  base = url.substr(0, mark);
  const std::size_t hostEnd = base.find('/', scheme + 3);
  const std::string host = base.substr(scheme + 3, hostEnd == std::string::npos ? std::string::npos : hostEnd - scheme - 3);
  if (host.empty() || host.find('@') != std::string::npos ||
      base.find_first_of(" \t\r\n#") != std::string::npos) {
    error = "the Influx address '" + url + "' names no host, or carries a user (give a TokenFile instead)";
    return false;
  }
  while (base.size() > scheme + 3 + host.size() && base.back() == '/') base.pop_back();
  if (mark == std::string::npos) return true;
  std::string_view rest = std::string_view(url).substr(mark + 1);
  while (!rest.empty()) {
    const std::string_view pair = rest.substr(0, rest.find('&'));
    rest.remove_prefix(std::min(rest.size(), pair.size() + 1));
    const std::size_t equals = pair.find('=');
    const std::string key(pair.substr(0, equals));
    std::string value;
    if (equals == std::string_view::npos || !UrlDecoded(pair.substr(equals + 1), value) ||
        (key != "db" && key != "org" && key != "bucket")) {
      error = "the Influx address '" + url + "' may carry only db=, org= and bucket= in its query";
      return false;
    }
    query[key] = value;
  }
  return true;
}

std::filesystem::path InFolder(const std::filesystem::path& folder, const std::string& name) {
  const std::filesystem::path path(name);
  return path.is_absolute() ? path : folder / path;
}

}  // namespace

InfluxSettings LoadInfluxSettings(const std::filesystem::path& folder) {
  const IniFile ini(folder / kSettingsFileName);
  InfluxSettings s;
  s.url = ini.GetString("influx", "Url", "", kValueBuffer);
  s.database = ini.GetString("influx", "Database", "", kValueBuffer);
  s.org = ini.GetString("influx", "Org", "", kValueBuffer);
  s.bucket = ini.GetString("influx", "Bucket", "", kValueBuffer);
  s.tokenFile = ini.GetString("influx", "TokenFile", "", kValueBuffer);
  s.measurement = ini.GetString("influx", "Measurement", s.measurement, kValueBuffer);
  s.node = ini.GetString("influx", "Node", ini.GetString("mqtt", "Node", s.node, kValueBuffer), kValueBuffer);
  return s;
}

bool MakeInfluxOptions(const InfluxSettings& settings, const std::optional<std::string>& urlOption,
                       const char* tokenVariable, const std::filesystem::path& folder,
                       InfluxOptions& options, bool& enabled, std::string& error) {
  const std::string url = urlOption ? *urlOption : settings.url;
  enabled = !url.empty();
  if (!enabled) return true;
  InfluxOptions o;
  std::map<std::string, std::string> query;
  if (!SplitUrl(url, o.where, query, error)) return false;
  const std::string db = query.contains("db") ? query["db"] : settings.database;
  const std::string org = query.contains("org") ? query["org"] : settings.org;
  const std::string bucket = query.contains("bucket") ? query["bucket"] : settings.bucket;
  if (!db.empty() && (!org.empty() || !bucket.empty())) {
    error = "give the Influx Database (1.x) or the Org and Bucket (2.x), not both";
    return false;
  }
  if (db.empty() && bucket.empty()) {
    error = "the Influx writing needs a Database (1.x) or a Bucket (2.x)";
    return false;
  }
  o.writeUrl = !db.empty() ? o.where + "/write?db=" + UrlEncoded(db) + "&precision=s"
                           : o.where + "/api/v2/write?" + (org.empty() ? "" : "org=" + UrlEncoded(org) + "&") +
                                 "bucket=" + UrlEncoded(bucket) + "&precision=s";
  if (tokenVariable != nullptr && *tokenVariable != '\0') {
    o.token = tokenVariable;
  } else if (!settings.tokenFile.empty()) {
    const std::filesystem::path file = InFolder(folder, settings.tokenFile);
    int readError = 0;
    if (!ReadFirstLine(file.string(), o.token, readError)) {
      error = CannotReadText("the Influx token file", file.string(), readError);
      return false;
    }
  }
  if (!IsLineProtocolName(settings.measurement)) {
    error = "the Influx Measurement '" + settings.measurement + "' is no name for a measurement";
    return false;
  }
  if (!IsLineProtocolName(settings.node)) {
    error = "the Influx Node '" + settings.node + "' is no name for a station";
    return false;
  }
  o.measurement = settings.measurement;
  o.station = settings.node;
  o.queueFile = folder / kInfluxQueueFileName;
  o.refusedFile = folder / kInfluxRefusedFileName;
  options = std::move(o);
  return true;
}

std::unique_ptr<InfluxWriter> StartInfluxWriter(const std::filesystem::path& folder,
                                                const std::optional<std::string>& urlOption,
                                                InfluxLog log) {
  InfluxOptions options;
  bool enabled = false;
  std::string error;
  if (!MakeInfluxOptions(LoadInfluxSettings(folder), urlOption, std::getenv(kInfluxTokenVariable), folder,
                         options, enabled, error)) {
    log(true, "Influx: " + error + "; logging goes on without writing to the database");
    return nullptr;
  }
  if (!enabled) return nullptr;
  auto writer = std::make_unique<InfluxWriter>(std::move(options), std::move(log));
  if (!writer->Start()) return nullptr;
  return writer;
}

}  // namespace skyvane
