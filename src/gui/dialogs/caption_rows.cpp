#include "gui/dialogs/caption_rows.h"

namespace skyvane {
namespace {

// The groups and labels of the Alarm and Max/Min dialogs; the quantities'
// names first, which both show.
constexpr CaptionRow kRows[] = {
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
    // The Alarm dialog's.
    {"Time", "Zeit", "Tid"},
    {"Hour", "Stunde", "Time"},
    {"Minute", "Minute", "Minut"},
    {"Rain", "Niederschlag", "Nedbør"},
    {"High     Hour", "Hoch     Stunde", "Høj     Time"},
    {"High     24 Hour", "Hoch     24 Stunden", "Høj     24 Timer"},
    {"Wind Direct", "Windrichtung", "Vindretning"},
    // The Max/Min dialog's ("Hour" is the Alarm dialog's too).
    {"Maximum", "Maximum", "Maksimum"},
    {"Minimum", "Minimum", "Minimum"},
    {"Rain Maximum", "Niederschlag Maximum", "Nedbør Maksimum"},
    {"24 Hours", "24 Stunden", "24 Timer"},
    {"Week", "Woche", "Uge"},
    {"Month", "Monat", "Måned"},
    {"Total", "Total", "Total"},
};

}  // namespace

const char* CaptionRow::In(int languageIndex) const {
  return languageIndex == 1 ? german : languageIndex == 2 ? danish : english;
}

std::span<const CaptionRow> SettingsDialogCaptionRows() { return kRows; }

const CaptionRow* FindCaptionRow(std::span<const CaptionRow> rows, const std::string& english) {
  for (const CaptionRow& row : rows) {
    if (english == row.english) return &row;
  }
  return nullptr;
}

}  // namespace skyvane
