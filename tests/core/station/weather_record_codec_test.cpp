#include "core/station/weather_record_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <ctime>
#include <regex>

#include "bytes_support.h"
#include "core/app/clock.h"
#include "device_support.h"
#include "support/local_time.h"

namespace skyvane {
namespace {

using Record = std::array<std::uint8_t, 16>;

Record R(const std::string& hex) {
  const auto v = test::Bytes(hex);
  Record r{};
  std::copy(v.begin(), v.end(), r.begin());
  return r;
}

// A plausible record (the test image's first slot) to vary one field at a time.
const Record kBase = R("05 41 E3 00 3C 08 01 6A 27 60 CC 00 02 94 2A 00");

TEST(WeatherRecordCodec, DecodesTheTestImageRecordAt0x100) {
  HistoryRow row;
  EXPECT_TRUE(DecodeWeatherRecord(kBase, row));
  EXPECT_EQ(row[row::rawBytes], "05 41 E3 00 3C 08 01 6A 27 60 CC 00 02 94 2A 00 ");
  const char* expected[] = {"5", "65", "227", "60", "264", "10090", "96", "204", "2", "10900"};
  for (int f = row::interval; f <= row::rainCounter; ++f) {
    EXPECT_EQ(row[f], expected[f - row::interval]) << "field " << f;
  }
  EXPECT_EQ(row[row::relativePressure], "");
  for (int f = row::flag1; f <= row::flag8; ++f) EXPECT_EQ(row[f], "0");
  // Fields the codec does not own keep their reset values.
  EXPECT_EQ(row[row::stationAddress], "");
  EXPECT_EQ(row[row::recordTime], "");
  EXPECT_EQ(row[row::rain], "---");
  EXPECT_EQ(row[row::dewPoint], "---");
}

TEST(WeatherRecordCodec, TestImageNegativeTemperatures) {
  HistoryRow row;
  EXPECT_TRUE(DecodeWeatherRecord(R("05 40 E3 00 3C 1C 81 6D 27 68 B8 00 0E A0 2A 00"), row));
  EXPECT_EQ(row[row::outdoorTemperature], "-284");
  EXPECT_EQ(row[row::windDir], "14");
  EXPECT_TRUE(DecodeWeatherRecord(R("05 39 50 02 40 88 81 0A 27 34 C0 00 0A D3 2A 00"), row));
  EXPECT_EQ(row[row::indoorTemperature], "592");
  EXPECT_EQ(row[row::outdoorTemperature], "-392");
}

TEST(WeatherRecordCodec, StatusFlagsInBitOrder) {
  Record r = kBase;
  r[15] = 0xA1;  // bits 0, 5, 7
  HistoryRow row;
  DecodeWeatherRecord(r, row);
  const char* expected[] = {"1", "0", "0", "0", "0", "1", "0", "1"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(row[row::flag1 + i], expected[i]) << "flag " << i + 1;
}

TEST(WeatherRecordCodec, IntervalOutsideOneTo240GivesFive) {
  for (auto [raw, text] : {std::pair{0, "5"}, {241, "5"}, {255, "5"}, {1, "1"}, {240, "240"}}) {
    Record r = kBase;
    r[0] = static_cast<std::uint8_t>(raw);
    HistoryRow row;
    EXPECT_TRUE(DecodeWeatherRecord(r, row));
    EXPECT_EQ(row[row::interval], text) << raw;
  }
}

TEST(WeatherRecordCodec, HumidityRangeAndMarker) {
  for (int offset : {1, 4}) {
    const int field = offset == 1 ? row::indoorHumidity : row::outdoorHumidity;
    Record r = kBase;
    HistoryRow row;
    row[field] = "previous";
    r[offset] = 99;
    EXPECT_TRUE(DecodeWeatherRecord(r, row));
    EXPECT_EQ(row[field], "99");
    r[offset] = 0;
    EXPECT_TRUE(DecodeWeatherRecord(r, row));
    EXPECT_EQ(row[field], "0");
    r[offset] = 0xFF;
    EXPECT_TRUE(DecodeWeatherRecord(r, row));
    EXPECT_EQ(row[field], "");
    row[field] = "previous";
    for (int bad : {100, 254}) {
      r[offset] = static_cast<std::uint8_t>(bad);
      EXPECT_FALSE(DecodeWeatherRecord(r, row)) << bad;
      EXPECT_EQ(row[field], "previous");
    }
  }
}

TEST(WeatherRecordCodec, TemperatureRangeAndMarker) {
  struct Case {
    std::uint8_t lo, hi;
    bool plausible;
    const char* text;  // nullptr: keeps its previous text
  };
  const Case cases[] = {
      {0x1C, 0x81, true, "-284"}, {0x88, 0x81, true, "-392"}, {0xFF, 0xFF, true, ""},
      {0x90, 0x81, true, "-400"}, {0x91, 0x81, false, nullptr},  // -401
      {0x20, 0x03, true, "800"},  {0x21, 0x03, false, nullptr},  // 801
      {0x00, 0x80, true, "0"},    {0xFF, 0x7F, false, nullptr},  // +32767 is no marker
  };
  for (int offset : {2, 5}) {
    const int field = offset == 2 ? row::indoorTemperature : row::outdoorTemperature;
    for (const Case& c : cases) {
      Record r = kBase;
      r[offset] = c.lo;
      r[offset + 1] = c.hi;
      HistoryRow row;
      row[field] = "previous";
      EXPECT_EQ(DecodeWeatherRecord(r, row), c.plausible) << std::hex << +c.hi << +c.lo;
      EXPECT_EQ(row[field], c.text ? c.text : "previous") << std::hex << +c.hi << +c.lo;
    }
  }
}

TEST(WeatherRecordCodec, ImplausibleFieldDoesNotStopTheOthers) {
  Record r = kBase;
  r[1] = 150;
  r[13] = 0x01;
  r[14] = 0x00;
  HistoryRow row;
  EXPECT_FALSE(DecodeWeatherRecord(r, row));
  EXPECT_EQ(row[row::indoorHumidity], "---");
  EXPECT_EQ(row[row::outdoorTemperature], "264");
  EXPECT_EQ(row[row::rainCounter], "1");
}

TEST(WeatherRecordCodec, PressureOutOfRangeIsBlankButPlausible) {
  for (auto [raw, text] : {std::pair{7999, ""}, {12001, ""}, {0xFFFF, ""}, {8000, "8000"},
                           {12000, "12000"}}) {
    Record r = kBase;
    r[7] = static_cast<std::uint8_t>(raw & 0xFF);
    r[8] = static_cast<std::uint8_t>(raw >> 8);
    HistoryRow row;
    row[row::relativePressure] = "1013.2";
    EXPECT_TRUE(DecodeWeatherRecord(r, row)) << raw;
    EXPECT_EQ(row[row::absolutePressure], text) << raw;
    EXPECT_EQ(row[row::relativePressure], "");
  }
}

TEST(WeatherRecordCodec, WindAndGustTwelveBitSpeeds) {
  Record r = kBase;
  r[9] = 0xFF;
  r[10] = 0xFF;
  r[11] = 0xFF;
  HistoryRow row;
  EXPECT_TRUE(DecodeWeatherRecord(r, row));
  EXPECT_EQ(row[row::windSpeed], "");
  EXPECT_EQ(row[row::gustSpeed], "");

  r[9] = 0x10;
  r[10] = 0x20;
  r[11] = 0x21;
  EXPECT_TRUE(DecodeWeatherRecord(r, row));
  EXPECT_EQ(row[row::windSpeed], "272");
  EXPECT_EQ(row[row::gustSpeed], "");  // 512 + 32 is above 500

  r[9] = 0xF4;
  r[10] = 0xF5;
  r[11] = 0x11;
  EXPECT_TRUE(DecodeWeatherRecord(r, row));
  EXPECT_EQ(row[row::windSpeed], "500");
  EXPECT_EQ(row[row::gustSpeed], "");  // 501
}

TEST(WeatherRecordCodec, WindDirection) {
  for (auto [raw, text] : {std::pair{0x10, "-1"}, {0x0F, "15"}, {0x00, "0"}, {0xF3, "-1"}}) {
    Record r = kBase;
    r[12] = static_cast<std::uint8_t>(raw);
    HistoryRow row;
    EXPECT_TRUE(DecodeWeatherRecord(r, row));
    EXPECT_EQ(row[row::windDir], text) << raw;
  }
}

TEST(WeatherRecordCodec, RainCounterIsUnsignedLittleEndian) {
  Record r = kBase;
  r[13] = 0xFF;
  r[14] = 0xFF;
  HistoryRow row;
  DecodeWeatherRecord(r, row);
  EXPECT_EQ(row[row::rainCounter], "65535");
}

TEST(WeatherRecordCodec, AllMissingMarkersTogetherArePlausible) {
  HistoryRow row;
  EXPECT_TRUE(DecodeWeatherRecord(R("05 FF FF FF FF FF FF FF FF FF FF FF F0 00 00 00"), row));
  for (int f : {row::indoorHumidity, row::indoorTemperature, row::outdoorHumidity,
                row::outdoorTemperature, row::absolutePressure, row::windSpeed, row::gustSpeed}) {
    EXPECT_EQ(row[f], "") << "field " << f;
  }
  EXPECT_EQ(row[row::windDir], "-1");
}

TEST(HistoryRow, FreshAndResetStates) {
  HistoryRow row;
  for (int f = 0; f < row::kCount; ++f) {
    if (f <= row::reserved || f == row::saveTime || f == row::recordTime || f >= row::flag1) {
      EXPECT_EQ(row[f], "") << "field " << f;
    } else if (f == row::sequenceNo) {
      EXPECT_EQ(row[f], "0");
    } else {
      EXPECT_EQ(row[f], "---") << "field " << f;
    }
  }
  const HistoryRow fresh = row;
  for (int f = 0; f < row::kCount; ++f) row[f] = "x" + std::to_string(f);
  ResetRow(row);
  EXPECT_EQ(row[row::stationAddress], "x0");
  EXPECT_EQ(row[row::rawBytes], "x1");
  EXPECT_EQ(row[row::reserved], "x2");
  for (int f = row::sequenceNo; f < row::kCount; ++f) EXPECT_EQ(row[f], fresh[f]) << "field " << f;
}

// --- ReadWeatherRecord of StationDevice ---

TEST(ReadWeatherRecord, TestImageRecordAt0x100StampedWithTheLocalTime) {
  auto device = test::TestModeDevice();
  FixedClock clock(test::LocalTime(2024, 2, 29, 7, 5, 9));
  device->SetClock(clock);
  HistoryRow row;
  ASSERT_TRUE(device->ReadWeatherRecord(0x100, row));
  const char* expected[] = {"5", "65", "227", "60", "264", "10090", "96", "204", "2", "10900"};
  for (int f = row::interval; f <= row::rainCounter; ++f) {
    EXPECT_EQ(row[f], expected[f - row::interval]) << "field " << f;
  }
  EXPECT_EQ(row[row::recordTime], "2024-02-29 07:05:09");
  clock.Set(test::LocalTime(2031, 12, 31, 23, 59, 58));
  ASSERT_TRUE(device->ReadWeatherRecord(0x1F0, row));
  EXPECT_EQ(row[row::recordTime], "2031-12-31 23:59:58");
  EXPECT_EQ(row[row::outdoorTemperature], "-392");
}

TEST(ReadWeatherRecord, SystemClockByDefault) {
  auto device = test::TestModeDevice();
  HistoryRow row;
  const std::time_t before = std::time(nullptr);
  ASSERT_TRUE(device->ReadWeatherRecord(0x100, row));
  const std::time_t after = std::time(nullptr);
  std::tm stamped{};
  ASSERT_TRUE(std::regex_match(row[row::recordTime],
                               std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
      << row[row::recordTime];
  std::sscanf(row[row::recordTime].c_str(), "%d-%d-%d %d:%d:%d", &stamped.tm_year, &stamped.tm_mon,
              &stamped.tm_mday, &stamped.tm_hour, &stamped.tm_min, &stamped.tm_sec);
  const std::time_t t = test::LocalTime(stamped.tm_year, stamped.tm_mon, stamped.tm_mday,
                                  stamped.tm_hour, stamped.tm_min, stamped.tm_sec);
  EXPECT_GE(t, before);
  EXPECT_LE(t, after);
}

TEST(ReadWeatherRecord, APlausibleRecordIsReadOnce) {
  test::VirtualDevice v;
  v.Put(0x200, test::Bytes("05 41 E3 00 3C 08 01 6A 27 60 CC 00 02 94 2A 00"));
  HistoryRow row;
  ASSERT_TRUE(v.device->ReadWeatherRecord(0x200, row));
  EXPECT_EQ(v.Commands(0xA1), 1);
  EXPECT_EQ(row[row::indoorHumidity], "65");
}

TEST(ReadWeatherRecord, AnImplausibleRecordIsReadOnceMore) {
  test::VirtualDevice v;
  v.Put(0x200, test::Bytes("05 96 E3 00 3C 08 01 6A 27 60 CC 00 02 94 2A 00"));  // humidity 150
  int reads = 0;
  v.station->SetCommandHook([&](StationMemory& memory, const report::Report& command) {
    if (command[0] != 0xA1) return;
    if (++reads == 2) memory.Set(0x201, 0x2A);  // the station has finished updating the record
  });
  HistoryRow row;
  ASSERT_TRUE(v.device->ReadWeatherRecord(0x200, row));
  EXPECT_EQ(reads, 2);
  EXPECT_EQ(row[row::indoorHumidity], "42");
  EXPECT_EQ(row[row::rawBytes].substr(0, 6), "05 2A ");
}

TEST(ReadWeatherRecord, StillImplausibleAfterTheReReadKeepsThePreviousText) {
  test::VirtualDevice v;
  v.Put(0x200, test::Bytes("05 41 91 81 3C 08 01 6A 27 60 CC 00 02 94 2A 00"));  // -40.1 °C
  HistoryRow row;
  row[row::indoorTemperature] = "215";
  ASSERT_TRUE(v.device->ReadWeatherRecord(0x200, row));
  EXPECT_EQ(v.Commands(0xA1), 2);
  EXPECT_EQ(row[row::indoorTemperature], "215");
  EXPECT_EQ(row[row::outdoorTemperature], "264");
  EXPECT_FALSE(row[row::recordTime].empty());
}

TEST(ReadWeatherRecord, FailedReadsLeaveTheRowUnchanged) {
  HistoryRow row;
  row[row::stationAddress] = "000200";
  row[row::indoorHumidity] = "50";
  const HistoryRow before = row;
  {
    test::VirtualDevice v;
    v.station->RefuseReportsAfter(0);
    EXPECT_FALSE(v.device->ReadWeatherRecord(0x200, row));
    EXPECT_EQ(row, before);
  }
  {
    // The first read finds an implausible record, the re-read fails.
    test::VirtualDevice v;
    v.Put(0x200, test::Bytes("05 96 E3 00 3C 08 01 6A 27 60 CC 00 02 94 2A 00"));
    v.station->RefuseReportsAfter(1);
    EXPECT_FALSE(v.device->ReadWeatherRecord(0x200, row));
    EXPECT_EQ(row, before);
  }
}

TEST(ReadWeatherRecord, AddressesOutsideTheMemoryAreRefused) {
  test::VirtualDevice v;
  HistoryRow row;
  const HistoryRow before = row;
  EXPECT_FALSE(v.device->ReadWeatherRecord(-1, row));
  EXPECT_FALSE(v.device->ReadWeatherRecord(0x10000, row));
  EXPECT_EQ(row, before);
  EXPECT_EQ(v.Commands(0xA1), 0);
}

TEST(ReadWeatherRecord, LastRingSlot) {
  test::VirtualDevice v;
  v.Put(0xFFF0, test::Bytes("1E 32 05 80 FF FF FF 10 27 00 00 00 0F 01 00 80"));
  HistoryRow row;
  ASSERT_TRUE(v.device->ReadWeatherRecord(0xFFF0, row));
  EXPECT_EQ(row[row::interval], "30");
  EXPECT_EQ(row[row::indoorHumidity], "50");
  EXPECT_EQ(row[row::indoorTemperature], "-5");
  EXPECT_EQ(row[row::outdoorHumidity], "");
  EXPECT_EQ(row[row::outdoorTemperature], "");
  EXPECT_EQ(row[row::absolutePressure], "10000");
  EXPECT_EQ(row[row::windDir], "15");
  EXPECT_EQ(row[row::rainCounter], "1");
  EXPECT_EQ(row[row::flag8], "1");
}

}  // namespace
}  // namespace skyvane
