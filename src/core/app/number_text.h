#pragma once
// Numbers the program wrote as text itself (state files, list entries): the
// whole text is the number, in the C locale's form, with nothing around it.
#include <charconv>
#include <string_view>
#include <system_error>

namespace skyvane {

// True when the whole of text reads as a T; value is then that number.
template <class T>
bool ReadNumberText(std::string_view text, T& value) {
  T read{};
  const char* const end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, read);
  if (text.empty() || ec != std::errc() || ptr != end) return false;
  value = read;
  return true;
}

}  // namespace skyvane
