#include "core/publish/http/live_state.h"

#include <fcntl.h>

#include <array>
#include <charconv>
#include <initializer_list>

#include "core/app/posix_file.h"
#include "core/publish/reading_json.h"

namespace skyvane {
namespace {

// A real file holds well under a kilobyte; anything past this is not ours.
constexpr std::size_t kMaxFileSize = 4096;

struct UnitLine {
  std::string_view key;
  int field;
  std::initializer_list<std::string_view> allowed;
};
const UnitLine kUnitLines[] = {
    {"unit_indoor", hdr::kUnitIndoorTemp, {"°C", "°F"}},
    {"unit_outdoor", hdr::kUnitOutdoorTemp, {"°C", "°F"}},
    {"unit_rain", hdr::kUnitRain, {"mm", "inch"}},
    {"unit_pressure", hdr::kUnitPressure, {"Hpa", "inHg", "mmHg"}},
    {"unit_wind", hdr::kUnitWind, {"m/s", "km/h", "knot", "m/h", "bft"}},
};

constexpr std::array<std::pair<std::string_view, LampState>, 3> kLampStates = {{
    {"off", LampState::kDisabled},
    {"armed", LampState::kArmed},
    {"triggered", LampState::kTriggered},
}};

std::string_view StateText(LampState state) {
  for (const auto& [text, s] : kLampStates) {
    if (s == state) return text;
  }
  return "off";
}

// Takes one "key=value" line; false for a key or value that is not allowed.
bool TakeLine(std::string_view key, std::string_view value, LiveState& state,
              std::array<bool, 1 + 5 + kLampCount>& seen) {
  if (key == "seen") {
    long long t = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), t);
    if (ec != std::errc() || end != value.data() + value.size() || t <= 0) return false;
    state.seen = static_cast<std::time_t>(t);
    seen[0] = true;
    return true;
  }
  for (std::size_t i = 0; i < std::size(kUnitLines); ++i) {
    const UnitLine& u = kUnitLines[i];
    if (key != u.key) continue;
    for (std::string_view allowed : u.allowed) {
      if (value == allowed) {
        state.units[static_cast<std::size_t>(u.field)] = std::string(value);
        seen[1 + i] = true;
        return true;
      }
    }
    return false;
  }
  if (key.substr(0, 6) != "alarm.") return false;
  for (int number = 1; number <= kLampCount; ++number) {
    if (key.substr(6) != LampKey(number)) continue;
    for (const auto& [text, s] : kLampStates) {
      if (value == text) {
        state.lamps[static_cast<std::size_t>(number - 1)] = s;
        seen[static_cast<std::size_t>(5 + number)] = true;
        return true;
      }
    }
    return false;
  }
  return false;
}

}  // namespace

bool LiveState::SameAs(const LiveState& other) const {
  for (const UnitLine& u : kUnitLines) {
    if (units[static_cast<std::size_t>(u.field)] != other.units[static_cast<std::size_t>(u.field)]) return false;
  }
  return lamps == other.lamps;
}

std::string LiveStateText(const LiveState& state) {
  std::string text = "seen=" + std::to_string(static_cast<long long>(state.seen)) + "\n";
  for (const UnitLine& u : kUnitLines) {
    text += std::string(u.key) + "=" + state.units[static_cast<std::size_t>(u.field)] + "\n";
  }
  for (int number = 1; number <= kLampCount; ++number) {
    text += "alarm." + std::string(LampKey(number)) + "=" +
            std::string(StateText(state.lamps[static_cast<std::size_t>(number - 1)])) + "\n";
  }
  return text;
}

bool ParseLiveState(std::string_view text, LiveState& state) {
  LiveState parsed;
  std::array<bool, 1 + 5 + kLampCount> seen{};
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return false;  // torn: the last line has no end
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    if (!TakeLine(line.substr(0, equals), line.substr(equals + 1), parsed, seen)) return false;
  }
  for (const bool line : seen) {
    if (!line) return false;
  }
  state = parsed;
  return true;
}

bool LoadLiveState(const std::string& path, LiveState& state) {
  const FileDescriptor fd = FileDescriptor::Open(path, O_RDONLY | O_NONBLOCK);
  if (!fd) return false;
  const std::int64_t size = FileSize(fd.get());
  if (size <= 0 || static_cast<std::uint64_t>(size) > kMaxFileSize) return false;
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!ReadAt(fd.get(), text.data(), text.size(), 0)) return false;
  return ParseLiveState(text, state);
}

}  // namespace skyvane
