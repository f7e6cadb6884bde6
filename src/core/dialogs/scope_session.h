#pragma once
// The Max/Min ("Scope") dialog's rules: the station's recorded extremes read
// once when it opens, converted into the user's units, repaired with the
// current reading, and written as the dialog's value and time texts.
#include <array>
#include <span>
#include <string>

#include "core/dialogs/control_name.h"
#include "core/dialogs/dialog_station.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"
#include "core/station/maxmin_record.h"

namespace skyvane {

class HistoryFile;
class StationDevice;
class TextTable;

// One value of the dialog on a max/min field, and the header field naming its
// unit (0: "%").
struct ScopeEntry : DialogControl {
  int unitField;
};

// The 23 values in dialog order (time field = field + mm::kTimeOffset).
std::span<const ScopeEntry> ScopeEntries();

class ScopeSession {
 public:
  ScopeSession(StationDevice& device, HistoryFile& file, const TextTable& text,
               BusySleep sleep = SleepFor);

  // False when the link stays busy: messages then holds "Can't communicate
  // with device!" and the dialog closes at once. Otherwise reads the max/min
  // block, the header, the alarm block and the current record (each failure
  // adds its message and the rest goes on) and prepares the texts.
  bool Open(DialogMessages& messages);

  // "<display text> <unit>" of a value field, and its time in display form.
  const std::string& ValueText(int field) const { return values_[static_cast<std::size_t>(field)]; }
  const std::string& TimeText(int field) const { return times_[static_cast<std::size_t>(field)]; }

  const HistoryRow& Current() const { return current_; }

 private:
  void PrepareTexts();

  StationDevice& device_;
  HistoryFile& file_;
  const TextTable& text_;
  BusySleep sleep_;
  AlarmRecord alarms_;
  HistoryRow current_;
  HeaderRecord header_;
  MaxMinRecord maxmin_;
  std::array<std::string, mm::kCount> values_{};
  std::array<std::string, mm::kCount> times_{};
};

}  // namespace skyvane
