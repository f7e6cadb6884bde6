#include "gui/windows/statistics_captions.h"

namespace skyvane {
namespace {

StatisticsCaptions English() {
  return {"Statistics",
          "&Daily", "&Monthly", "&Yearly", "Re&cords",
          "&From: ", "&To: ", "&Show",
          "&Refresh", "Re&port: ", "&Export report...", "Close",
          "Reading the data file...",
          {"Date", "Records", "Temp. high", "Time", "Temp. low", "Time", "Temp. mean",
           "Hum. high", "Hum. low", "Hum. mean", "Pressure high", "Pressure low", "Pressure mean",
           "Wind mean", "Gust high", "Time", "Dom. direction", "Rain", "Heating deg. days",
           "Cooling deg. days", "Wettest day", "Date", "Rain days ≥ 0.2 mm", "Rain days ≥ 1 mm",
           "Rain days ≥ 10 mm"},
          {"Highest temperature", "Lowest temperature", "Highest gust", "Wettest day",
           "Highest pressure", "Lowest pressure"},
          {"All time", "This year", "This month"}};
}

StatisticsCaptions German() {
  return {"Statistik",
          "&Tage", "&Monate", "&Jahre", "&Rekorde",
          "&Von: ", "&Bis: ", "&Anzeigen",
          "A&ktualisieren", "Beri&cht: ", "Bericht &exportieren...", "Schließen",
          "Die Datendatei wird gelesen...",
          {"Datum", "Datensätze", "Temp. max", "Zeit", "Temp. min", "Zeit", "Temp. Mittel",
           "Feuchte max", "Feuchte min", "Feuchte Mittel", "Luftdruck max", "Luftdruck min",
           "Luftdruck Mittel", "Wind Mittel", "Böe max", "Zeit", "Hauptrichtung", "Regen",
           "Heizgradtage", "Kühlgradtage", "Nassester Tag", "Datum", "Regentage ≥ 0,2 mm",
           "Regentage ≥ 1 mm", "Regentage ≥ 10 mm"},
          {"Höchste Temperatur", "Tiefste Temperatur", "Stärkste Böe", "Nassester Tag",
           "Höchster Luftdruck", "Tiefster Luftdruck"},
          {"Gesamte Zeit", "Dieses Jahr", "Dieser Monat"}};
}

StatisticsCaptions Danish() {
  return {"Statistik",
          "&Dage", "&Måneder", "&År", "Re&korder",
          "&Fra: ", "&Til: ", "&Vis",
          "&Opdater", "Ra&pport: ", "&Eksporter rapport...", "Luk",
          "Datafilen læses...",
          {"Dato", "Poster", "Temp. maks", "Tid", "Temp. min", "Tid", "Temp. middel",
           "Fugt maks", "Fugt min", "Fugt middel", "Lufttryk maks", "Lufttryk min",
           "Lufttryk middel", "Vind middel", "Vindstød maks", "Tid", "Fremherskende retning",
           "Regn", "Opvarmningsgraddage", "Kølegraddage", "Vådeste dag", "Dato",
           "Regndage ≥ 0,2 mm", "Regndage ≥ 1 mm", "Regndage ≥ 10 mm"},
          {"Højeste temperatur", "Laveste temperatur", "Kraftigste vindstød", "Vådeste dag",
           "Højeste lufttryk", "Laveste lufttryk"},
          {"Hele perioden", "Dette år", "Denne måned"}};
}

}  // namespace

const StatisticsCaptions& StatisticsCaptionsFor(int languageIndex) {
  static const StatisticsCaptions kCaptions[3] = {English(), German(), Danish()};
  return kCaptions[languageIndex >= 0 && languageIndex < 3 ? languageIndex : 0];
}

}  // namespace skyvane
