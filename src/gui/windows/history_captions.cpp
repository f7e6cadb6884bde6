#include "gui/windows/history_captions.h"

namespace skyvane {
namespace {

HistoryCaptions English() {
  return {"History Data",
          {"Search", "Condition: ", "StartTime: ", "EndTime: ", "Search",
           {"an hour", "24 hours", "a week", "a month", "user defined"}},
          "Refresh", "Clear Data", "Clear Memory", "Graph...", "Export...", "Cancel", "Print...", "Delete"};
}

HistoryCaptions German() {
  return {"Daten Historie",
          {"Suchen", "Bedingung: ", "Startzeit: ", "Endzeit: ", "Suchen",
           {"Stunde", "24 Stunden", "Woche", "Monat", "Individuell"}},
          "Aktualisieren", "Daten löschen", "Speicher löschen", "Grafik...", "Exportieren...",
          "Abbrechen", "Drucken...", "Löschen"};
}

HistoryCaptions Danish() {
  return {"Historik Data",
          {"Søg", "Betingelse: ", "Starttid: ", "Sluttid: ", "Søg",
           {"en time", "24 timer", "en uge", "en måned", "bruger defineret"}},
          "Opdater", "Ryd data", "Ryd hukommelse", "Graf...", "Eksport...", "Annuller", "Udskriv...", "Slet"};
}

}  // namespace

const HistoryCaptions& HistoryCaptionsFor(int languageIndex) {
  static const HistoryCaptions kCaptions[3] = {English(), German(), Danish()};
  return kCaptions[languageIndex >= 0 && languageIndex < 3 ? languageIndex : 0];
}

}  // namespace skyvane
