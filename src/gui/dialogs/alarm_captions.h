#pragma once
// The Alarm dialog's captions in English, German and Danish, one layout for all.
#include <QString>
#include <map>
#include <string>

namespace skyvane {

struct AlarmCaptions {
  QString title;
  QString high;
  QString low;
  QString save;
  QString cancel;
  // Group titles and field labels by their English text ("Indoor Humidity",
  // "Hour", "High     24 Hour", "Wind Direct", ...).
  std::map<std::string, QString> text;

  QString Of(const std::string& english) const;
};

// languageIndex 0 English, 1 German, 2 Danish; anything else gives English.
const AlarmCaptions& AlarmCaptionsFor(int languageIndex);

}  // namespace skyvane
