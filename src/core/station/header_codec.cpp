#include "core/station/header_codec.h"

#include <string>

#include "core/memory/byte_codec.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

constexpr const char* kCelsius = "°C";
constexpr const char* kFahrenheit = "°F";

// The choice texts that share one byte, in bit order; the first set bit wins.
struct BitChoice {
  std::uint8_t bit;
  const char* text;
};
constexpr BitChoice kPressureUnits[] = {{0x20, "Hpa"}, {0x40, "inHg"}, {0x80, "mmHg"}};
constexpr BitChoice kWindUnits[] = {
    {0x01, "m/s"}, {0x02, "km/h"}, {0x04, "knot"}, {0x08, "m/h"}, {0x10, "bft"}};
constexpr BitChoice kDateLine[] = {{0x20, "0"}, {0x40, "1"}, {0x80, "2"}};
constexpr BitChoice kOutdoorTempShown[] = {{0x01, "0"}, {0x02, "1"}, {0x04, "2"}};
constexpr BitChoice kRainShown[] = {
    {0x08, "0"}, {0x10, "1"}, {0x20, "2"}, {0x40, "3"}, {0x80, "4"}};

template <std::size_t N>
std::string DecodeChoice(std::uint8_t byte, const BitChoice (&choices)[N]) {
  for (const BitChoice& c : choices) {
    if (byte & c.bit) return c.text;
  }
  return {};
}

template <std::size_t N>
std::uint8_t EncodeChoice(const std::string& text, const BitChoice (&choices)[N]) {
  for (const BitChoice& c : choices) {
    if (text == c.text) return c.bit;
  }
  return 0;
}

// One "1"/"0" field per bit of a flags byte.
struct BitField {
  int field;
  std::uint8_t bit;
};
constexpr int kDisplayByte = 0x13;
constexpr BitField kDisplayFlags[] = {{hdr::kDisplayPressure, 0x01},
                                      {hdr::kDisplayWind, 0x02},
                                      {hdr::kDisplayTime, 0x04},
                                      {hdr::kDisplayDate, 0x08},
                                      {hdr::kDisplayAxis, 0x10}};
struct FlagByte {
  int offset;
  BitField bits[8];
  int count;
};
constexpr FlagByte kAlarmEnables[] = {
    {0x15,
     {{hdr::kAlarmTime, 0x02},
      {hdr::kAlarmWindDirection, 0x04},
      {hdr::kAlarmIndoorHumidityLow, 0x10},
      {hdr::kAlarmIndoorHumidityHigh, 0x20},
      {hdr::kAlarmOutdoorHumidityLow, 0x40},
      {hdr::kAlarmOutdoorHumidityHigh, 0x80}},
     6},
    {0x16,
     {{hdr::kAlarmWindSpeedHigh, 0x01},
      {hdr::kAlarmGustSpeedHigh, 0x02},
      {hdr::kAlarmHourRainHigh, 0x04},
      {hdr::kAlarmDayRainHigh, 0x08},
      {hdr::kAlarmAbsPressureLow, 0x10},
      {hdr::kAlarmAbsPressureHigh, 0x20},
      {hdr::kAlarmRelPressureLow, 0x40},
      {hdr::kAlarmRelPressureHigh, 0x80}},
     8},
    {0x17,
     {{hdr::kAlarmIndoorTempLow, 0x01},
      {hdr::kAlarmIndoorTempHigh, 0x02},
      {hdr::kAlarmOutdoorTempLow, 0x04},
      {hdr::kAlarmOutdoorTempHigh, 0x08},
      {hdr::kAlarmWindChillLow, 0x10},
      {hdr::kAlarmWindChillHigh, 0x20},
      {hdr::kAlarmDewPointLow, 0x40},
      {hdr::kAlarmDewPointHigh, 0x80}},
     8},
};

std::string Flag(std::uint8_t byte, std::uint8_t bit) { return (byte & bit) ? "1" : "0"; }

// Time zone byte: bit 7 west, bits 4-6 tens digit, bits 0-3 units digit.
std::string DecodeTimeZone(std::uint8_t byte) {
  const int hours = ((byte >> 4) & 0x07) * 10 + (byte & 0x0F);
  if (hours == 0) return "0";
  return ((byte & 0x80) ? "-" : "+") + std::to_string(hours);
}

std::uint8_t EncodeTimeZone(const std::string& text) {
  const long long n = ParseDecimal(text);
  const unsigned long long m = n < 0 ? 0ULL - static_cast<unsigned long long>(n)
                                     : static_cast<unsigned long long>(n);
  // The tens digit has three bits; it must never spill into the sign bit.
  unsigned tens = static_cast<unsigned>((m / 10) & 0x07);
  unsigned units = static_cast<unsigned>(m % 10);
  // 80 to 85 only come from a tens digit of 7 and a units digit above 9
  // (0xFB reads "-81"); write them back the way they were read.
  if (m >= 80 && m <= 85) {
    tens = 7;
    units = static_cast<unsigned>(m - 70);
  }
  return static_cast<std::uint8_t>((tens << 4) | units | (n < 0 ? 0x80 : 0x00));
}

}  // namespace

