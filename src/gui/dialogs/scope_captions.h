#pragma once
// The Max/Min dialog's captions in English, German and Danish, one layout for all.
#include <QString>
#include <string>

namespace skyvane {

struct ScopeCaptions {
  QString title;
  QString time;
  QString ok;
  int language = 0;

  // A group title or field label given by its English text ("Indoor
  // Humidity", "Maximum", "24 Hours", ...).
  QString Of(const std::string& english) const;
};

// languageIndex 0 English, 1 German, 2 Danish; anything else gives English.
ScopeCaptions ScopeCaptionsFor(int languageIndex);

}  // namespace skyvane
