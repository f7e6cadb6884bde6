#pragma once
// HistoryRow: the one representation of a weather reading, live or stored.
#include <vector>

#include "core/station/text_record.h"

namespace skyvane {

namespace row {
enum Field : int {
  stationAddress = 0,
  rawBytes = 1,
  reserved = 2,
  sequenceNo = 3,
  saveTime = 4,
  recordTime = 5,
  interval = 6,
  indoorHumidity = 7,
  indoorTemperature = 8,
  outdoorHumidity = 9,
  outdoorTemperature = 10,
  absolutePressure = 11,
  windSpeed = 12,
  gustSpeed = 13,
  windDir = 14,
  rainCounter = 15,
  rain = 16,
  relativePressure = 17,
  dewPoint = 18,
  windChill = 19,
  rainIncrement = 20,
  rainHour = 21,
  rain24h = 22,
  rainWeek = 23,
  rainMonth = 24,
  rainTotal = 25,
  windLevel = 26,
  gustLevel = 27,
  directionName = 28,
  flag1 = 29,
  flag8 = 36,
  kCount = 37
};
}  // namespace row

struct HistoryRow : TextRecord<row::kCount> {
  HistoryRow() { ResetFields(); }
  // Resets every field but the station address, raw bytes and reserved field.
  void ResetFields() {
    fields[row::sequenceNo] = "0";
    fields[row::saveTime].clear();
    fields[row::recordTime].clear();
    for (int i = row::interval; i <= row::directionName; ++i) fields[i] = "---";
    for (int i = row::flag1; i <= row::flag8; ++i) fields[i].clear();
  }
};

inline void ResetRow(HistoryRow& r) { r.ResetFields(); }

using HistoryRowArray = std::vector<HistoryRow>;

}  // namespace skyvane
