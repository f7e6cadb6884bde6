#pragma once
// The 160-byte max/min block at station address 0x60 as 49 text fields:
// 23 extreme values (fields 3..25) and their timestamps (fields 26..48).
#include "core/station/text_record.h"

namespace skyvane {

namespace mm {
enum Field : int {
  kUnused = 0,
  kHexDump = 1,
  kReserved00 = 2,           // 4 hex digits
  kIndoorHumidityMax = 3,
  kIndoorHumidityMin = 4,
  kOutdoorHumidityMax = 5,
  kOutdoorHumidityMin = 6,
  kIndoorTempMax = 7,
  kIndoorTempMin = 8,
  kOutdoorTempMax = 9,
  kOutdoorTempMin = 10,
  kWindChillMax = 11,
  kWindChillMin = 12,
  kDewPointMax = 13,
  kDewPointMin = 14,
  kAbsPressureMax = 15,
  kAbsPressureMin = 16,
  kRelPressureMax = 17,
  kRelPressureMin = 18,
  kWindSpeedMax = 19,
  kGustSpeedMax = 20,
  kRainHourMax = 21,
  kRain24hMax = 22,
  kRainWeekMax = 23,
  kRainMonthMax = 24,        // 20 bits
  kRainTotalMax = 25,        // 20 bits
  kFirstTime = 26,           // time of value field k is field k + kTimeOffset
  kLastTime = 48,
  kCount = 49
};
constexpr int kTimeOffset = kFirstTime - kIndoorHumidityMax;  // 23
}  // namespace mm

struct MaxMinRecord : TextRecord<mm::kCount> {};

}  // namespace skyvane
