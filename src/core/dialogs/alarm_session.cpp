#include "core/dialogs/alarm_session.h"

#include <utility>

#include "core/station/station_device.h"

namespace skyvane {

AlarmSession::AlarmSession(StationDevice& device, BusySleep sleep)
    : device_(device), sleep_(std::move(sleep)) {}

DialogMessages AlarmSession::Open() {
  DialogMessages messages;
  DeviceBusyClaim claim = ClaimForDialog(device_, sleep_, messages);
  if (!claim) {
    saveEnabled_ = false;
    return messages;
  }
  const bool alarmsRead = Noted(device_.ReadAlarms(alarms_), Txt::ReadAlarmDataFail, messages);
  const bool headerRead = Noted(device_.ReadHeader(header_), Txt::ReadSetupDataFail, messages);
  saveEnabled_ = alarmsRead && headerRead;
  return messages;
}

SaveOutcome AlarmSession::Save(const AlarmForm& form) {
  SaveOutcome outcome;
  DeviceBusyClaim claim = ClaimForDialog(device_, sleep_, outcome.messages);
  if (!claim) {
    outcome.result = SaveResult::kLinkBusy;
    return outcome;
  }
  AlarmRecord alarms;
  if (!Noted(device_.ReadAlarms(alarms), Txt::ReadAlarmDataFail, outcome.messages)) return outcome;
  ApplyAlarmForm(form, header_, alarms);
  if (!Noted(device_.WriteAlarms(alarms), Txt::SaveAlarmDataFail, outcome.messages)) return outcome;
  outcome.result = SaveResult::kWritten;
  return outcome;
}

}  // namespace skyvane
