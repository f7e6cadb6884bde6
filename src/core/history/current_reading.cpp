#include "core/history/current_reading.h"

#include "core/history/rain.h"
#include "core/station/station_device.h"
#include "core/units/record_display.h"
#include "core/units/value_text.h"

namespace skyvane {

bool ReadCurrentRecord(StationDevice& device, const HeaderRecord& header, HistoryRow& record) {
  return device.ReadWeatherRecord(IntegerValue(header[hdr::kCurrentAddress]), record);
}

bool ReadCurrentReading(StationDevice& device, DeviceBusyClaim& claim, HistoryFile& file,
                        const HeaderRecord& header, const AlarmRecord& alarms, HistoryRow& reading,
                        ReadingUnits units, RainWindows rain) {
  const bool read = ReadCurrentRecord(device, header, reading);
  claim.Release();
  if (!read) return false;
  DeriveRow(reading, header, alarms);
  if (rain == RainWindows::kFromFile) {
    ComputeRainForCurrent(file, reading);
  } else {
    MarkRainUnknown(reading);
  }
  if (units == ReadingUnits::kDisplay) RowToDisplayUnits(reading, header);
  return true;
}

}  // namespace skyvane
