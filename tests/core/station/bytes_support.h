#pragma once
// Test helper: bytes from the "05 41 E3 ..." notation used in station dumps.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace skyvane::test {

inline std::vector<std::uint8_t> Bytes(const std::string& hex) {
  std::vector<std::uint8_t> out;
  std::istringstream in(hex);
  std::string token;
  while (in >> token) out.push_back(static_cast<std::uint8_t>(std::stoul(token, nullptr, 16)));
  return out;
}

}  // namespace skyvane::test
