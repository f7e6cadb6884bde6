#include "core/dialogs/setup_session.h"

#include <utility>

#include "core/dialogs/alarm_rescale.h"
#include "core/station/station_device.h"

namespace skyvane {

SetupSession::SetupSession(StationDevice& device, BusySleep sleep)
    : device_(device), sleep_(std::move(sleep)) {}

DialogMessages SetupSession::Open() {
  DialogMessages messages;
  saveEnabled_ = true;
  DeviceBusyClaim claim = ClaimDeviceForUser(device_.DeviceBusy(), sleep_);
  if (!claim) {
    saveEnabled_ = false;
    messages.push_back(Txt::CantCommunicateWithDevice);
    return messages;
  }
  if (!device_.ReadHeader(header_)) {
    saveEnabled_ = false;
    messages.push_back(Txt::ReadSetupDataFail);
  }
  if (!device_.ReadAlarms(alarms_)) {
    saveEnabled_ = false;
    messages.push_back(Txt::ReadAlarmDataFail);
  }
  return messages;
}

SaveOutcome SetupSession::Save(const SetupForm& form) {
  SaveOutcome outcome;
  DeviceBusyClaim claim = ClaimDeviceForUser(device_.DeviceBusy(), sleep_);
  if (!claim) {
    outcome.result = SaveResult::kLinkBusy;
    outcome.messages.push_back(Txt::CantCommunicateWithDevice);
    return outcome;
  }
  HeaderRecord header;
  if (!device_.ReadHeader(header)) {
    outcome.messages.push_back(Txt::ReadSetupDataFail);
    return outcome;
  }
  AlarmRecord alarms;
  if (!device_.ReadAlarms(alarms)) {
    outcome.messages.push_back(Txt::ReadAlarmDataFail);
    return outcome;
  }
  // The fresh block holds its thresholds in the units of the fresh header.
  const HeaderRecord before = header;
  ApplySetupToHeader(form, header);
  if (!device_.WriteHeader(header)) {
    outcome.messages.push_back(Txt::SaveSetupDataFail);
    return outcome;
  }
  ApplySetupPressures(form, alarms);
  RescaleAlarmThresholds(alarms, before, header);
  if (!device_.WriteAlarms(alarms)) {
    outcome.messages.push_back(Txt::SaveAlarmDataFail);
    return outcome;
  }
  outcome.result = SaveResult::kWritten;
  return outcome;
}

}  // namespace skyvane
