#pragma once
// The Graph window's layout texts in the three languages: window title, labels,
// buttons and the items of the Condition and Series lists. Chosen by the
// language index when the window is created.
#include <QString>
#include <QStringList>

#include "gui/windows/search_range_controls.h"

namespace skyvane {

struct GraphCaptions {
  QString title;
  SearchRangeCaptions range;
  QString series;
  QString type;
  QString view3D;
  QString refresh;
  QString exportButton;
  QString cancel;
  QString print;
  QStringList seriesItems;  // Humidity ... Rain, in list order
};

// English for an index outside 0..2.
const GraphCaptions& GraphCaptionsFor(int languageIndex);

}  // namespace skyvane
