#include "gui/shell/restart.h"

#include <unistd.h>

namespace skyvane {

void RestartProgram(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 2);
  static char fallbackName[] = "skyvane";
  if (arguments.empty()) argv.push_back(fallbackName);
  for (const std::string& arg : arguments) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ::execv("/proc/self/exe", argv.data());
}

}  // namespace skyvane
