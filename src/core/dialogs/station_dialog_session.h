#pragma once
// The station traffic of the Setup and Alarm dialogs: both read the header and
// the alarm block when they open, and both save under one user claim of the
// link. Each takes deviceBusy the user-interface way (four checks, a
// one-second sleep after each of the first three that find it set).
#include <functional>
#include <utility>

#include "core/dialogs/alarm_form.h"
#include "core/dialogs/dialog_station.h"
#include "core/dialogs/setup_form.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"

namespace skyvane {

class StationDevice;

class StationDialogSession {
 public:
  bool SaveEnabled() const { return saveEnabled_; }

 protected:
  // The order of the reads when the dialog opens, which is the order of their
  // failure messages.
  enum class ReadOrder { kHeaderFirst, kAlarmsFirst };

  StationDialogSession(StationDevice& device, BusySleep sleep);

  // Reads both blocks in the given order. The messages to show: "Can't
  // communicate with device!" when the link stays busy, else a read failure
  // each. Any of them disables saving.
  DialogMessages ReadBlocks(ReadOrder order);

  // Takes the link and runs the save's reads and writes while holding it;
  // steps adds a message for each failure and returns true when the station
  // holds the new settings.
  SaveOutcome SaveClaimed(const std::function<bool(DialogMessages& messages)>& steps);

  StationDevice& device_;
  HeaderRecord header_;
  AlarmRecord alarms_;

 private:
  BusySleep sleep_;
  bool saveEnabled_ = true;
};

// The Setup dialog's reads and save sequence.
class SetupSession : public StationDialogSession {
 public:
  explicit SetupSession(StationDevice& device, BusySleep sleep = SleepFor)
      : StationDialogSession(device, std::move(sleep)) {}

  // Reads the header, then the alarm block.
  DialogMessages Open() { return ReadBlocks(ReadOrder::kHeaderFirst); }
  // The controls as the dialog shows them after opening.
  SetupForm Form() const { return FillSetupForm(header_, alarms_); }

  // The save sequence for checked controls: fresh reads of both blocks, the
  // header written with the controls' settings, the current pressures set in
  // the chosen pressure unit, the thresholds of every changed unit rescaled,
  // and the alarm block written. Stops at the first failure (the header may
  // then already be written).
  SaveOutcome Save(const SetupForm& form);
};

// The Alarm dialog's reads and save.
class AlarmSession : public StationDialogSession {
 public:
  explicit AlarmSession(StationDevice& device, BusySleep sleep = SleepFor)
      : StationDialogSession(device, std::move(sleep)) {}

  // Reads the alarm block, then the header; the thresholds show in its units.
  DialogMessages Open() { return ReadBlocks(ReadOrder::kAlarmsFirst); }
  const HeaderRecord& Header() const { return header_; }
  AlarmForm Form() const { return FillAlarmForm(header_, alarms_); }

  // Reads the alarm block afresh, writes the checked controls into it and
  // writes it back with the settings-changed mark. When the fresh read fails
  // nothing is written: the block's current pressures and unshown bytes would
  // otherwise be overwritten with zeros.
  SaveOutcome Save(const AlarmForm& form);
};

}  // namespace skyvane
