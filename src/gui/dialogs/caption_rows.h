#pragma once
// Captions kept as rows of English, German and Danish text, looked up by the
// English text that the core's control tables use.
#include <span>
#include <string>

namespace skyvane {

struct CaptionRow {
  const char* english;
  const char* german;
  const char* danish;

  // languageIndex 0 English, 1 German, 2 Danish; anything else gives English.
  const char* In(int languageIndex) const;
};

// The group titles and field labels of the Alarm and Max/Min dialogs, which
// share the quantities' names.
std::span<const CaptionRow> SettingsDialogCaptionRows();

// The row of rows whose English text is english, or nullptr.
const CaptionRow* FindCaptionRow(std::span<const CaptionRow> rows, const std::string& english);

}  // namespace skyvane
