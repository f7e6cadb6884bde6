#include "core/app/text_table.h"

namespace skyvane {

std::string_view TextIn(Txt entry, int languageIndex) {
  auto entries = TextEntries();
  auto index = static_cast<std::size_t>(entry);
  if (index >= entries.size()) return {};
  if (languageIndex < 0 || languageIndex >= kLanguageCount) languageIndex = 0;
  return entries[index].text[static_cast<std::size_t>(languageIndex)];
}

}  // namespace skyvane
