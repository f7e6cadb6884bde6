#include "core/station/weather_record_codec.h"

#include <array>
#include <ctime>

#include "core/app/clock.h"
#include "core/app/time_text.h"
#include "core/memory/byte_codec.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr int kMissingTemperature = -32767;  // raw 0xFFFF
constexpr int kMinTemperature = -400;        // tenths of °C
constexpr int kMaxTemperature = 800;
constexpr int kMinPressure = 8000;  // tenths of hPa
constexpr int kMaxPressure = 12000;
constexpr unsigned kMissingSpeed = 0xFFF;
constexpr unsigned kMaxSpeed = 500;  // tenths of m/s

// Humidity: 0xFF missing, 0..99 a reading, anything else implausible.
bool DecodeHumidity(std::uint8_t raw, std::string& field) {
  if (raw == 0xFF) {
    field.clear();
  } else if (raw <= 99) {
    field = DecimalText(raw);
  } else {
    return false;
  }
  return true;
}

bool DecodeTemperature(const std::uint8_t* raw, std::string& field) {
  const int v = ReadSignMagnitude16(raw);
  if (v == kMissingTemperature) {
    field.clear();
  } else if (v >= kMinTemperature && v <= kMaxTemperature) {
    field = DecimalText(v);
  } else {
    return false;
  }
  return true;
}

std::string SpeedText(unsigned speed) {
  if (speed == kMissingSpeed || speed > kMaxSpeed) return {};
  return DecimalText(speed);
}

}  // namespace

bool DecodeWeatherRecord(std::span<const std::uint8_t, memmap::kRecordSize> r, HistoryRow& out) {
  bool plausible = true;
  out[row::rawBytes] = HexDump(r);
  for (int bit = 0; bit < 8; ++bit) out[row::flag1 + bit] = ((r[15] >> bit) & 1) ? '1' : '0';

  out[row::interval] = (r[0] >= 1 && r[0] <= 240) ? DecimalText(r[0]) : "5";

  plausible &= DecodeHumidity(r[1], out[row::indoorHumidity]);
  plausible &= DecodeTemperature(&r[2], out[row::indoorTemperature]);
  plausible &= DecodeHumidity(r[4], out[row::outdoorHumidity]);
  plausible &= DecodeTemperature(&r[5], out[row::outdoorTemperature]);

  const int pressure = static_cast<int>(ReadU16(&r[7]));
  out[row::absolutePressure] =
      (pressure >= kMinPressure && pressure <= kMaxPressure) ? DecimalText(pressure) : "";
  out[row::relativePressure].clear();

  out[row::windSpeed] = SpeedText(((r[11] & 0x0Fu) << 8) | r[9]);
  out[row::gustSpeed] = SpeedText(((r[11] >> 4) << 8) | r[10]);

  out[row::windDir] = (r[12] & 0xF0) ? "-1" : DecimalText(r[12] & 0x0F);
  out[row::rainCounter] = DecimalText(ReadU16(&r[13]));
  return plausible;
}

bool StationDevice::ReadWeatherRecord(int address, HistoryRow& row) {
  if (address < 0 || address > 0xFFFF) return false;
  // The record and the 16 bytes after it: one whole block.
  std::array<std::uint8_t, memmap::kBlockSize> buffer{};
  const auto read = [&] {
    buffer.fill(0);
    int length = memmap::kBlockSize;
    return link_.ReadBlocks(static_cast<std::uint16_t>(address), buffer.data(), length);
  };
  const auto record = std::span<const std::uint8_t, memmap::kRecordSize>(buffer.data(),
                                                                          memmap::kRecordSize);
  if (!read()) return false;
  // Work on a copy so that a failed re-read leaves the caller's row as it was.
  HistoryRow decoded = row;
  if (!DecodeWeatherRecord(record, decoded)) {
    // The station may have been caught updating the record: read it once more.
    if (!read()) return false;
    DecodeWeatherRecord(record, decoded);
  }
  decoded[row::recordTime] = TimeText(clock_->LocalNow());
  row = std::move(decoded);
  return true;
}

}  // namespace skyvane
