#pragma once
// The completers that add derived values to a freshly decoded weather row
// (values still raw station numbers; scale 0.1 turns tenths into units).
// Each writes its field with six decimals, or the empty text when the inputs
// hold no valid reading; each always succeeds.
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"

namespace skyvane {

// The station's current relative and absolute pressure (alarm fields 2 and 3) in
// hPa. The alarm block holds them in the station's pressure unit (header field 9):
// tenths, or hundredths of "inHg".
float CurrentRelativePressureHpa(const AlarmRecord& alarms, const HeaderRecord& header);
float CurrentAbsolutePressureHpa(const AlarmRecord& alarms, const HeaderRecord& header);

// relativePressure from absolutePressure × scale, shifted by the station's
// present relative − absolute difference.
bool FillRelativePressure(HistoryRow& row, float scale, const AlarmRecord& alarms,
                          const HeaderRecord& header);

// dewPoint from outdoorTemperature × scale and outdoorHumidity; empty when either
// is missing or the humidity is 0 % (no dew point exists then).
bool FillDewPoint(HistoryRow& row, float scale);

// windChill from outdoorTemperature × scale and windSpeed × scale (a missing
// wind speed reads as calm).
bool FillWindChill(HistoryRow& row, float scale);

// rain in mm ("%.1f") from rainCounter; both empty when the counter is missing.
bool FillRain(HistoryRow& row);

}  // namespace skyvane
