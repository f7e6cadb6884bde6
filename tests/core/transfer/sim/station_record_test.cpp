#include "core/transfer/sim/station_record.h"

#include <gtest/gtest.h>

#include "core/memory/byte_codec.h"
#include "core/station/weather_record_codec.h"

namespace skyvane::sim {
namespace {

WeatherReading Sample() {
  WeatherReading r;
  r.indoorHumidity = 45;
  r.indoorTemperature = 215;
  r.outdoorHumidity = 81;
  r.outdoorTemperature = -37;
  r.absolutePressure = 10012;
  r.windSpeed = 0x123;
  r.gustSpeed = 0x1F4;
  r.windDirection = 13;
  return r;
}

TEST(StationRecord, WritesTheRecordLayoutByteForByte) {
  const RecordBytes r = EncodeStationRecord(Sample(), 5, 0xFFF3);
  EXPECT_EQ(HexDump(r), "05 2D D7 00 51 25 80 1C 27 23 F4 11 0D F3 FF 00 ");
}

TEST(StationRecord, DecodesToTheReadingItCameFrom) {
  HistoryRow row;
  ASSERT_TRUE(DecodeWeatherRecord(EncodeStationRecord(Sample(), 30, 7), row));
  EXPECT_EQ(row.fields[row::interval], "30");
  EXPECT_EQ(row.fields[row::indoorHumidity], "45");
  EXPECT_EQ(row.fields[row::indoorTemperature], "215");
  EXPECT_EQ(row.fields[row::outdoorHumidity], "81");
  EXPECT_EQ(row.fields[row::outdoorTemperature], "-37");
  EXPECT_EQ(row.fields[row::absolutePressure], "10012");
  EXPECT_EQ(row.fields[row::windSpeed], "291");
  EXPECT_EQ(row.fields[row::gustSpeed], "500");
  EXPECT_EQ(row.fields[row::windDir], "13");
  EXPECT_EQ(row.fields[row::rainCounter], "7");
  for (int i = row::flag1; i <= row::flag8; ++i) EXPECT_EQ(row.fields[i], "0");
}

TEST(StationRecord, LostOutdoorSensorGivesTheMissingMarkersAndTheStatusBit) {
  WeatherReading reading = Sample();
  reading.outdoorLost = true;
  const RecordBytes r = EncodeStationRecord(reading, 5, 300);
  EXPECT_EQ(HexDump(r), "05 2D D7 00 FF FF FF 1C 27 FF FF FF 80 2C 01 40 ");
  HistoryRow row;
  EXPECT_TRUE(DecodeWeatherRecord(r, row)) << "missing readings are not implausible";
  EXPECT_EQ(row.fields[row::outdoorHumidity], "");
  EXPECT_EQ(row.fields[row::outdoorTemperature], "");
  EXPECT_EQ(row.fields[row::windSpeed], "");
  EXPECT_EQ(row.fields[row::gustSpeed], "");
  EXPECT_EQ(row.fields[row::windDir], "-1");
  EXPECT_EQ(row.fields[row::indoorTemperature], "215") << "indoor values go on";
  EXPECT_EQ(row.fields[row::rainCounter], "300");
  EXPECT_EQ(row.fields[row::flag1 + 6], "1");
}

TEST(StationRecord, IntervalStaysWithinWhatTheRecordCanHold) {
  EXPECT_EQ(EncodeStationRecord(Sample(), 0, 0)[0], 1);
  EXPECT_EQ(EncodeStationRecord(Sample(), 240, 0)[0], 240);
  EXPECT_EQ(EncodeStationRecord(Sample(), 300, 0)[0], 240);
}

}  // namespace
}  // namespace skyvane::sim
