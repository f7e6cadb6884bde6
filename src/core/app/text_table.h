#pragma once
// TextTable: every text the program shows in the user's language. One object,
// created in main() with the configured language index and handed down by
// reference; Text() reads the index at each call.
#include <array>
#include <atomic>
#include <span>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/app/layout_ids.h"
#include "core/app/text_entry.h"

namespace skyvane {

inline constexpr int kLanguageCount = 3;  // 0 English, 1 German, 2 Danish

// One entry: its identifier and its texts in the order English, German, Danish.
struct LocalizedText {
  Txt id;
  std::array<std::string_view, kLanguageCount> text;
};

// All entries, in table order (entry i has identifier i).
std::span<const LocalizedText> TextEntries();

// The entry's text in the given language; English for an index outside 0..2.
std::string_view TextIn(Txt entry, int languageIndex);

// text with each "%1", "%2", ... replaced by the argument of that number.
std::string FillIn(std::string_view text, std::initializer_list<std::string_view> args);

class TextTable {
 public:
  explicit TextTable(int languageIndex = 0) : languageIndex_(ValidIndex(languageIndex)) {}
  TextTable(const TextTable&) = delete;
  TextTable& operator=(const TextTable&) = delete;

  int LanguageIndex() const { return languageIndex_.load(std::memory_order_relaxed); }
  void SetLanguageIndex(int languageIndex) { languageIndex_.store(ValidIndex(languageIndex)); }

  // The entry's text in the current language.
  std::string_view Text(Txt entry) const { return skyvane::TextIn(entry, LanguageIndex()); }
  std::string_view TextIn(Txt entry, int languageIndex) const { return skyvane::TextIn(entry, languageIndex); }

  // The layout id of a window in the current language.
  int LayoutFor(LayoutWindow window) const { return LayoutIdIn(window, LanguageIndex()); }

 private:
  static int ValidIndex(int index) { return (index >= 0 && index < kLanguageCount) ? index : 0; }
  // Read by the monitor thread while the user-interface thread owns the table.
  std::atomic<int> languageIndex_;
};

}  // namespace skyvane
