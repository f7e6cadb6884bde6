#include "core/dialogs/station_dialog_session.h"

#include <utility>

#include "core/dialogs/alarm_rescale.h"
#include "core/station/station_device.h"

namespace skyvane {

StationDialogSession::StationDialogSession(StationDevice& device, BusySleep sleep)
    : device_(device), sleep_(std::move(sleep)) {}

DialogMessages StationDialogSession::ReadBlocks(ReadOrder order) {
  DialogMessages messages;
  DeviceBusyClaim claim = ClaimForDialog(device_, sleep_, messages);
  if (!claim) {
    saveEnabled_ = false;
    return messages;
  }
  auto readHeader = [&] { return Noted(device_.ReadHeader(header_), Txt::ReadSetupDataFail, messages); };
  auto readAlarms = [&] { return Noted(device_.ReadAlarms(alarms_), Txt::ReadAlarmDataFail, messages); };
  if (order == ReadOrder::kHeaderFirst) {
    const bool headerRead = readHeader();
    saveEnabled_ = readAlarms() && headerRead;
  } else {
    const bool alarmsRead = readAlarms();
    saveEnabled_ = readHeader() && alarmsRead;
  }
  return messages;
}

SaveOutcome StationDialogSession::SaveClaimed(
    const std::function<bool(DialogMessages& messages)>& steps) {
  SaveOutcome outcome;
  DeviceBusyClaim claim = ClaimForDialog(device_, sleep_, outcome.messages);
  if (!claim) {
    outcome.result = SaveResult::kLinkBusy;
    return outcome;
  }
  if (steps(outcome.messages)) outcome.result = SaveResult::kWritten;
  return outcome;
}

SaveOutcome SetupSession::Save(const SetupForm& form) {
  return SaveClaimed([&](DialogMessages& messages) {
    HeaderRecord header;
    if (!Noted(device_.ReadHeader(header), Txt::ReadSetupDataFail, messages)) return false;
    AlarmRecord alarms;
    if (!Noted(device_.ReadAlarms(alarms), Txt::ReadAlarmDataFail, messages)) return false;
    // The fresh block holds its thresholds in the units of the fresh header.
    const HeaderRecord before = header;
    ApplySetupToHeader(form, header);
    if (!Noted(device_.WriteHeader(header), Txt::SaveSetupDataFail, messages)) return false;
    ApplySetupPressures(form, alarms);
    RescaleAlarmThresholds(alarms, before, header);
    return Noted(device_.WriteAlarms(alarms), Txt::SaveAlarmDataFail, messages);
  });
}

SaveOutcome AlarmSession::Save(const AlarmForm& form) {
  return SaveClaimed([&](DialogMessages& messages) {
    AlarmRecord alarms;
    if (!Noted(device_.ReadAlarms(alarms), Txt::ReadAlarmDataFail, messages)) return false;
    ApplyAlarmForm(form, header_, alarms);
    return Noted(device_.WriteAlarms(alarms), Txt::SaveAlarmDataFail, messages);
  });
}

}  // namespace skyvane
