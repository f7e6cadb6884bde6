#pragma once
// Fixed arrays of owned text fields addressed by number: the form in which every
// record crosses the program (station blocks, weather readings, data-file lines).
#include <array>
#include <cstddef>
#include <string>

namespace skyvane {

template <std::size_t N>
struct TextRecord {
  static constexpr std::size_t kFieldCount = N;
  std::array<std::string, N> fields{};

  std::string& operator[](std::size_t i) { return fields[i]; }
  const std::string& operator[](std::size_t i) const { return fields[i]; }
  std::size_t size() const { return N; }
  bool operator==(const TextRecord&) const = default;
};

}  // namespace skyvane
