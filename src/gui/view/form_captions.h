#pragma once
// The captions of the main form in each of the three languages. The layout is
// one; only these texts differ between the English, German and Danish forms.
#include <QString>

namespace skyvane {

struct FormCaptions {
  QString relPressure;
  QString absPressure;
  QString wind;
  QString windLine;
  QString gustLine;
  QString windLevel;
  QString gustLevel;
  QString indoor;
  QString outdoor;
  QString temperature;
  QString humidity;
  QString dewpoint;
  QString windchill;
  QString rain;
  QString lastHour;
  QString last24Hour;
  QString lastWeek;
  QString lastMonth;
  QString total;
};

// languageIndex 0 English, 1 German, 2 Danish; anything else gives English.
const FormCaptions& FormCaptionsFor(int languageIndex);

}  // namespace skyvane
