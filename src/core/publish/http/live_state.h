#pragma once
// What a logger last saw that the data file does not keep: the display units
// of the station's header and the states of the 23 alarm lamps, with the time
// they were seen. `run` keeps them in a small file beside the data file
// (Skyvane.live) so that `serve` on the same folder shows what `run` shows.
//
// The file is lines of "key=value": seen=<seconds since 1970>, one line per
// unit (unit_indoor, unit_outdoor, unit_rain, unit_pressure, unit_wind, the
// header's own keys such as "Hpa") and one per lamp (alarm.<lamp key>=off,
// armed or triggered). A file that is anything else is not read at all.
#include <ctime>
#include <string>
#include <string_view>

#include "core/monitor/alarm_evaluation.h"
#include "core/station/header_record.h"

namespace skyvane {

inline constexpr const char* kLiveStateFileName = "Skyvane.live";

struct LiveState {
  HeaderRecord units;  // only the unit fields are kept
  LampStates lamps{};
  std::time_t seen = 0;
  // Same units and lamps (the time aside).
  bool SameAs(const LiveState& other) const;
};

std::string LiveStateText(const LiveState& state);
// False, state untouched, for a text that is not exactly such a file.
bool ParseLiveState(std::string_view text, LiveState& state);
// Reads path (a few kilobytes at most); false when it is missing, too big or
// does not parse.
bool LoadLiveState(const std::string& path, LiveState& state);

}  // namespace skyvane
