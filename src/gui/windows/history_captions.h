#pragma once
// The History window's layout texts in the three languages: window title,
// labels, buttons and the items of the Condition list. Chosen by the language
// index when the window is created.
#include <QString>
#include <QStringList>

namespace skyvane {

struct HistoryCaptions {
  QString title;
  QString searchGroup;
  QString condition;
  QString startTime;
  QString endTime;
  QString search;
  QString refresh;
  QString clearData;
  QString clearMemory;
  QString graph;
  QString exportButton;
  QString cancel;
  QString print;
  QString deleteButton;
  QStringList conditionItems;  // "an hour", "24 hours", "a week", "a month", "user defined"
};

// English for an index outside 0..2.
const HistoryCaptions& HistoryCaptionsFor(int languageIndex);

}  // namespace skyvane
