#include "core/dialogs/control_name.h"

namespace skyvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

void AppendWords(std::string& name, std::string_view text) {
  bool inWord = false;
  for (char c : text) {
    if (IsBlank(c)) {
      inWord = false;
      continue;
    }
    if (!inWord && !name.empty()) name += '-';
    inWord = true;
    name += Lower(c);
  }
}

}  // namespace

std::string ControlName(std::string_view group, std::string_view caption) {
  std::string name;
  AppendWords(name, group);
  AppendWords(name, caption);
  return name;
}

}  // namespace skyvane
