#include "core/transfer/sim/sim_state.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/app/posix_file.h"

namespace skyvane::sim {

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

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
    bool ok = true;
    if (eq == std::string::npos) {
      ok = false;
    } else if (key == "seed") {
      ok = ParseNumber(value, loaded.seed);
      haveSeed = ok;
    } else if (key == "stationTime") {
      ok = ParseNumber(value, loaded.stationTime);
      haveTime = ok;
    } else if (key == "savedAtMs") {
      ok = ParseNumber(value, loaded.savedAtMs);
    } else if (key == "slotStart") {
      ok = ParseNumber(value, loaded.slotStart);
    } else if (key == "lastRefresh") {
      ok = ParseNumber(value, loaded.lastRefresh);
    } else if (key == "rainTotal") {
      ok = ParseNumber(value, loaded.rainTotal) && loaded.rainTotal >= 0;
    } else if (key == "counterBase") {
      ok = ParseNumber(value, loaded.counterBase);
    } else if (key == "monthKey") {
      ok = ParseNumber(value, loaded.monthKey);
    } else if (key == "monthStartTotal") {
      ok = ParseNumber(value, loaded.monthStartTotal);
    } else if (key == "relativeOffset") {
      ok = ParseNumber(value, loaded.relativeOffset);
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
  if (saved.ok()) return true;
  error = file.string() +
          (saved.failed == ReplaceStep::kWrite ? ": cannot be written: " : ": cannot be replaced: ") +
          std::strerror(saved.error);
  return false;
}

}  // namespace skyvane::sim
