#include "core/transfer/sim/maxmin_keeper.h"

#include <gtest/gtest.h>

#include <array>
#include <ctime>

#include "core/station/maxmin_codec.h"
#include "support/local_time.h"

namespace skyvane::sim {
namespace {

MaxMinSample Full(int base) {
  MaxMinSample s;
  s.indoorHumidity = 40 + base;
  s.outdoorHumidity = 70 + base;
  s.indoorTemperature = 210 + base;
  s.outdoorTemperature = -15 + base;
  s.windChill = -40 + base;
  s.dewPoint = -60 + base;
  s.absolutePressure = 10000 + base;
  s.relativePressure = 10120 + base;
  s.windSpeed = 30 + base;
  s.gustSpeed = 50 + base;
  s.rainHour = 3 + base;
  s.rain24h = 30 + base;
  s.rainWeek = 90 + base;
  s.rainMonth = 0x12345 + base;
  s.rainTotal = 0x6789A + base;
  return s;
}

class MaxMinKeeperTest : public ::testing::Test {
 protected:
  MaxMinRecord Decoded() {
    MaxMinRecord r;
    DecodeMaxMin(block, r);
    return r;
  }
  std::array<std::uint8_t, memmap::kMaxMinSize> block{};
};

TEST_F(MaxMinKeeperTest, FirstSampleSetsEveryExtremeWithItsTime) {
  block.fill(0xEE);
  ClearMaxMin(block);
  FollowMaxMin(block, Full(0), test::LocalTime(2024, 3, 5, 14, 7));
  const MaxMinRecord r = Decoded();
  const char* expected[] = {"40", "40", "70", "70", "210", "210", "-15", "-15", "-40", "-40",
                            "-60", "-60", "10000", "10000", "10120", "10120", "30", "50",
                            "3", "30", "90", "74565", "424090"};
  for (int k = 0; k < 23; ++k) {
    EXPECT_EQ(r.fields[mm::kIndoorHumidityMax + k], expected[k]) << k;
    EXPECT_EQ(r.fields[mm::kFirstTime + k], "2024-03-05 14:07") << k;
  }
  EXPECT_EQ(block[44], 0x61) << "month nibble low, total nibble high";
}

TEST_F(MaxMinKeeperTest, OnlyPassedExtremesMoveAndTakeTheNewTime) {
  FollowMaxMin(block, Full(0), test::LocalTime(2024, 3, 5, 14, 7));
  MaxMinSample warmer;
  warmer.outdoorTemperature = -5;  // a new maximum, not a new minimum
  warmer.absolutePressure = 9990;  // a new minimum
  warmer.indoorHumidity = 40;      // equal: no change of time
  FollowMaxMin(block, warmer, test::LocalTime(2024, 3, 6, 9, 30));
  const MaxMinRecord r = Decoded();
  EXPECT_EQ(r.fields[mm::kOutdoorTempMax], "-5");
  EXPECT_EQ(r.fields[mm::kOutdoorTempMax + mm::kTimeOffset], "2024-03-06 09:30");
  EXPECT_EQ(r.fields[mm::kOutdoorTempMin], "-15");
  EXPECT_EQ(r.fields[mm::kOutdoorTempMin + mm::kTimeOffset], "2024-03-05 14:07");
  EXPECT_EQ(r.fields[mm::kAbsPressureMin], "9990");
  EXPECT_EQ(r.fields[mm::kAbsPressureMin + mm::kTimeOffset], "2024-03-06 09:30");
  EXPECT_EQ(r.fields[mm::kAbsPressureMax], "10000");
  EXPECT_EQ(r.fields[mm::kIndoorHumidityMax + mm::kTimeOffset], "2024-03-05 14:07");
}

TEST_F(MaxMinKeeperTest, TwentyBitRainMaximaKeepTheOtherNibble) {
  FollowMaxMin(block, Full(0), test::LocalTime(2024, 1, 1, 0, 0));
  MaxMinSample more;
  more.rainMonth = 0xF0001;
  FollowMaxMin(block, more, test::LocalTime(2024, 1, 2, 0, 0));
  EXPECT_EQ(block[44], 0x6F);
  const MaxMinRecord r = Decoded();
  EXPECT_EQ(r.fields[mm::kRainMonthMax], "983041");
  EXPECT_EQ(r.fields[mm::kRainTotalMax], "424090");
}

TEST_F(MaxMinKeeperTest, MissingQuantitiesStayUnsetUntilMeasured) {
  MaxMinSample indoorOnly;
  indoorOnly.indoorTemperature = 200;
  FollowMaxMin(block, indoorOnly, test::LocalTime(2024, 1, 1, 0, 0));
  MaxMinSample later;
  later.outdoorTemperature = 150;
  FollowMaxMin(block, later, test::LocalTime(2024, 1, 1, 12, 0));
  const MaxMinRecord r = Decoded();
  EXPECT_EQ(r.fields[mm::kOutdoorTempMax], "150") << "set by the first reading, not compared with 0";
  EXPECT_EQ(r.fields[mm::kOutdoorTempMin], "150");
  EXPECT_EQ(r.fields[mm::kIndoorTempMax], "200");
}

TEST(BcdTime, WritesTwoDigitsPerByte) {
  std::uint8_t t[5];
  WriteBcdTime(t, test::LocalTime(2019, 12, 31, 23, 59));
  EXPECT_EQ(t[0], 0x19);
  EXPECT_EQ(t[1], 0x12);
  EXPECT_EQ(t[2], 0x31);
  EXPECT_EQ(t[3], 0x23);
  EXPECT_EQ(t[4], 0x59);
}

}  // namespace
}  // namespace skyvane::sim
