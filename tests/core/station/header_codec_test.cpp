#include "core/station/header_codec.h"

#include <gtest/gtest.h>

#include "bytes_support.h"
#include "device_support.h"

namespace skyvane {
namespace {

using test::Bytes;

HeaderBytes TestImageHeader() {
  const auto v = Bytes(
      "55 AA 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
      "05 20 02 20 09 04 FF FF 01 00 00 10 00 00 F0 01");
  HeaderBytes b{};
  std::copy(v.begin(), v.end(), b.begin());
  return b;
}

HeaderRecord Decoded(const HeaderBytes& b) {
  HeaderRecord h;
  DecodeHeader(b, h);
  return h;
}

TEST(HeaderCodec, DecodesTheTestImageHeader) {
  const HeaderRecord h = Decoded(TestImageHeader());
  EXPECT_EQ(h[0], "");
  EXPECT_EQ(h[1],
            "55 AA 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
            "05 20 02 20 09 04 FF FF 01 00 00 10 00 00 F0 01 ");
  const std::vector<std::string> expected = {
      "1", "1", std::string(28, '0'), "5", "°C", "°C", "mm", "Hpa", "km/h",  // 2..10
      "0", "0", "0", "0", "0", "0", "0", "0",                                // 11..18
      "0", "1", "0", "0", "0", "0",                                          // 19..24
      "1", "1", "1", "1", "1", "1", "1", "1",                                // 25..32
      "1", "1", "1", "1", "1", "1", "1", "1",                                // 33..40
      "+1", "00", "0", "16", "00", "496"};                                   // 41..46
  ASSERT_EQ(expected.size(), 45u);
  for (int f = 2; f <= 46; ++f) EXPECT_EQ(h[f], expected[f - 2]) << "field " << f;
}

TEST(HeaderCodec, ReEncodingGivesTheSameBytesButTheSettingsChangedMark) {
  HeaderRecord h = Decoded(TestImageHeader());
  h[hdr::kSettingsChanged] = "1";  // as the writer sets it
  HeaderBytes expected = TestImageHeader();
  expected[0x1A] = 0xAA;
  EXPECT_EQ(EncodeHeader(h), expected);
}

TEST(HeaderCodec, RoundTripsEveryInterpretedBit) {
  HeaderBytes b = TestImageHeader();
  b[0x02] = 0x12;
  b[0x0F] = 0xEF;
  b[0x10] = 240;
  b[0x11] = 0x03 | 0x04 | 0x80;  // °F, °F, inch, mmHg
  b[0x12] = 0x10;                 // bft
  b[0x13] = 0x1F | 0x80;          // every display flag, alarm-time date line
  b[0x14] = 0x04 | 0x80;          // dewpoint, total rain
  b[0x15] = 0xF6;
  b[0x16] = 0x5A;
  b[0x17] = 0xA5;
  b[0x18] = 0x92;  // -12
  b[0x19] = 0x3C;
  b[0x1A] = 0xAA;
  b[0x1B] = 0xF0;
  b[0x1C] = 0x0F;
  b[0x1D] = 0xC3;
  b[0x1E] = 0xF0;
  b[0x1F] = 0xFF;
  const HeaderRecord h = Decoded(b);
  EXPECT_EQ(h[hdr::kUnitIndoorTemp], "°F");
  EXPECT_EQ(h[hdr::kUnitOutdoorTemp], "°F");
  EXPECT_EQ(h[hdr::kUnitRain], "inch");
  EXPECT_EQ(h[hdr::kUnitPressure], "mmHg");
  EXPECT_EQ(h[hdr::kUnitWind], "bft");
  EXPECT_EQ(h[hdr::kDisplayDateLine], "2");
  EXPECT_EQ(h[hdr::kDisplayOutdoorTemp], "2");
  EXPECT_EQ(h[hdr::kDisplayRain], "4");
  EXPECT_EQ(h[hdr::kTimeZone], "-12");
  EXPECT_EQ(h[hdr::kReserved19], "3C");
  EXPECT_EQ(h[hdr::kRecordCount], "4080");
  EXPECT_EQ(h[hdr::kCurrentAddress], "65520");
  EXPECT_EQ(EncodeHeader(h), b);
}

TEST(HeaderCodec, UnusedBitsAreWrittenAsZero) {
  HeaderBytes b{};
  b[0x11] = 0x18;  // bits 3 and 4
  b[0x12] = 0xE0;  // bits 5 to 7
  b[0x15] = 0x09;  // bits 0 and 3
  const HeaderRecord h = Decoded(b);
  for (int f = hdr::kAlarmTime; f <= hdr::kAlarmOutdoorHumidityHigh; ++f) EXPECT_EQ(h[f], "0");
  const HeaderBytes encoded = EncodeHeader(h);
  EXPECT_EQ(encoded[0x11], 0x00);
  EXPECT_EQ(encoded[0x12], 0x00);
  EXPECT_EQ(encoded[0x15], 0x00);
}

TEST(HeaderCodec, FirstSetBitWinsInChoiceBytes) {
  HeaderBytes b{};
  b[0x11] = 0x60;  // both Hpa and inHg
  b[0x12] = 0x06;  // km/h and knot
  b[0x13] = 0xC0;
  b[0x14] = 0x06 | 0x30;
  const HeaderRecord h = Decoded(b);
  EXPECT_EQ(h[hdr::kUnitPressure], "Hpa");
  EXPECT_EQ(h[hdr::kUnitWind], "km/h");
  EXPECT_EQ(h[hdr::kDisplayDateLine], "1");
  EXPECT_EQ(h[hdr::kDisplayOutdoorTemp], "1");
  EXPECT_EQ(h[hdr::kDisplayRain], "1");
}

TEST(HeaderCodec, NoUnitBitGivesEmptyTextAndEncodesAsZero) {
  HeaderBytes b{};
  const HeaderRecord h = Decoded(b);
  EXPECT_EQ(h[hdr::kUnitPressure], "");
  EXPECT_EQ(h[hdr::kUnitWind], "");
  EXPECT_EQ(h[hdr::kDisplayDateLine], "");
  EXPECT_EQ(h[hdr::kDisplayOutdoorTemp], "");
  EXPECT_EQ(h[hdr::kDisplayRain], "");
  EXPECT_EQ(h[hdr::kMarker55], "0");
  EXPECT_EQ(h[hdr::kMarkerAA], "0");
  EXPECT_EQ(EncodeHeader(h), b);
}

TEST(HeaderCodec, UnitComparisonsAreExact) {
  HeaderRecord h;
  h[hdr::kUnitIndoorTemp] = "°f";
  h[hdr::kUnitOutdoorTemp] = "F";
  h[hdr::kUnitPressure] = "hPa";
  h[hdr::kUnitWind] = "KM/H";
  h[hdr::kUnitRain] = "inch ";
  const HeaderBytes b = EncodeHeader(h);
  EXPECT_EQ(b[0x11], 0x00);
  EXPECT_EQ(b[0x12], 0x00);
}

TEST(HeaderCodec, TimeZoneDecoding) {
  const auto zone = [](std::uint8_t byte) {
    HeaderBytes b{};
    b[0x18] = byte;
    return Decoded(b)[hdr::kTimeZone];
  };
  EXPECT_EQ(zone(0x85), "-5");
  EXPECT_EQ(zone(0x12), "+12");
  EXPECT_EQ(zone(0x80), "0");
  EXPECT_EQ(zone(0x00), "0");
  EXPECT_EQ(zone(0x01), "+1");
}

TEST(HeaderCodec, TimeZoneEncoding) {
  const auto zone = [](const std::string& text) {
    HeaderRecord h;
    h[hdr::kTimeZone] = text;
    return EncodeHeader(h)[0x18];
  };
  EXPECT_EQ(zone("-10"), 0x90);
  EXPECT_EQ(zone("0"), 0x00);
  EXPECT_EQ(zone("+5"), 0x05);
  EXPECT_EQ(zone("12"), 0x12);
  EXPECT_EQ(zone("-3"), 0x83);
  EXPECT_EQ(zone(""), 0x00);
  EXPECT_EQ(zone("+80") & 0x80, 0);  // a nonsense zone never turns west
  // Units digits above 9 decode past 79; such zones encode back to their byte.
  EXPECT_EQ(zone("-81"), 0xFB);
  EXPECT_EQ(zone("+85"), 0x7F);
  EXPECT_EQ(zone("-80"), 0xFA);
}

TEST(HeaderCodec, EveryTimeZoneByteKeepsItsZoneThroughARoundTrip) {
  for (int byte = 0; byte < 256; ++byte) {
    HeaderBytes b{};
    b[0x18] = static_cast<std::uint8_t>(byte);
    const HeaderRecord h = Decoded(b);
    EXPECT_EQ(Decoded(EncodeHeader(h))[hdr::kTimeZone], h[hdr::kTimeZone]) << byte;
  }
}

TEST(HeaderCodec, MarkersAndCountsEncode) {
  HeaderRecord h;
  h[hdr::kMarker55] = "1";
  h[hdr::kMarkerAA] = "0";
  h[hdr::kInterval] = "300";  // low 8 bits
  h[hdr::kRecordCount] = "0";
  h[hdr::kCurrentAddress] = "256";
  h[hdr::kReserved02] = "0102";
  const HeaderBytes b = EncodeHeader(h);
  EXPECT_EQ(b[0x00], 0x55);
  EXPECT_EQ(b[0x01], 0x00);
  EXPECT_EQ(b[0x02], 0x01);
  EXPECT_EQ(b[0x03], 0x02);
  EXPECT_EQ(b[0x04], 0x00);
  EXPECT_EQ(b[0x10], 300 & 0xFF);
  EXPECT_EQ(b[0x1B], 0x00);
  EXPECT_EQ(b[0x1E], 0x00);
  EXPECT_EQ(b[0x1F], 0x01);
}

TEST(HeaderRecord, FreshRecordFallsBackToMetricUnits) {
  const HeaderRecord h;
  for (int f = 0; f < hdr::kCount; ++f) {
    switch (f) {
      case hdr::kInterval: EXPECT_EQ(h[f], "---"); break;
      case hdr::kUnitIndoorTemp:
      case hdr::kUnitOutdoorTemp: EXPECT_EQ(h[f], "°C"); break;
      case hdr::kUnitRain: EXPECT_EQ(h[f], "mm"); break;
      case hdr::kUnitPressure: EXPECT_EQ(h[f], "Hpa"); break;
      case hdr::kUnitWind: EXPECT_EQ(h[f], "m/s"); break;
      default: EXPECT_EQ(h[f], "") << "field " << f;
    }
  }
}

// --- header block operations of StationDevice ---

TEST(HeaderBlock, ReadHeaderInTestMode) {
  auto device = test::TestModeDevice();
  HeaderRecord h;
  ASSERT_TRUE(device->ReadHeader(h));
  EXPECT_EQ(h[hdr::kCurrentAddress], "496");
  EXPECT_EQ(h[hdr::kUnitWind], "km/h");
  EXPECT_EQ(h[hdr::kRecordCount], "16");
}

TEST(HeaderBlock, ReadHeaderDecodesTheStationBytes) {
  test::VirtualDevice v;
  HeaderBytes bytes = TestImageHeader();
  bytes[0x12] = 0x08;
  bytes[0x1E] = 0x20;
  bytes[0x1F] = 0x3A;
  v.Put(0, {bytes.begin(), bytes.end()});
  HeaderRecord h;
  ASSERT_TRUE(v.device->ReadHeader(h));
  EXPECT_EQ(h, Decoded(bytes));
  EXPECT_EQ(h[hdr::kUnitWind], "m/h");
  EXPECT_EQ(h[hdr::kCurrentAddress], "14880");
}

TEST(HeaderBlock, FailedReadLeavesTheRecordUnchanged) {
  test::VirtualDevice v;
  v.Put(0, {0x55, 0xAA});
  v.station->RefuseReportsAfter(0);
  HeaderRecord h;
  h[hdr::kInterval] = "30";
  const HeaderRecord before = h;
  EXPECT_FALSE(v.device->ReadHeader(h));
  EXPECT_EQ(h, before);
}

TEST(HeaderBlock, WriteHeaderSetsTheSettingsChangedMark) {
  test::VirtualDevice v;
  HeaderRecord h = Decoded(TestImageHeader());
  h[hdr::kUnitWind] = "bft";
  ASSERT_TRUE(v.device->WriteHeader(h));
  EXPECT_EQ(h[hdr::kSettingsChanged], "1");  // in the caller's record too
  const HeaderBytes expected = EncodeHeader(h);
  EXPECT_EQ(v.Get(0, 32), std::vector<std::uint8_t>(expected.begin(), expected.end()));
  EXPECT_EQ(v.Get(0x1A, 1)[0], 0xAA);
  EXPECT_EQ(v.Get(0x12, 1)[0], 0x10);
}

TEST(HeaderBlock, WriteHeaderReportsAWrongAcknowledgement) {
  test::VirtualDevice v;
  v.station->SendWrongAcknowledgement({0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0x00});
  HeaderRecord h = Decoded(TestImageHeader());
  EXPECT_FALSE(v.device->WriteHeader(h));
}

TEST(HeaderBlock, ClearHistoryZeroesTheCountAndMarksTheChange) {
  test::VirtualDevice v;
  const HeaderBytes bytes = TestImageHeader();
  v.Put(0, {bytes.begin(), bytes.end()});
  ASSERT_TRUE(v.device->ClearHistory());
  std::vector<std::uint8_t> expected(bytes.begin(), bytes.end());
  expected[0x1A] = 0xAA;
  expected[0x1B] = 0x00;
  expected[0x1C] = 0x00;
  EXPECT_EQ(v.Get(0, 32), expected);
}

TEST(HeaderBlock, ClearHistoryFailsWhenTheReadOrTheWriteFails) {
  {
    test::VirtualDevice v;
    const HeaderBytes bytes = TestImageHeader();
    v.Put(0, {bytes.begin(), bytes.end()});
    v.station->RefuseReportsAfter(0);
    EXPECT_FALSE(v.device->ClearHistory());
    EXPECT_EQ(v.Commands(0xA0), 0);  // nothing written after a failed read
    EXPECT_EQ(v.Get(0x1B, 1)[0], 0x10);
  }
  {
    test::VirtualDevice v;
    v.station->RefuseReportsAfter(1);  // the read command goes out, the write does not
    EXPECT_FALSE(v.device->ClearHistory());
  }
}

}  // namespace
}  // namespace skyvane
