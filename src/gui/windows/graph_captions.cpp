#include "gui/windows/graph_captions.h"

namespace skyvane {
namespace {

GraphCaptions English() {
  return {"Graph",
          {"Search", "Condition: ", "StartTime: ", "EndTime: ", "&Search",
           {"an hour", "24 hours", "a week", "a month", "user defined"}},
          "Series: ", "Type: ", "3D", "Refresh", "Export...", "Cancel", "Print...",
          {"Humidity", "Indoor Temperature", "Outdoor Temperature", "Wind Chill", "Pressure", "Wind", "Rain"}};
}

GraphCaptions German() {
  return {"Grafik",
          {"Suchen", "Bedingung: ", "Startzeit: ", "Endzeit: ", "&Suchen",
           {"Stunde", "24 Stunden", "Woche", "Monat", "Individuell"}},
          "Reihe: ", "Typ: ", "3D", "Aktualisieren", "Exportieren...", "Abbrechen", "Drucken...",
          {"Luftfeuchtigkeit", "Innen Temperatur", "Außen Temperatur", "Windauskühlung", "Luftdruck", "Wind",
           "Niederschlag"}};
}

GraphCaptions Danish() {
  return {"Graf",
          {"Søg", "Betingelse: ", "Starttid: ", "Sluttid: ", "&Søg",
           {"en time", "24 timer", "en uge", "en måned", "bruger defineret"}},
          "Serie: ", "Type: ", "3D", "Opdater", "Eksport...", "Annuller", "Udskriv...",
          {"Fugtighed", "Indendørs Temperatur", "Udendørs Temperatur", "Kuldeindeks", "Tryk", "Vind", "Nedbør"}};
}

}  // namespace

const GraphCaptions& GraphCaptionsFor(int languageIndex) {
  static const GraphCaptions kCaptions[3] = {English(), German(), Danish()};
  return kCaptions[languageIndex >= 0 && languageIndex < 3 ? languageIndex : 0];
}

}  // namespace skyvane
