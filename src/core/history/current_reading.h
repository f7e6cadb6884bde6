#pragma once
// The current reading as the live panels show it: the weather record at the
// header's current-record address, its derived fields completed, its rain
// windows taken from the stored history, in the header's units. The monitor,
// the Max/Min dialog and the CLI all read it this one way.
#include "core/station/alarm_record.h"
#include "core/station/device_busy.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"

namespace skyvane {

class HistoryFile;
class StationDevice;

enum class ReadingUnits {
  kDisplay,  // the header's units, as the panels show and the alarms compare them
  kStored,   // the form the data file keeps
};

// The raw weather record at the header's current-record address.
bool ReadCurrentRecord(StationDevice& device, const HeaderRecord& header, HistoryRow& record);

enum class RainWindows {
  kFromFile,  // counted from the rows the data file holds now
  kUnknown,   // "---": the caller counts them once the file has caught up
};

// Reads the record while claim holds the link and releases the claim as soon
// as the station has answered, so the data file is read for the rain without
// holding the link. False when the record could not be read: the row is then
// left as the failed read left it.
bool ReadCurrentReading(StationDevice& device, DeviceBusyClaim& claim, HistoryFile& file,
                        const HeaderRecord& header, const AlarmRecord& alarms, HistoryRow& reading,
                        ReadingUnits units = ReadingUnits::kDisplay,
                        RainWindows rain = RainWindows::kFromFile);

}  // namespace skyvane
