#pragma once
// The Alarm dialog's station traffic: the reads when it opens and the save.
// Each takes deviceBusy the user-interface way.
#include "core/dialogs/alarm_form.h"
#include "core/dialogs/dialog_station.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"

namespace skyvane {

class StationDevice;

class AlarmSession {
 public:
  explicit AlarmSession(StationDevice& device, BusySleep sleep = SleepFor);

  // Reads the alarm block, then the header. The messages to show, in order;
  // any of them disables saving.
  DialogMessages Open();
  bool SaveEnabled() const { return saveEnabled_; }
  const HeaderRecord& Header() const { return header_; }

  AlarmForm Form() const { return FillAlarmForm(header_, alarms_); }

  // Reads the alarm block afresh, writes the checked controls into it and
  // writes it back with the settings-changed mark. When the fresh read fails
  // nothing is written: the block's current pressures and unshown bytes would
  // otherwise be overwritten with zeros.
  SaveOutcome Save(const AlarmForm& form);

 private:
  StationDevice& device_;
  BusySleep sleep_;
  HeaderRecord header_;
  AlarmRecord alarms_;
  bool saveEnabled_ = true;
};

}  // namespace skyvane
