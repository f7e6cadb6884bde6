#include "core/dialogs/setup_session.h"

#include <utility>

#include "core/dialogs/alarm_rescale.h"
#include "core/station/station_device.h"

namespace skyvane {

SetupSession::SetupSession(StationDevice& device, BusySleep sleep)
    : device_(device), sleep_(std::move(sleep)) {}

DialogMessages SetupSession::Open() {
  DialogMessages messages;
  DeviceBusyClaim claim = ClaimForDialog(device_, sleep_, messages);
  if (!claim) {
    saveEnabled_ = false;
    return messages;
  }
  const bool headerRead = Noted(device_.ReadHeader(header_), Txt::ReadSetupDataFail, messages);
  const bool alarmsRead = Noted(device_.ReadAlarms(alarms_), Txt::ReadAlarmDataFail, messages);
  saveEnabled_ = headerRead && alarmsRead;
  return messages;
}

SaveOutcome SetupSession::Save(const SetupForm& form) {
  SaveOutcome outcome;
  DeviceBusyClaim claim = ClaimForDialog(device_, sleep_, outcome.messages);
  if (!claim) {
    outcome.result = SaveResult::kLinkBusy;
    return outcome;
  }
  HeaderRecord header;
  if (!Noted(device_.ReadHeader(header), Txt::ReadSetupDataFail, outcome.messages)) return outcome;
  AlarmRecord alarms;
  if (!Noted(device_.ReadAlarms(alarms), Txt::ReadAlarmDataFail, outcome.messages)) return outcome;
  // The fresh block holds its thresholds in the units of the fresh header.
  const HeaderRecord before = header;
  ApplySetupToHeader(form, header);
  if (!Noted(device_.WriteHeader(header), Txt::SaveSetupDataFail, outcome.messages)) return outcome;
  ApplySetupPressures(form, alarms);
  RescaleAlarmThresholds(alarms, before, header);
  if (!Noted(device_.WriteAlarms(alarms), Txt::SaveAlarmDataFail, outcome.messages)) return outcome;
  outcome.result = SaveResult::kWritten;
  return outcome;
}

}  // namespace skyvane
