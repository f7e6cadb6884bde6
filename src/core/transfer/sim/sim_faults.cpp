#include "core/transfer/sim/sim_faults.h"

#include <sstream>

#include "core/app/number_text.h"

namespace skyvane::sim {

namespace {

bool ParseRate(const std::string& text, int& rate) {
  int value = 0;
  if (!ReadNumberText(text, value) || value < 1) return false;
  rate = value;
  return true;
}

}  // namespace

bool ParseSimFaults(std::string_view text, SimFaults& faults, std::string& error) {
  faults = SimFaults{};
  error.clear();
  std::istringstream in{std::string(text)};
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string name, value, extra;
    words >> name >> value >> extra;
    if (name.empty()) continue;
    bool ok = extra.empty();
    if (name == "silent" || name == "unplugged") {
      ok = ok && value.empty();
      if (ok) (name == "silent" ? faults.silent : faults.unplugged) = true;
    } else if (name == "lose") {
      ok = ok && ParseRate(value, faults.loseOneIn);
    } else if (name == "torn") {
      ok = ok && ParseRate(value, faults.tornOneIn);
    } else {
      ok = false;
    }
    if (!ok) {
      if (!error.empty()) error += "; ";
      error += "line " + std::to_string(number) + ": not a fault: " + line;
    }
  }
  return error.empty();
}

}  // namespace skyvane::sim
