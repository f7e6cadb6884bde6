#pragma once
// The options of skyvane-cli run, given after the command word.
#include <optional>
#include <string>
#include <vector>

namespace skyvane {

struct RunOptions {
  std::optional<std::string> mqtt;    // --mqtt URL: publish to this broker
  std::optional<std::string> influx;  // --influx URL: write to this database
  bool quiet = false;               // --quiet: only errors
};

// False with a one-line reason on a usage error.
bool ParseRunOptions(const std::vector<std::string>& args, RunOptions& options, std::string& error);

}  // namespace skyvane
