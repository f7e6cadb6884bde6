#pragma once
// What the settings dialogs tell the user after talking to the station, and
// how a save ended. The rules only collect the text-table entries; the front
// end shows them in order (message boxes, or lines on the error stream).
#include <vector>

#include "core/app/text_entry.h"
#include "core/station/device_busy.h"

namespace skyvane {

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

}  // namespace skyvane
