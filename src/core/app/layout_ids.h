#pragma once
// The windows that exist once per language, and the layout id of each
// language's variant (English, German, Danish). The desktop program builds one
// layout per window and picks its captions by these ids.
#include <array>

namespace skyvane {

enum class LayoutWindow {
  MainMenu,       // main menu, accelerators and document template
  MainForm,
  SetupDialog,
  AlarmDialog,
  MaxMinDialog,
  HistoryWindow,
  GraphWindow,
  ExportDialog,
};

inline constexpr std::array<std::array<int, 3>, 8> kLayoutIds{{
    {128, 131, 298},  // MainMenu
    {101, 132, 294},  // MainForm
    {289, 298, 299},  // SetupDialog
    {288, 314, 315},  // AlarmDialog
    {290, 318, 319},  // MaxMinDialog
    {291, 302, 303},  // HistoryWindow
    {292, 310, 311},  // GraphWindow
    {207, 306, 307},  // ExportDialog
}};

// The layout id of window in the given language (English for an index outside 0..2).
constexpr int LayoutIdIn(LayoutWindow window, int languageIndex) {
  if (languageIndex < 0 || languageIndex > 2) languageIndex = 0;
  return kLayoutIds[static_cast<std::size_t>(window)][static_cast<std::size_t>(languageIndex)];
}

}  // namespace skyvane
