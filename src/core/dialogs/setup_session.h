#pragma once
// The Setup dialog's station traffic: the reads when it opens and the save
// sequence. Each takes deviceBusy the user-interface way (four checks, a
// one-second sleep after each of the first three that find it set).
#include "core/dialogs/dialog_station.h"
#include "core/dialogs/setup_form.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"

namespace skyvane {

class StationDevice;

class SetupSession {
 public:
  explicit SetupSession(StationDevice& device, BusySleep sleep = SleepFor);

  // Reads the header and the alarm block. The messages to show, in order:
  // "Can't communicate with device!" when the link stays busy, else a read
  // failure each. Any of them disables saving.
  DialogMessages Open();
  bool SaveEnabled() const { return saveEnabled_; }

  // The controls as the dialog shows them after opening.
  SetupForm Form() const { return FillSetupForm(header_, alarms_); }

  // The save sequence for checked controls: fresh reads of both blocks, the
  // header written with the controls' settings, the current pressures set in
  // the chosen pressure unit, the thresholds of every changed unit rescaled,
  // and the alarm block written. Stops at the first failure (the header may
  // then already be written).
  SaveOutcome Save(const SetupForm& form);

 private:
  StationDevice& device_;
  BusySleep sleep_;
  HeaderRecord header_;
  AlarmRecord alarms_;
  bool saveEnabled_ = true;
};

}  // namespace skyvane
