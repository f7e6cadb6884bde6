#include "core/transfer/sim/sim_state.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>
#include <utility>
#include <variant>

#include "core/app/number_text.h"
#include "core/app/posix_file.h"

namespace skyvane::sim {
namespace {

using Member = std::variant<std::uint64_t SimState::*, std::int64_t SimState::*, std::uint16_t SimState::*,
                            int SimState::*>;

// The file's keys in the order they are written, and the fields they hold.
constexpr std::pair<std::string_view, Member> kKeys[] = {
    {"seed", &SimState::seed},
    {"stationTime", &SimState::stationTime},
    {"savedAtMs", &SimState::savedAtMs},
    {"slotStart", &SimState::slotStart},
    {"lastRefresh", &SimState::lastRefresh},
    {"rainTotal", &SimState::rainTotal},
    {"counterBase", &SimState::counterBase},
    {"monthKey", &SimState::monthKey},
    {"monthStartTotal", &SimState::monthStartTotal},
    {"relativeOffset", &SimState::relativeOffset},
};

}  // namespace

bool LoadSimState(const std::filesystem::path& file, SimState& state, std::string& error) {
  std::ifstream in(file);
  if (!in) {
    error = file.string() + ": cannot be read";
    return false;
  }
  SimState loaded;
  bool haveSeed = false;
  bool haveTime = false;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const auto eq = line.find('=');
    const std::string key = eq == std::string::npos ? line : line.substr(0, eq);
    const std::string value = eq == std::string::npos ? "" : line.substr(eq + 1);
    bool ok = eq != std::string::npos;
    const auto known = std::find_if(std::begin(kKeys), std::end(kKeys),
                                     [&](const auto& entry) { return entry.first == key; });
    // Other keys are written by a later version and not needed here.
    if (ok && known != std::end(kKeys)) {
      ok = std::visit([&](auto member) { return ReadNumberText(value, loaded.*member); }, known->second);
      if (key == "seed") haveSeed = ok;
      if (key == "stationTime") haveTime = ok;
      if (key == "rainTotal") ok = ok && loaded.rainTotal >= 0;
    }
    if (!ok) {
      error = file.string() + ": line " + std::to_string(number) + " is broken: " + line;
      return false;
    }
  }
  if (!haveSeed || !haveTime) {
    error = file.string() + ": seed or station time missing";
    return false;
  }
  // Neither the running record nor its last refresh can lie after the clock.
  // A slot may begin after the last refresh: closing it writes the new
  // running record without counting as a refresh.
  if (loaded.lastRefresh > loaded.stationTime || loaded.slotStart > loaded.stationTime) {
    error = file.string() + ": times out of order";
    return false;
  }
  state = loaded;
  return true;
}

bool SaveSimState(const std::filesystem::path& file, const SimState& state, std::string& error) {
  std::ostringstream text;
  text << "# state of the simulated weather station; its memory is the image beside it\n";
  for (const auto& [key, field] : kKeys) {
    text << key << "=";
    std::visit([&](auto member) { text << state.*member; }, field);
    text << "\n";
  }
  const ReplaceResult saved = ReplaceFileAtomically(file.string(), text.str());
  if (!saved.ok()) error = saved.Message(file.string());
  return saved.ok();
}

}  // namespace skyvane::sim
