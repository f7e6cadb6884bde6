#pragma once
// The History window's layout texts in the three languages: window title,
// labels, buttons and the items of the Condition list. Chosen by the language
// index when the window is created.
#include <QString>

#include "gui/windows/search_range_controls.h"

namespace skyvane {

struct HistoryCaptions {
  QString title;
  SearchRangeCaptions range;
  QString refresh;
  QString clearData;
  QString clearMemory;
  QString graph;
  QString exportButton;
  QString cancel;
  QString print;
  QString deleteButton;
};

// English for an index outside 0..2.
const HistoryCaptions& HistoryCaptionsFor(int languageIndex);

}  // namespace skyvane
