#include "core/app/text_table.h"

namespace skyvane {

std::string_view TextIn(Txt entry, int languageIndex) {
  auto entries = TextEntries();
  auto index = static_cast<std::size_t>(entry);
  if (index >= entries.size()) return {};
  if (languageIndex < 0 || languageIndex >= kLanguageCount) languageIndex = 0;
  return entries[index].text[static_cast<std::size_t>(languageIndex)];
}

std::string FillIn(std::string_view text, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : args.size();
    if (text[i] == '%' && n < args.size()) {
      out += args.begin()[n];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace skyvane
