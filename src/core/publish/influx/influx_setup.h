#pragma once
// The InfluxDB configuration of a program: the address from --influx or from
// key Url of section [influx] in Skyvane.ini (the option wins), and the
// section's other keys:
//   [influx]
//   Url=http://127.0.0.1:8086
//   Database=weather          ; InfluxDB 1.x: POST /write?db=weather
//   Org=home                  ; or 2.x (VictoriaMetrics, QuestDB alike):
//   Bucket=weather            ;    POST /api/v2/write?org=home&bucket=weather
//   TokenFile=/etc/skyvane/influx-token  ; else $SKYVANE_INFLUX_TOKEN; none: no token
//   Measurement=weather
//   Node=skyvane              ; the station tag; else [mqtt] Node
// The address may carry db=, org= and bucket= in its query instead.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "core/publish/influx/influx_writer.h"

namespace skyvane {

inline constexpr const char* kInfluxTokenVariable = "SKYVANE_INFLUX_TOKEN";

struct InfluxSettings {
  std::string url;        // empty: no writing
  std::string database;
  std::string org;
  std::string bucket;
  std::string tokenFile;  // relative to the program folder when not absolute
  std::string measurement = "weather";
  std::string node = "skyvane";
};

// Section [influx] of the folder's Skyvane.ini; missing keys take their defaults.
InfluxSettings LoadInfluxSettings(const std::filesystem::path& folder);

// The writer's options from the settings, the --influx option (which wins
// over Url) and the token variable's value (null when unset). enabled is
// false when no address is given at all. False with a one-line message when
// the configuration cannot be used.
bool MakeInfluxOptions(const InfluxSettings& settings, const std::optional<std::string>& urlOption,
                       const char* tokenVariable, const std::filesystem::path& folder,
                       InfluxOptions& options, bool& enabled, std::string& error);

// Reads the configuration and, when it asks for a database, starts a writer
// that keeps its queue beside the data file. Null when none is configured or
// it cannot be used (the reason then went to log as an error line).
std::unique_ptr<InfluxWriter> StartInfluxWriter(const std::filesystem::path& folder,
                                                const std::optional<std::string>& urlOption,
                                                InfluxLog log);

}  // namespace skyvane
