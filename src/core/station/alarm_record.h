#pragma once
// The 64-byte alarm block at station address 0x20 as 31 text fields.
// Values are raw, in the units the station is set to (see AlarmsToDisplayUnits).
#include "core/station/text_record.h"

namespace skyvane {

namespace alm {
enum Field : int {
  kUnused = 0,
  kHexDump = 1,
  kCurrentRelPressure = 2,
  kCurrentAbsPressure = 3,
  kReserved04 = 4,           // 24 hex digits
  kIndoorHumidityHigh = 5,
  kIndoorHumidityLow = 6,
  kIndoorTempHigh = 7,
  kIndoorTempLow = 8,
  kOutdoorHumidityHigh = 9,
  kOutdoorHumidityLow = 10,
  kOutdoorTempHigh = 11,
  kOutdoorTempLow = 12,
  kWindChillHigh = 13,
  kWindChillLow = 14,
  kDewPointHigh = 15,
  kDewPointLow = 16,
  kAbsPressureHigh = 17,
  kAbsPressureLow = 18,
  kRelPressureHigh = 19,
  kRelPressureLow = 20,
  kWindLevelHigh = 21,       // Beaufort 0..12
  kWindSpeedHigh = 22,
  kGustLevelHigh = 23,       // Beaufort 0..12
  kGustSpeedHigh = 24,
  kWindDirection = 25,       // compass point 0..15
  kRainHourHigh = 26,
  kRain24hHigh = 27,
  kTimeHour = 28,            // BCD as 2 hex digits
  kTimeMinute = 29,          // BCD as 2 hex digits
  kReserved59 = 30,          // 14 hex digits
  kCount = 31
};
}  // namespace alm

struct AlarmRecord : TextRecord<alm::kCount> {
  // Fresh state: "---" marks thresholds not read yet.
  AlarmRecord() {
    for (int i = alm::kIndoorHumidityHigh; i <= alm::kTimeMinute; ++i) fields[i] = "---";
  }
};

}  // namespace skyvane
