#include "core/transfer/sim/station_record.h"

#include <algorithm>

#include "core/memory/byte_codec.h"

namespace skyvane::sim {

RecordBytes EncodeStationRecord(const WeatherReading& reading, int interval,
                                std::uint16_t rainCounter) {
  RecordBytes r{};
  r[0] = static_cast<std::uint8_t>(std::clamp(interval, 1, 240));
  r[1] = static_cast<std::uint8_t>(std::clamp(reading.indoorHumidity, 0, 99));
  WriteSignMagnitude16(&r[2], reading.indoorTemperature);
  WriteU16(&r[7], reading.absolutePressure);
  WriteU16(&r[13], rainCounter);
  if (reading.outdoorLost) {
    r[4] = 0xFF;
    r[5] = r[6] = 0xFF;
    r[9] = r[10] = r[11] = 0xFF;
    r[12] = 0x80;
    r[15] = kStatusOutdoorLost;
    return r;
  }
  r[4] = static_cast<std::uint8_t>(std::clamp(reading.outdoorHumidity, 0, 99));
  WriteSignMagnitude16(&r[5], reading.outdoorTemperature);
  const int wind = std::clamp(reading.windSpeed, 0, 0xFFE);
  const int gust = std::clamp(reading.gustSpeed, 0, 0xFFE);
  r[9] = static_cast<std::uint8_t>(wind & 0xFF);
  r[10] = static_cast<std::uint8_t>(gust & 0xFF);
  r[11] = static_cast<std::uint8_t>(((gust >> 8) << 4) | (wind >> 8));
  r[12] = static_cast<std::uint8_t>(reading.windDirection & 0x0F);
  return r;
}

}  // namespace skyvane::sim
