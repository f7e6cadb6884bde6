#include "cli/run_options.h"

namespace skyvane {
namespace {

struct AddressOption {
  const char* name;  // "--mqtt"
  const char* form;  // what the address looks like, for the message
  std::optional<std::string> RunOptions::* value;
};

constexpr AddressOption kAddressOptions[] = {
    {"--mqtt", "a broker address (mqtt://[user@]host[:port][/prefix])", &RunOptions::mqtt},
    {"--influx", "a database address (http://host:8086/?db=NAME)", &RunOptions::influx},
};

}  // namespace

bool ParseRunOptions(const std::vector<std::string>& args, RunOptions& options, std::string& error) {
  options = RunOptions{};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--quiet") {
      options.quiet = true;
      continue;
    }
    const AddressOption* option = nullptr;
    for (const AddressOption& o : kAddressOptions) {
      const std::string name = o.name;
      if (arg == name || arg.starts_with(name + "=")) option = &o;
    }
    if (option == nullptr) {
      error = "unknown option of run: " + arg;
      return false;
    }
    const std::string name = option->name;
    std::string value;
    if (arg == name) {
      if (i + 1 >= args.size()) {
        error = name + " needs " + option->form;
        return false;
      }
      value = args[++i];
    } else {
      value = arg.substr(name.size() + 1);
    }
    if (value.empty()) {
      error = name + " needs " + option->form;
      return false;
    }
    if (options.*(option->value)) {
      error = name + " given twice";
      return false;
    }
    options.*(option->value) = value;
  }
  return true;
}

}  // namespace skyvane
