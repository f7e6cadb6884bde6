#pragma once
// What the simulated station keeps beside its memory image: its clock, where
// its running interval began, its rain gauge and weather seed. A small text
// file of "key=value" lines.
#include <cstdint>
#include <filesystem>
#include <string>

namespace skyvane::sim {

struct SimState {
  std::uint64_t seed = 0;
  std::int64_t stationTime = 0;  // station time when saved (seconds since the epoch)
  std::int64_t savedAtMs = 0;    // real time when saved (ms since the epoch)
  std::int64_t slotStart = 0;    // station time at which the running record began
  std::int64_t lastRefresh = 0;  // station time of the last refresh of the running record
  std::int64_t rainTotal = 0;    // gauge steps since the station was set up (no wrap)
  std::uint16_t counterBase = 0; // the 16-bit counter when rainTotal was 0
  int monthKey = 0;              // year * 100 + month whose rain monthStartTotal starts
  std::int64_t monthStartTotal = 0;
  int relativeOffset = 0;        // relative minus absolute pressure, tenths of hPa

  std::uint16_t RainCounter() const {
    return static_cast<std::uint16_t>((counterBase + rainTotal) & 0xFFFF);
  }
};

// False with a one-line reason when the file is missing or a line is broken.
bool LoadSimState(const std::filesystem::path& file, SimState& state, std::string& error);
// Written beside the file and renamed over it, so a failed save keeps the old one.
bool SaveSimState(const std::filesystem::path& file, const SimState& state, std::string& error);

}  // namespace skyvane::sim
