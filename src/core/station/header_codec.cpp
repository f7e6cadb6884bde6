#include "core/station/header_codec.h"

#include <string>

#include "core/memory/block_layout.h"
#include "core/memory/byte_codec.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

namespace hl = layout::header;

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
constexpr BitField kDisplayFlags[] = {{hdr::kDisplayPressure, 0x01},
                                      {hdr::kDisplayWind, 0x02},
                                      {hdr::kDisplayTime, 0x04},
                                      {hdr::kDisplayDate, 0x08},
                                      {hdr::kDisplayAxis, 0x10}};
struct FlagByte {
  layout::Field byte;
  BitField bits[8];
  int count;
};
constexpr FlagByte kAlarmEnables[] = {
    {hl::kAlarmEnables1,
     {{hdr::kAlarmTime, 0x02},
      {hdr::kAlarmWindDirection, 0x04},
      {hdr::kAlarmIndoorHumidityLow, 0x10},
      {hdr::kAlarmIndoorHumidityHigh, 0x20},
      {hdr::kAlarmOutdoorHumidityLow, 0x40},
      {hdr::kAlarmOutdoorHumidityHigh, 0x80}},
     6},
    {hl::kAlarmEnables2,
     {{hdr::kAlarmWindSpeedHigh, 0x01},
      {hdr::kAlarmGustSpeedHigh, 0x02},
      {hdr::kAlarmHourRainHigh, 0x04},
      {hdr::kAlarmDayRainHigh, 0x08},
      {hdr::kAlarmAbsPressureLow, 0x10},
      {hdr::kAlarmAbsPressureHigh, 0x20},
      {hdr::kAlarmRelPressureLow, 0x40},
      {hdr::kAlarmRelPressureHigh, 0x80}},
     8},
    {hl::kAlarmEnables3,
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

// The hex digits of bytes carried back unchanged.
std::string Reserved(std::span<const std::uint8_t, memmap::kHeaderSize> b, layout::Field f) {
  return HexDigits(b.subspan(f.offset, f.width));
}
void PutReserved(const std::string& text, HeaderBytes& b, layout::Field f) {
  ParseHexDigits(text, std::span(b).subspan(f.offset, f.width));
}

}  // namespace

void DecodeHeader(std::span<const std::uint8_t, memmap::kHeaderSize> b, HeaderRecord& h) {
  const auto at = [&b](layout::Field f) { return b[f.offset]; };
  h[hdr::kHexDump] = HexDump(b);
  h[hdr::kMarker55] = at(hl::kMarker55) == 0x55 ? "1" : "0";
  h[hdr::kMarkerAA] = at(hl::kMarkerAA) == 0xAA ? "1" : "0";
  h[hdr::kReserved02] = Reserved(b, hl::kReserved02);
  h[hdr::kInterval] = DecimalText(layout::ReadNumber(b, hl::kInterval));

  const std::uint8_t units = at(hl::kUnits);
  h[hdr::kUnitIndoorTemp] = (units & 0x01) ? kFahrenheit : kCelsius;
  h[hdr::kUnitOutdoorTemp] = (units & 0x02) ? kFahrenheit : kCelsius;
  h[hdr::kUnitRain] = (units & 0x04) ? "inch" : "mm";
  h[hdr::kUnitPressure] = DecodeChoice(units, kPressureUnits);
  h[hdr::kUnitWind] = DecodeChoice(at(hl::kWindUnit), kWindUnits);

  const std::uint8_t display = at(hl::kDisplay);
  for (const BitField& f : kDisplayFlags) h[f.field] = Flag(display, f.bit);
  h[hdr::kDisplayDateLine] = DecodeChoice(display, kDateLine);
  h[hdr::kDisplayOutdoorTemp] = DecodeChoice(at(hl::kDisplayChoices), kOutdoorTempShown);
  h[hdr::kDisplayRain] = DecodeChoice(at(hl::kDisplayChoices), kRainShown);

  for (const FlagByte& fb : kAlarmEnables) {
    for (int i = 0; i < fb.count; ++i) h[fb.bits[i].field] = Flag(at(fb.byte), fb.bits[i].bit);
  }

  h[hdr::kTimeZone] = DecodeTimeZone(at(hl::kTimeZone));
  h[hdr::kReserved19] = Reserved(b, hl::kReserved19);
  h[hdr::kSettingsChanged] = at(hl::kSettingsChanged) == memmap::kSettingsChangedMark ? "1" : "0";
  h[hdr::kRecordCount] = DecimalText(layout::ReadNumber(b, hl::kRecordCount));
  h[hdr::kReserved1D] = Reserved(b, hl::kReserved1D);
  h[hdr::kCurrentAddress] = DecimalText(layout::ReadNumber(b, hl::kCurrentAddress));
}

HeaderBytes EncodeHeader(const HeaderRecord& h) {
  HeaderBytes b{};
  const auto at = [&b](layout::Field f) -> std::uint8_t& { return b[f.offset]; };
  at(hl::kMarker55) = h[hdr::kMarker55] == "1" ? 0x55 : 0x00;
  at(hl::kMarkerAA) = h[hdr::kMarkerAA] == "1" ? 0xAA : 0x00;
  PutReserved(h[hdr::kReserved02], b, hl::kReserved02);
  layout::WriteNumber(b, hl::kInterval, ParseDecimal(h[hdr::kInterval]));

  std::uint8_t units = 0;
  if (h[hdr::kUnitIndoorTemp] == kFahrenheit) units |= 0x01;
  if (h[hdr::kUnitOutdoorTemp] == kFahrenheit) units |= 0x02;
  if (h[hdr::kUnitRain] == "inch") units |= 0x04;
  units |= EncodeChoice(h[hdr::kUnitPressure], kPressureUnits);
  at(hl::kUnits) = units;
  at(hl::kWindUnit) = EncodeChoice(h[hdr::kUnitWind], kWindUnits);

  std::uint8_t display = 0;
  for (const BitField& f : kDisplayFlags) {
    if (h[f.field] == "1") display |= f.bit;
  }
  display |= EncodeChoice(h[hdr::kDisplayDateLine], kDateLine);
  at(hl::kDisplay) = display;
  at(hl::kDisplayChoices) = EncodeChoice(h[hdr::kDisplayOutdoorTemp], kOutdoorTempShown) |
                            EncodeChoice(h[hdr::kDisplayRain], kRainShown);

  for (const FlagByte& fb : kAlarmEnables) {
    std::uint8_t byte = 0;
    for (int i = 0; i < fb.count; ++i) {
      if (h[fb.bits[i].field] == "1") byte |= fb.bits[i].bit;
    }
    at(fb.byte) = byte;
  }

  at(hl::kTimeZone) = EncodeTimeZone(h[hdr::kTimeZone]);
  PutReserved(h[hdr::kReserved19], b, hl::kReserved19);
  at(hl::kSettingsChanged) = h[hdr::kSettingsChanged] == "1" ? memmap::kSettingsChangedMark : 0x00;
  layout::WriteNumber(b, hl::kRecordCount, ParseDecimal(h[hdr::kRecordCount]));
  PutReserved(h[hdr::kReserved1D], b, hl::kReserved1D);
  layout::WriteNumber(b, hl::kCurrentAddress, ParseDecimal(h[hdr::kCurrentAddress]));
  return b;
}

bool StationDevice::ReadHeader(HeaderRecord& header) {
  return ReadDecoded(memmap::kHeaderAddress, header, DecodeHeader);
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
