#pragma once
// The 32-byte header block at station address 0 as 47 text fields.
#include "core/station/text_record.h"

namespace skyvane {

namespace hdr {
enum Field : int {
  kUnused = 0,
  kHexDump = 1,
  kMarker55 = 2,          // "1" when byte 0x00 is 0x55
  kMarkerAA = 3,          // "1" when byte 0x01 is 0xAA
  kReserved02 = 4,        // bytes 0x02..0x0F, 28 hex digits
  kInterval = 5,          // logging interval, minutes
  kUnitIndoorTemp = 6,    // "°C" / "°F"
  kUnitOutdoorTemp = 7,   // "°C" / "°F"
  kUnitRain = 8,          // "mm" / "inch"
  kUnitPressure = 9,      // "Hpa" / "inHg" / "mmHg" / ""
  kUnitWind = 10,         // "m/s" / "km/h" / "knot" / "m/h" / "bft" / ""
  kDisplayPressure = 11,  // 0 absolute, 1 relative
  kDisplayWind = 12,      // 0 wind, 1 gust
  kDisplayTime = 13,      // 0 24-hour, 1 12-hour
  kDisplayDate = 14,      // 0 day-month-year, 1 month-day-year
  kDisplayAxis = 15,      // 0 12 hours, 1 24 hours
  kDisplayDateLine = 16,  // "0".."2" or ""
  kDisplayOutdoorTemp = 17,  // "0".."2" or ""
  kDisplayRain = 18,      // "0".."4" or ""
  kAlarmTime = 19,
  kAlarmWindDirection = 20,
  kAlarmIndoorHumidityLow = 21,
  kAlarmIndoorHumidityHigh = 22,
  kAlarmOutdoorHumidityLow = 23,
  kAlarmOutdoorHumidityHigh = 24,
  kAlarmWindSpeedHigh = 25,
  kAlarmGustSpeedHigh = 26,
  kAlarmHourRainHigh = 27,
  kAlarmDayRainHigh = 28,
  kAlarmAbsPressureLow = 29,
  kAlarmAbsPressureHigh = 30,
  kAlarmRelPressureLow = 31,
  kAlarmRelPressureHigh = 32,
  kAlarmIndoorTempLow = 33,
  kAlarmIndoorTempHigh = 34,
  kAlarmOutdoorTempLow = 35,
  kAlarmOutdoorTempHigh = 36,
  kAlarmWindChillLow = 37,
  kAlarmWindChillHigh = 38,
  kAlarmDewPointLow = 39,
  kAlarmDewPointHigh = 40,
  kTimeZone = 41,         // "0", "+N", "-N"
  kReserved19 = 42,       // byte 0x19, 2 hex digits
  kSettingsChanged = 43,  // "1" when byte 0x1A is 0xAA
  kRecordCount = 44,
  kReserved1D = 45,       // byte 0x1D, 2 hex digits
  kCurrentAddress = 46,
  kCount = 47
};
}  // namespace hdr

struct HeaderRecord : TextRecord<hdr::kCount> {
  // Fresh state: metric units until a header has been read.
  HeaderRecord() {
    fields[hdr::kInterval] = "---";
    fields[hdr::kUnitIndoorTemp] = "°C";
    fields[hdr::kUnitOutdoorTemp] = "°C";
    fields[hdr::kUnitRain] = "mm";
    fields[hdr::kUnitPressure] = "Hpa";
    fields[hdr::kUnitWind] = "m/s";
  }
};

}  // namespace skyvane
