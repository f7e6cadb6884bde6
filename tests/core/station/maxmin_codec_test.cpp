#include "core/station/maxmin_codec.h"

#include <gtest/gtest.h>

#include <array>

#include "bytes_support.h"
#include "device_support.h"

namespace skyvane {
namespace {

using MaxMinBytes = std::array<std::uint8_t, 160>;

MaxMinBytes TestImageMaxMin() {
  const auto v = test::Bytes(
      "00 00 46 40 56 30 EF 00 E1 10 30 01 CA 00 2A 01 "
      "C0 00 FF 00 AA 00 6F 27 69 27 93 27 53 27 BA 00 "
      "DA 01 1A 00 F4 00 F4 03 B5 21 DC AF 00 07 01 01 "
      "12 00 07 01 01 12 00 07 01 01 12 00 07 01 01 12 "
      "00 07 01 01 12 00 07 01 01 12 00 07 01 01 12 00 "
      "07 01 01 12 00 07 01 01 12 00 07 01 01 12 00 07 "
      "01 01 12 00 07 01 01 12 00 07 01 01 12 00 07 01 "
      "01 12 00 07 01 01 12 00 07 01 01 12 00 07 01 01 "
      "12 00 07 01 01 12 00 07 01 01 12 00 07 01 01 12 "
      "00 07 01 01 12 00 07 01 01 12 00 07 01 01 12 00");
  MaxMinBytes b{};
  EXPECT_EQ(v.size(), b.size());
  std::copy(v.begin(), v.end(), b.begin());
  return b;
}

MaxMinRecord Decoded(const MaxMinBytes& b) {
  MaxMinRecord m;
  DecodeMaxMin(b, m);
  return m;
}

TEST(MaxMinCodec, DecodesTheTestImageBlock) {
  const MaxMinRecord m = Decoded(TestImageMaxMin());
  EXPECT_EQ(m[0], "");
  EXPECT_EQ(m[1].size(), 160u * 3);
  EXPECT_EQ(m[1].substr(m[1].size() - 6), "12 00 ");
  const std::vector<std::string> expected = {
      "0000", "70", "64", "86", "48",
      "239", "4321", "304", "202", "298", "192", "255", "170",
      "10095", "10089", "10131", "10067", "186", "474", "26", "244", "1012",
      "8629", "45020"};
  ASSERT_EQ(expected.size(), 24u);
  for (int f = 2; f <= 25; ++f) EXPECT_EQ(m[f], expected[f - 2]) << "field " << f;
  for (int f = mm::kFirstTime; f <= mm::kLastTime; ++f) {
    EXPECT_EQ(m[f], "2007-01-01 12:00") << "field " << f;
  }
}

TEST(MaxMinCodec, TwentyBitRainFields) {
  MaxMinBytes b{};
  const auto rain = test::Bytes("05 00 07 00 21");
  std::copy(rain.begin(), rain.end(), b.begin() + 40);
  const MaxMinRecord m = Decoded(b);
  EXPECT_EQ(m[mm::kRainMonthMax], std::to_string(65536 + 5));
  EXPECT_EQ(m[mm::kRainTotalMax], std::to_string(2 * 65536 + 7));

  b[40] = b[41] = b[42] = b[43] = b[44] = 0xFF;
  const MaxMinRecord full = Decoded(b);
  EXPECT_EQ(full[mm::kRainMonthMax], "1048575");
  EXPECT_EQ(full[mm::kRainTotalMax], "1048575");
}

TEST(MaxMinCodec, SignedAndUnsignedValues) {
  MaxMinBytes b{};
  b[2] = 0xFF;                   // humidity: unsigned byte
  b[8] = 0x90; b[9] = 0x81;      // indoor temperature min -400
  b[12] = 0x00; b[13] = 0x80;    // outdoor temperature min: negative zero
  b[38] = 0xFF; b[39] = 0xFF;    // week rain: unsigned
  const MaxMinRecord m = Decoded(b);
  EXPECT_EQ(m[mm::kIndoorHumidityMax], "255");
  EXPECT_EQ(m[mm::kIndoorTempMin], "-400");
  EXPECT_EQ(m[mm::kOutdoorTempMin], "0");
  EXPECT_EQ(m[mm::kRainWeekMax], "65535");
}

TEST(MaxMinCodec, TimestampsInOrderOfTheValueFields) {
  MaxMinBytes b{};
  for (int k = 0; k < 23; ++k) {
    const int at = 45 + 5 * k;
    b[at] = 0x09;
    b[at + 1] = 0x12;
    b[at + 2] = static_cast<std::uint8_t>(((k + 1) / 10) * 16 + (k + 1) % 10);  // day k+1 in BCD
    b[at + 3] = 0x23;
    b[at + 4] = 0x59;
  }
  b[45 + 5 * 22 + 4] = 0x5A;  // not BCD: shows a letter
  const MaxMinRecord m = Decoded(b);
  EXPECT_EQ(m[mm::kFirstTime], "2009-12-01 23:59");
  EXPECT_EQ(m[mm::kIndoorTempMax + mm::kTimeOffset], "2009-12-05 23:59");
  EXPECT_EQ(m[mm::kLastTime], "2009-12-23 23:5A");
}

// --- max/min block operation of StationDevice ---

TEST(MaxMinBlock, ReadMaxMinInTestMode) {
  auto device = test::TestModeDevice();
  MaxMinRecord m;
  ASSERT_TRUE(device->ReadMaxMin(m));
  EXPECT_EQ(m, Decoded(TestImageMaxMin()));
  EXPECT_EQ(m[mm::kRainTotalMax], "45020");
  EXPECT_EQ(m[mm::kFirstTime], "2007-01-01 12:00");
}

TEST(MaxMinBlock, ReadsAllFiveBlocks) {
  test::VirtualDevice v;
  v.Put(0x60 + 159, {0x59});
  v.Put(0x60 + 3, {0x21});
  MaxMinRecord m;
  ASSERT_TRUE(v.device->ReadMaxMin(m));
  EXPECT_EQ(v.Commands(0xA1), 5);
  EXPECT_EQ(m[mm::kIndoorHumidityMin], "33");
  EXPECT_EQ(m[mm::kLastTime], "2000-00-00 00:59");
}

TEST(MaxMinBlock, FailedReadLeavesTheRecordUnchanged) {
  test::VirtualDevice v;
  v.station->RefuseReportsAfter(2);  // the third block's command is refused
  MaxMinRecord m;
  m[mm::kRainTotalMax] = "12";
  const MaxMinRecord before = m;
  EXPECT_FALSE(v.device->ReadMaxMin(m));
  EXPECT_EQ(m, before);
}

}  // namespace
}  // namespace skyvane
