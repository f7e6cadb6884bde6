#pragma once
// What the settings dialogs tell the user after talking to the station, and
// how a save ended. The rules only collect the text-table entries; the front
// end shows them in order (message boxes, or lines on the error stream).
#include <vector>

#include "core/app/text_entry.h"
#include "core/station/device_busy.h"
#include "core/station/header_record.h"

namespace skyvane {

class StationDevice;

using DialogMessages = std::vector<Txt>;

enum class SaveResult {
  kWritten,   // the station holds the new settings
  kLinkBusy,  // "Can't communicate with device!": nothing was exchanged
  kFailed,    // a read or write failed; the messages say which
};

struct SaveOutcome {
  SaveResult result = SaveResult::kFailed;
  DialogMessages messages;
  bool Written() const { return result == SaveResult::kWritten; }
};

// Takes the link for a user's exchange; when it stays busy, adds "Can't
// communicate with device!" to messages and returns an empty claim.
DeviceBusyClaim ClaimForDialog(StationDevice& device, const BusySleep& sleep, DialogMessages& messages);

// The header's units, read for a window that shows values in them.
struct UnitsReading {
  HeaderRecord units;       // the station's header; the defaults when it was not read
  bool linkBusy = false;    // the link stayed busy: nothing was exchanged
  DialogMessages messages;  // "Can't communicate with device!" or the failed read
  bool Read() const { return messages.empty(); }
};

// Reads the header while holding the user's claim of the link, released
// before it returns.
UnitsReading ReadUnitsForUser(StationDevice& device, const BusySleep& sleep = SleepFor);

// Adds failure to messages when a read or write did not succeed; returns ok.
bool Noted(bool ok, Txt failure, DialogMessages& messages);

}  // namespace skyvane
