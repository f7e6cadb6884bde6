#pragma once
// The test image and records shaped like its blocks, for the unit tests.
#include <cstdint>
#include <string>
#include <vector>

#include "core/station/alarm_record.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"
#include "core/station/test_image.h"

namespace skyvane::testing {

// The 512-byte test image of station memory, 0x000 to 0x1FF.
inline std::vector<std::uint8_t> TestImageBytes() { return {TestImage.begin(), TestImage.end()}; }

// The test image's header as far as the units go: °C, °C, mm, Hpa, km/h.
inline HeaderRecord TestImageHeader() {
  HeaderRecord h;
  h[hdr::kUnitWind] = "km/h";
  return h;
}

inline HeaderRecord HeaderWithUnits(const std::string& indoor, const std::string& outdoor,
                                    const std::string& rain, const std::string& pressure,
                                    const std::string& wind) {
  HeaderRecord h;
  h[hdr::kUnitIndoorTemp] = indoor;
  h[hdr::kUnitOutdoorTemp] = outdoor;
  h[hdr::kUnitRain] = rain;
  h[hdr::kUnitPressure] = pressure;
  h[hdr::kUnitWind] = wind;
  return h;
}

// Alarm block with the station's current relative and absolute pressure (raw).
inline AlarmRecord AlarmsWithPressures(const std::string& relative, const std::string& absolute) {
  AlarmRecord a;
  a[alm::kCurrentRelPressure] = relative;
  a[alm::kCurrentAbsPressure] = absolute;
  return a;
}

// A row as the weather-record decoder leaves it: raw station integers.
struct RawReading {
  std::string interval = "5";
  std::string indoorHumidity, indoorTemperature, outdoorHumidity, outdoorTemperature;
  std::string absolutePressure, windSpeed, gustSpeed, windDir, rainCounter;
  std::string flags = "00000000";  // status bits 0..7
};

inline HistoryRow DecodedRow(const RawReading& r) {
  HistoryRow row;
  row[row::interval] = r.interval;
  row[row::indoorHumidity] = r.indoorHumidity;
  row[row::indoorTemperature] = r.indoorTemperature;
  row[row::outdoorHumidity] = r.outdoorHumidity;
  row[row::outdoorTemperature] = r.outdoorTemperature;
  row[row::absolutePressure] = r.absolutePressure;
  row[row::windSpeed] = r.windSpeed;
  row[row::gustSpeed] = r.gustSpeed;
  row[row::windDir] = r.windDir;
  row[row::rainCounter] = r.rainCounter;
  row[row::relativePressure] = "";
  for (int i = 0; i < 8; ++i) row[row::flag1 + i] = std::string(1, r.flags[i]);
  return row;
}

}  // namespace skyvane::testing
