#include "core/transfer/sim/sim_state.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/app/number_text.h"
#include "core/app/posix_file.h"

namespace skyvane::sim {

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
    bool ok = true;
    if (eq == std::string::npos) {
      ok = false;
    } else if (key == "seed") {
      ok = ReadNumberText(value, loaded.seed);
      haveSeed = ok;
    } else if (key == "stationTime") {
      ok = ReadNumberText(value, loaded.stationTime);
      haveTime = ok;
    } else if (key == "savedAtMs") {
      ok = ReadNumberText(value, loaded.savedAtMs);
    } else if (key == "slotStart") {
      ok = ReadNumberText(value, loaded.slotStart);
    } else if (key == "lastRefresh") {
      ok = ReadNumberText(value, loaded.lastRefresh);
    } else if (key == "rainTotal") {
      ok = ReadNumberText(value, loaded.rainTotal) && loaded.rainTotal >= 0;
    } else if (key == "counterBase") {
      ok = ReadNumberText(value, loaded.counterBase);
    } else if (key == "monthKey") {
      ok = ReadNumberText(value, loaded.monthKey);
    } else if (key == "monthStartTotal") {
      ok = ReadNumberText(value, loaded.monthStartTotal);
    } else if (key == "relativeOffset") {
      ok = ReadNumberText(value, loaded.relativeOffset);
    }  // other keys: written by a later version, not needed here
    if (!ok) {
      error = file.string() + ": line " + std::to_string(number) + " is broken: " + line;
      return false;
    }
  }
  if (!haveSeed || !haveTime) {
    error = file.string() + ": seed or station time missing";
    return false;
  }
  // A running record cannot begin after its last refresh, nor that after the clock.
  if (loaded.lastRefresh > loaded.stationTime || loaded.slotStart > loaded.lastRefresh) {
    error = file.string() + ": times out of order";
    return false;
  }
  state = loaded;
  return true;
}

bool SaveSimState(const std::filesystem::path& file, const SimState& state, std::string& error) {
  std::ostringstream text;
  text << "# state of the simulated weather station; its memory is the image beside it\n"
       << "seed=" << state.seed << "\n"
       << "stationTime=" << state.stationTime << "\n"
       << "savedAtMs=" << state.savedAtMs << "\n"
       << "slotStart=" << state.slotStart << "\n"
       << "lastRefresh=" << state.lastRefresh << "\n"
       << "rainTotal=" << state.rainTotal << "\n"
       << "counterBase=" << state.counterBase << "\n"
       << "monthKey=" << state.monthKey << "\n"
       << "monthStartTotal=" << state.monthStartTotal << "\n"
       << "relativeOffset=" << state.relativeOffset << "\n";
  const ReplaceResult saved = ReplaceFileAtomically(file.string(), text.str());
  if (!saved.ok()) error = saved.Message(file.string());
  return saved.ok();
}

}  // namespace skyvane::sim
