#include "cli/run_options.h"

namespace skyvane {

bool ParseRunOptions(const std::vector<std::string>& args, RunOptions& options, std::string& error) {
  options = RunOptions{};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--quiet") {
      options.quiet = true;
    } else if (arg == "--mqtt" || arg.starts_with("--mqtt=")) {
      std::string value;
      if (arg == "--mqtt") {
        if (i + 1 >= args.size()) {
          error = "--mqtt needs a broker address (mqtt://[user@]host[:port][/prefix])";
          return false;
        }
        value = args[++i];
      } else {
        value = arg.substr(7);
      }
      if (value.empty()) {
        error = "--mqtt needs a broker address (mqtt://[user@]host[:port][/prefix])";
        return false;
      }
      if (options.mqtt) {
        error = "--mqtt given twice";
        return false;
      }
      options.mqtt = value;
    } else {
      error = "unknown option of run: " + arg;
      return false;
    }
  }
  return true;
}

}  // namespace skyvane
