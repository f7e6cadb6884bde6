#include "gui/dialogs/scope_captions.h"

#include "gui/dialogs/caption_rows.h"

namespace skyvane {

QString ScopeCaptions::Of(const std::string& english) const {
  const CaptionRow* row = FindCaptionRow(SettingsDialogCaptionRows(), english);
  return row != nullptr ? QString::fromUtf8(row->In(language)) : QString::fromStdString(english);
}

ScopeCaptions ScopeCaptionsFor(int languageIndex) {
  const int language = (languageIndex == 1 || languageIndex == 2) ? languageIndex : 0;
  const char* const titles[] = {"Scope", "Zeitstempel", "Oversigt Min/Max"};
  const char* const times[] = {"Time", "Zeit", "Tid"};
  ScopeCaptions c;
  c.title = QString::fromUtf8(titles[language]);
  c.time = QString::fromUtf8(times[language]);
  c.ok = QStringLiteral("OK");
  c.language = language;
  return c;
}

}  // namespace skyvane
