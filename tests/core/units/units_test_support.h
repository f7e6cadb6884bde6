#pragma once
// The test image and records shaped like its blocks, for the unit tests.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "core/history/history_row.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"

namespace skyvane::testing {

// The 512-byte test image of station memory, 0x000 to 0x1FF.
inline std::vector<std::uint8_t> TestImageBytes() {
  static const char* kHex =
    "55 AA 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "  // 0x000
    "05 20 02 20 09 04 FF FF 01 00 00 10 00 00 F0 01 "  // 0x010
    "94 27 6F 27 00 00 00 00 00 00 00 00 00 00 00 00 "  // 0x020
    "41 23 C8 00 00 00 46 2D 2C 01 64 80 C8 00 00 00 "  // 0x030
    "64 00 64 80 A0 28 80 25 A0 28 80 25 00 B4 00 00 "  // 0x040
    "68 01 00 0A 00 F4 01 13 30 00 00 00 00 00 00 00 "  // 0x050
    "00 00 46 40 56 30 EF 00 E1 10 30 01 CA 00 2A 01 "  // 0x060
    "C0 00 FF 00 AA 00 6F 27 69 27 93 27 53 27 BA 00 "  // 0x070
    "DA 01 1A 00 F4 00 F4 03 B5 21 DC AF 00 07 01 01 "  // 0x080
    "12 00 07 01 01 12 00 07 01 01 12 00 07 01 01 12 "  // 0x090
    "00 07 01 01 12 00 07 01 01 12 00 07 01 01 12 00 "  // 0x0A0
    "07 01 01 12 00 07 01 01 12 00 07 01 01 12 00 07 "  // 0x0B0
    "01 01 12 00 07 01 01 12 00 07 01 01 12 00 07 01 "  // 0x0C0
    "01 12 00 07 01 01 12 00 07 01 01 12 00 07 01 01 "  // 0x0D0
    "12 00 07 01 01 12 00 07 01 01 12 00 07 01 01 12 "  // 0x0E0
    "00 07 01 01 12 00 07 01 01 12 00 07 01 01 12 00 "  // 0x0F0
    "05 41 E3 00 3C 08 01 6A 27 60 CC 00 02 94 2A 00 "  // 0x100
    "05 41 E3 00 3B FC 00 6B 27 66 CA 00 03 95 2A 00 "  // 0x110
    "05 41 38 00 3C 0A 01 6B 27 61 CD 00 05 96 2A 00 "  // 0x120
    "05 41 E3 00 3D F8 00 6D 27 60 CE 00 04 97 2A 00 "  // 0x130
    "05 40 E3 00 3C FB 00 6D 27 63 C8 00 06 98 2A 00 "  // 0x140
    "05 40 E3 00 43 F3 00 6C 27 6A C8 00 07 99 2A 00 "  // 0x150
    "05 3A 13 01 3C 1C 01 05 27 63 C8 00 09 9A 2A 00 "  // 0x160
    "05 39 E3 00 3D F8 00 0A 27 64 C9 00 08 9B 2A 00 "  // 0x170
    "05 38 12 01 3C 1A 01 0E 27 6A C9 00 0A 9C 2A 00 "  // 0x180
    "05 3A 0F 01 3E FE 00 10 27 6F CA 00 0B 9D 2A 00 "  // 0x190
    "05 3B 0F 01 3B FD 00 13 27 62 C4 00 0C 9E 2A 00 "  // 0x1A0
    "05 3C 10 01 3F F0 00 11 27 62 C3 00 0D 9F 2A 00 "  // 0x1B0
    "05 40 E3 00 3C 1C 81 6D 27 68 B8 00 0E A0 2A 00 "  // 0x1C0
    "05 40 E3 00 42 F9 00 6C 27 60 B2 00 0F B1 2A 00 "  // 0x1D0
    "05 3A 13 01 3C FE 00 05 27 60 C5 00 00 C2 2A 00 "  // 0x1E0
    "05 39 50 02 40 88 81 0A 27 34 C0 00 0A D3 2A 00";  // 0x1F0
  std::vector<std::uint8_t> out;
  std::istringstream in(kHex);
  std::string token;
  while (in >> token) out.push_back(static_cast<std::uint8_t>(std::stoul(token, nullptr, 16)));
  return out;
}

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
