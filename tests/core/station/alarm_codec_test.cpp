#include "core/station/alarm_codec.h"

#include <gtest/gtest.h>

#include "bytes_support.h"
#include "device_support.h"

namespace skyvane {
namespace {

AlarmBytes TestImageAlarms() {
  const auto v = test::Bytes(
      "94 27 6F 27 00 00 00 00 00 00 00 00 00 00 00 00 "
      "41 23 C8 00 00 00 46 2D 2C 01 64 80 C8 00 00 00 "
      "64 00 64 80 A0 28 80 25 A0 28 80 25 00 B4 00 00 "
      "68 01 00 0A 00 F4 01 13 30 00 00 00 00 00 00 00");
  AlarmBytes b{};
  std::copy(v.begin(), v.end(), b.begin());
  return b;
}

AlarmRecord Decoded(const AlarmBytes& b) {
  AlarmRecord a;
  DecodeAlarms(b, a);
  return a;
}

TEST(AlarmCodec, DecodesTheTestImageBlock) {
  const AlarmRecord a = Decoded(TestImageAlarms());
  EXPECT_EQ(a[0], "");
  EXPECT_EQ(a[1].size(), 64u * 3);
  EXPECT_EQ(a[1].substr(0, 18), "94 27 6F 27 00 00 ");
  const std::vector<std::string> expected = {
      "10132", "10095", std::string(24, '0'),
      "65", "35", "200", "0", "70", "45", "300", "-100", "200", "0", "100", "-100",
      "10400", "9600", "10400", "9600", "0", "180", "0", "360", "0", "10", "500",
      "13", "30", std::string(14, '0')};
  ASSERT_EQ(expected.size(), 29u);
  for (int f = 2; f <= 30; ++f) EXPECT_EQ(a[f], expected[f - 2]) << "field " << f;
}

TEST(AlarmCodec, EncodingTheDecodedBlockGivesTheSameBytes) {
  EXPECT_EQ(EncodeAlarms(Decoded(TestImageAlarms())), TestImageAlarms());
}

TEST(AlarmCodec, RoundTripsEveryByte) {
  AlarmBytes b{};
  for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(0x11 * i + 3);
  EXPECT_EQ(EncodeAlarms(Decoded(b)), b);
}

TEST(AlarmCodec, NegativeZeroDecodesAsZeroAndLosesItsSign) {
  AlarmBytes b = TestImageAlarms();
  b[18] = 0x00;
  b[19] = 0x80;
  const AlarmRecord a = Decoded(b);
  EXPECT_EQ(a[alm::kIndoorTempHigh], "0");
  const AlarmBytes encoded = EncodeAlarms(a);
  EXPECT_EQ(encoded[18], 0x00);
  EXPECT_EQ(encoded[19], 0x00);
}

TEST(AlarmCodec, EncodingOfTexts) {
  AlarmRecord a;
  a[alm::kCurrentRelPressure] = "10132";
  a[alm::kOutdoorTempLow] = "-100";
  a[alm::kWindLevelHigh] = "268";  // low 8 bits
  a[alm::kTimeHour] = "07";
  a[alm::kTimeMinute] = "45";
  a[alm::kReserved04] = "AB";      // shorter than its field: the rest stays 0
  const AlarmBytes b = EncodeAlarms(a);
  EXPECT_EQ(b[0], 0x94);
  EXPECT_EQ(b[1], 0x27);
  EXPECT_EQ(b[4], 0xAB);
  EXPECT_EQ(b[5], 0x00);
  EXPECT_EQ(b[26], 0x64);
  EXPECT_EQ(b[27], 0x80);
  EXPECT_EQ(b[44], 268 & 0xFF);
  EXPECT_EQ(b[55], 0x07);
  EXPECT_EQ(b[56], 0x45);
}

TEST(AlarmCodec, OverlongHexTextStaysInsideItsField) {
  AlarmRecord a = Decoded(TestImageAlarms());
  a[alm::kTimeHour] = "1299";  // one byte wide: must not overwrite the minute
  a[alm::kReserved04] = std::string(40, 'F');
  const AlarmBytes b = EncodeAlarms(a);
  EXPECT_EQ(b[55], 0x12);
  EXPECT_EQ(b[56], 0x30);
  EXPECT_EQ(b[15], 0xFF);
  EXPECT_EQ(b[16], 0x41);
}

TEST(AlarmCodec, FreshRecordEncodesAsZeros) {
  const AlarmRecord fresh;
  for (int f = 0; f < alm::kCount; ++f) {
    const bool notRead = f >= alm::kIndoorHumidityHigh && f <= alm::kTimeMinute;
    EXPECT_EQ(fresh[f], notRead ? "---" : "") << "field " << f;
  }
  EXPECT_EQ(EncodeAlarms(fresh), AlarmBytes{});
}

// --- alarm block operations of StationDevice ---

TEST(AlarmBlock, ReadAlarmsInTestMode) {
  auto device = test::TestModeDevice();
  AlarmRecord a;
  ASSERT_TRUE(device->ReadAlarms(a));
  EXPECT_EQ(a[alm::kCurrentRelPressure], "10132");
  EXPECT_EQ(a, Decoded(TestImageAlarms()));
}

TEST(AlarmBlock, FailedReadLeavesTheRecordUnchanged) {
  test::VirtualDevice v;
  v.station->RefuseReportsAfter(0);
  AlarmRecord a;
  EXPECT_FALSE(v.device->ReadAlarms(a));
  EXPECT_EQ(a, AlarmRecord{});
}

TEST(AlarmBlock, WriteAlarmsWritesTheBlockThenTheMark) {
  test::VirtualDevice v;
  AlarmRecord a = Decoded(TestImageAlarms());
  a[alm::kOutdoorTempLow] = "-150";
  ASSERT_TRUE(v.device->WriteAlarms(a));
  const AlarmBytes expected = EncodeAlarms(a);
  EXPECT_EQ(v.Get(0x20, 64), std::vector<std::uint8_t>(expected.begin(), expected.end()));
  EXPECT_EQ(v.Get(0x1A, 1)[0], 0xAA);
  const auto reports = v.station->ReceivedReports();
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back(), (report::Report{0xA2, 0x00, 0x1A, 0x20, 0xA2, 0xAA, 0x00, 0x20}));
}

TEST(AlarmBlock, FailedBlockWriteSkipsTheMark) {
  test::VirtualDevice v;
  v.station->SendWrongAcknowledgement({0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0x00});
  AlarmRecord a = Decoded(TestImageAlarms());
  EXPECT_FALSE(v.device->WriteAlarms(a));
  EXPECT_EQ(v.Commands(0xA2), 0);
  EXPECT_EQ(v.Get(0x1A, 1)[0], 0x00);
}

TEST(AlarmBlock, FailedMarkFailsTheWrite) {
  test::VirtualDevice v;
  v.station->RefuseReportsAfter(10);  // two blocks of a command and four data reports each
  AlarmRecord a = Decoded(TestImageAlarms());
  EXPECT_FALSE(v.device->WriteAlarms(a));
  EXPECT_EQ(v.Get(0x20, 2), (std::vector<std::uint8_t>{0x94, 0x27}));  // the block is in
  EXPECT_EQ(v.Get(0x1A, 1)[0], 0x00);
}

TEST(AlarmBlock, WriteAlarmsInTestModeMarksTheImage) {
  auto device = test::TestModeDevice();
  AlarmRecord a;
  ASSERT_TRUE(device->ReadAlarms(a));
  a[alm::kTimeHour] = "06";
  ASSERT_TRUE(device->WriteAlarms(a));
  HeaderRecord h;
  ASSERT_TRUE(device->ReadHeader(h));
  EXPECT_EQ(h[hdr::kSettingsChanged], "1");
  AlarmRecord again;
  ASSERT_TRUE(device->ReadAlarms(again));
  EXPECT_EQ(again[alm::kTimeHour], "06");
}

}  // namespace
}  // namespace skyvane
