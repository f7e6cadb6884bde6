#include "gui/dialogs/scope_captions.h"

namespace skyvane {
namespace {

struct Row {
  const char* english;
  const char* german;
  const char* danish;
};

constexpr Row kRows[] = {
    {"Maximum", "Maximum", "Maksimum"},
    {"Minimum", "Minimum", "Minimum"},
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
    {"Rain Maximum", "Niederschlag Maximum", "Nedbør Maksimum"},
    {"Hour", "Stunde", "Time"},
    {"24 Hours", "24 Stunden", "24 Timer"},
    {"Week", "Woche", "Uge"},
    {"Month", "Monat", "Måned"},
    {"Total", "Total", "Total"},
};

}  // namespace

QString ScopeCaptions::Of(const std::string& english) const {
  for (const Row& r : kRows) {
    if (english == r.english) {
      return QString::fromUtf8(language == 1 ? r.german : language == 2 ? r.danish : r.english);
    }
  }
  return QString::fromStdString(english);
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