void DecodeHeader(std::span<const std::uint8_t, memmap::kHeaderSize> b, HeaderRecord& h) {
  h[hdr::kHexDump] = HexDump(b);
  h[hdr::kMarker55] = b[0x00] == 0x55 ? "1" : "0";
  h[hdr::kMarkerAA] = b[0x01] == 0xAA ? "1" : "0";
  h[hdr::kReserved02] = HexDigits(b.subspan(0x02, 14));
  h[hdr::kInterval] = DecimalText(b[0x10]);

  const std::uint8_t units = b[0x11];
  h[hdr::kUnitIndoorTemp] = (units & 0x01) ? kFahrenheit : kCelsius;
  h[hdr::kUnitOutdoorTemp] = (units & 0x02) ? kFahrenheit : kCelsius;
  h[hdr::kUnitRain] = (units & 0x04) ? "inch" : "mm";
  h[hdr::kUnitPressure] = DecodeChoice(units, kPressureUnits);
  h[hdr::kUnitWind] = DecodeChoice(b[0x12], kWindUnits);

  for (const BitField& f : kDisplayFlags) h[f.field] = Flag(b[kDisplayByte], f.bit);
  h[hdr::kDisplayDateLine] = DecodeChoice(b[kDisplayByte], kDateLine);
  h[hdr::kDisplayOutdoorTemp] = DecodeChoice(b[0x14], kOutdoorTempShown);
  h[hdr::kDisplayRain] = DecodeChoice(b[0x14], kRainShown);

  for (const FlagByte& fb : kAlarmEnables) {
    for (int i = 0; i < fb.count; ++i) h[fb.bits[i].field] = Flag(b[fb.offset], fb.bits[i].bit);
  }

  h[hdr::kTimeZone] = DecodeTimeZone(b[0x18]);
  h[hdr::kReserved19] = HexDigits(b.subspan(0x19, 1));
  h[hdr::kSettingsChanged] = b[0x1A] == memmap::kSettingsChangedMark ? "1" : "0";
  h[hdr::kRecordCount] = DecimalText(ReadU16(&b[0x1B]));
  h[hdr::kReserved1D] = HexDigits(b.subspan(0x1D, 1));
  h[hdr::kCurrentAddress] = DecimalText(ReadU16(&b[0x1E]));
}

HeaderBytes EncodeHeader(const HeaderRecord& h) {
  HeaderBytes b{};
  b[0x00] = h[hdr::kMarker55] == "1" ? 0x55 : 0x00;
  b[0x01] = h[hdr::kMarkerAA] == "1" ? 0xAA : 0x00;
  ParseHexDigits(h[hdr::kReserved02], std::span(b).subspan(0x02, 14));
  b[0x10] = static_cast<std::uint8_t>(ParseDecimal(h[hdr::kInterval]) & 0xFF);

  std::uint8_t units = 0;
  if (h[hdr::kUnitIndoorTemp] == kFahrenheit) units |= 0x01;
  if (h[hdr::kUnitOutdoorTemp] == kFahrenheit) units |= 0x02;
  if (h[hdr::kUnitRain] == "inch") units |= 0x04;
  units |= EncodeChoice(h[hdr::kUnitPressure], kPressureUnits);
  b[0x11] = units;
  b[0x12] = EncodeChoice(h[hdr::kUnitWind], kWindUnits);

  std::uint8_t display = 0;
  for (const BitField& f : kDisplayFlags) {
    if (h[f.field] == "1") display |= f.bit;
  }
  display |= EncodeChoice(h[hdr::kDisplayDateLine], kDateLine);
  b[kDisplayByte] = display;
  b[0x14] = EncodeChoice(h[hdr::kDisplayOutdoorTemp], kOutdoorTempShown) |
            EncodeChoice(h[hdr::kDisplayRain], kRainShown);

  for (const FlagByte& fb : kAlarmEnables) {
    std::uint8_t byte = 0;
    for (int i = 0; i < fb.count; ++i) {
      if (h[fb.bits[i].field] == "1") byte |= fb.bits[i].bit;
    }
    b[fb.offset] = byte;
  }

  b[0x18] = EncodeTimeZone(h[hdr::kTimeZone]);
  ParseHexDigits(h[hdr::kReserved19], std::span(b).subspan(0x19, 1));
  b[0x1A] = h[hdr::kSettingsChanged] == "1" ? memmap::kSettingsChangedMark : 0x00;
  WriteU16(&b[0x1B], ParseDecimal(h[hdr::kRecordCount]));
  ParseHexDigits(h[hdr::kReserved1D], std::span(b).subspan(0x1D, 1));
  WriteU16(&b[0x1E], ParseDecimal(h[hdr::kCurrentAddress]));
  return b;
}

bool StationDevice::ReadHeader(HeaderRecord& header) {
  HeaderBytes buffer{};
  int length = memmap::kHeaderSize;
  if (!link_.ReadBlocks(memmap::kHeaderAddress, buffer.data(), length)) return false;
  DecodeHeader(buffer, header);
  return true;
}

bool StationDevice::WriteHeader(HeaderRecord& header) {
  header[hdr::kSettingsChanged] = "1";
  const HeaderBytes buffer = EncodeHeader(header);
  int length = memmap::kHeaderSize;
  return link_.WriteBlocks(memmap::kHeaderAddress, buffer.data(), length);
}

bool StationDevice::ClearHistory() {
  HeaderRecord header;
  if (!ReadHeader(header)) return false;
  header[hdr::kRecordCount] = "0";
  header[hdr::kSettingsChanged] = "1";
  return WriteHeader(header);
}

}  // namespace skyvane
