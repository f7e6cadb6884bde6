#include "gui/dialogs/alarm_captions.h"

namespace skyvane {
namespace {

// English text, German, Danish.
struct Row {
  const char* english;
  const char* german;
  const char* danish;
};

constexpr Row kRows[] = {
    {"Time", "Zeit", "Tid"},
    {"Hour", "Stunde", "Time"},
    {"Minute", "Minute", "Minut"},
    {"Indoor Humidity", "innen Luftfeuchtigkeit", "Indendørs Fugtighed"},
    {"Outdoor Humidity", "außen Luftfeuchtigkeit", "Udendørs Fugtighed"},
    {"Indoor Temperature", "innen Temperatur", "Indendørs Temperatur"},
    {"Outdoor Temperature", "außen Temperatur", "Udendørs Temperatur"},
    {"Windchill", "Windauskühlung", "Kuldeindeks"},
    {"Dewpoint", "Taupunkt", "Dugpunkt"},
    {"Absolute Pressure", "absolut Luftdruck", "Absolut Tryk"},
    {"Relative Pressure", "relative Luftdruck", "Relativ Tryk"},
    {"Wind", "Wind", "Vind"},
    {"Gust", "Windbö", "Vindstød"},
    {"Rain", "Niederschlag", "Nedbør"},
    {"High     Hour", "Hoch     Stunde", "Høj     Time"},
    {"High     24 Hour", "Hoch     24 Stunden", "Høj     24 Timer"},
    {"Wind Direct", "Windrichtung", "Vindretning"},
};

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
  for (const Row& r : kRows) {
    const char* t = language == 1 ? r.german : language == 2 ? r.danish : r.english;
    c.text[r.english] = QString::fromUtf8(t);
  }
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
