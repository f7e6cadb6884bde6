#pragma once
// The name of a settings-dialog control: its English caption in lower case,
// words joined by hyphens, after its group where the group tells controls
// apart ("Indoor Humidity", "High" -> "indoor-humidity-high"). skyvane-cli
// takes controls by these names; the desktop dialogs name their widgets so.
#include <string>
#include <string_view>

namespace skyvane {

// A field of a settings dialog: the record field behind it and the English
// group and caption that label and name it.
struct DialogControl {
  int field;
  const char* group;
  const char* caption;
};

// Either part may be empty.
std::string ControlName(std::string_view group, std::string_view caption);

}  // namespace skyvane
