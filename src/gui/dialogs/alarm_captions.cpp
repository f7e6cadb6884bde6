#include "gui/dialogs/alarm_captions.h"

#include "gui/dialogs/caption_rows.h"

namespace skyvane {
namespace {

AlarmCaptions Make(int language) {
  AlarmCaptions c;
  const char* const titles[] = {"Alarm", "Alarm", "Alarm"};
  const char* const highs[] = {"High", "Hoch", "Høj"};
  const char* const lows[] = {"Low", "Tief", "Lav"};
  const char* const saves[] = {"Save", "Speichern", "Gem"};
  const char* const cancels[] = {"Cancel", "Beenden", "Annuller"};
  c.title = QString::fromUtf8(titles[language]);
  c.high = QString::fromUtf8(highs[language]);
  c.low = QString::fromUtf8(lows[language]);
  c.save = QString::fromUtf8(saves[language]);
  c.cancel = QString::fromUtf8(cancels[language]);
  for (const CaptionRow& r : SettingsDialogCaptionRows()) c.text[r.english] = QString::fromUtf8(r.In(language));
  return c;
}

}  // namespace

QString AlarmCaptions::Of(const std::string& english) const {
  const auto it = text.find(english);
  return it != text.end() ? it->second : QString::fromStdString(english);
}

const AlarmCaptions& AlarmCaptionsFor(int languageIndex) {
  static const AlarmCaptions kEnglish = Make(0);
  static const AlarmCaptions kGerman = Make(1);
  static const AlarmCaptions kDanish = Make(2);
  switch (languageIndex) {
    case 1: return kGerman;
    case 2: return kDanish;
    default: return kEnglish;
  }
}

}  // namespace skyvane
