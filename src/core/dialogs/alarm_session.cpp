#include "core/dialogs/alarm_session.h"

#include <utility>

#include "core/station/station_device.h"

namespace skyvane {

AlarmSession::AlarmSession(StationDevice& device, BusySleep sleep)
    : device_(device), sleep_(std::move(sleep)) {}

DialogMessages AlarmSession::Open() {
  DialogMessages messages;
  saveEnabled_ = true;
  DeviceBusyClaim claim = ClaimDeviceForUser(device_.DeviceBusy(), sleep_);
  if (!claim) {
    saveEnabled_ = false;
    messages.push_back(Txt::CantCommunicateWithDevice);
    return messages;
  }
  if (!device_.ReadAlarms(alarms_)) {
    saveEnabled_ = false;
    messages.push_back(Txt::ReadAlarmDataFail);
  }
  if (!device_.ReadHeader(header_)) {
    saveEnabled_ = false;
    messages.push_back(Txt::ReadSetupDataFail);
  }
  return messages;
}

SaveOutcome AlarmSession::Save(const AlarmForm& form) {
  SaveOutcome outcome;
  DeviceBusyClaim claim = ClaimDeviceForUser(device_.DeviceBusy(), sleep_);
  if (!claim) {
    outcome.result = SaveResult::kLinkBusy;
    outcome.messages.push_back(Txt::CantCommunicateWithDevice);
    return outcome;
  }
  AlarmRecord alarms;
  if (!device_.ReadAlarms(alarms)) {
    outcome.messages.push_back(Txt::ReadAlarmDataFail);
    return outcome;
  }
  ApplyAlarmForm(form, header_, alarms);
  if (!device_.WriteAlarms(alarms)) {
    outcome.messages.push_back(Txt::SaveAlarmDataFail);
    return outcome;
  }
  outcome.result = SaveResult::kWritten;
  return outcome;
}

}  // namespace skyvane
