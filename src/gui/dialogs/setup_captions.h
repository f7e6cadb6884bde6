#pragma once
// The Setup dialog's captions in English, German and Danish. The layout is
// the same in every language; the unit lists and the time zones carry the
// station's own texts and are not translated.
#include <QString>
#include <QStringList>
#include <array>

#include "core/dialogs/setup_form.h"

namespace skyvane {

struct SetupCaptions {
  QString title;
  QString timeZone;
  QString interval;
  QString minute;
  QString unit;
  QString display;
  QString alarmEnable;
  QString pressure;
  // The label beside each list (none for the time zone).
  std::array<QString, setup::kListCount> listLabel;
  // The items of the display lists (empty for lists of station texts).
  std::array<QStringList, setup::kListCount> items;
  std::array<QString, setup::kAlarmEnableCount> alarmBox;
  QString relative;
  QString absolute;
  QString save;
  QString cancel;
};

// languageIndex 0 English, 1 German, 2 Danish; anything else gives English.
const SetupCaptions& SetupCaptionsFor(int languageIndex);

}  // namespace skyvane
