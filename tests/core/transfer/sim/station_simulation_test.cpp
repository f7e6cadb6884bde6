#include "core/transfer/sim/station_simulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <initializer_list>
#include <vector>

#include "core/memory/byte_codec.h"
#include "core/station/alarm_codec.h"
#include "core/station/header_codec.h"
#include "core/station/maxmin_codec.h"
#include "core/station/weather_record_codec.h"
#include "core/transfer/sim/sim_state.h"
#include "core/transfer/sim/station_record.h"
#include "support/scratch_folder.h"
#include "support/local_time.h"

namespace skyvane::sim {
namespace {

class StationSimulationTest : public ::testing::Test {
 protected:
  MemorySpan Memory() { return MemorySpan(memory.data(), memmap::kMemorySize); }
  HeaderRecord Header() {
    HeaderRecord h;
    DecodeHeader(std::span<const std::uint8_t, 32>(memory.data(), 32), h);
    return h;
  }
  int Count() { return static_cast<int>(ReadU16(&memory[0x1B])); }
  int Current() { return static_cast<int>(ReadU16(&memory[0x1E])); }
  HistoryRow Record(int address, bool* plausible = nullptr) {
    HistoryRow row;
    const bool ok = DecodeWeatherRecord(std::span<const std::uint8_t, 16>(&memory[address], 16), row);
    if (plausible) *plausible = ok;
    return row;
  }
  StationSimulation NewStation(std::uint64_t seed) {
    SimState state;
    state.seed = seed;
    return StationSimulation(state);
  }
  std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(memmap::kMemorySize, 0xEE);
};

TEST_F(StationSimulationTest, FirstStartIsInServiceWithDaysOfConsecutivePlausibleHistory) {
  // Rain falls by the clock, not by the local time: a fixed moment makes these
  // three days (2024-05-07 to 05-10, UTC) the same rainy ones everywhere.
  StationSimulation sim = NewStation(4);
  const std::int64_t now = 1715342400;
  sim.SetUp(Memory(), now, 3, 2);
  const HeaderRecord h = Header();
  EXPECT_EQ(h.fields[hdr::kMarker55], "1");
  EXPECT_EQ(h.fields[hdr::kMarkerAA], "1");
  EXPECT_EQ(h.fields[hdr::kInterval], "5");
  EXPECT_EQ(h.fields[hdr::kUnitPressure], "Hpa");
  EXPECT_EQ(h.fields[hdr::kUnitWind], "km/h");
  EXPECT_EQ(h.fields[hdr::kTimeZone], "+2");
  EXPECT_EQ(h.fields[hdr::kAlarmOutdoorTempLow], "1");
  const int slots = 3 * 24 * 12;  // three days of 5-minute records, then the running one
  EXPECT_EQ(Count(), slots + 1);
  EXPECT_EQ(Current(), 0x100 + 16 * slots);

  int address = Current();
  int missing = 0;
  unsigned rainSteps = 0;
  unsigned counter = ReadU16(&memory[address + 13]);
  for (int i = 0; i < slots; ++i) {
    address -= 16;
    bool plausible = false;
    const HistoryRow row = Record(address, &plausible);
    EXPECT_TRUE(plausible) << std::hex << address;
    EXPECT_EQ(row.fields[row::interval], "5");
    EXPECT_NE(row.fields[row::absolutePressure], "");
    if (row.fields[row::outdoorTemperature].empty()) ++missing;
    const unsigned older = ReadU16(&memory[address + 13]);
    rainSteps += (counter - older) & 0xFFFF;
    counter = older;
  }
  EXPECT_LT(missing, slots / 20);
  EXPECT_LT(rainSteps, 1000u) << "counter only ever moves forward by showers";
  // A new gauge stands just below its wrap, so the history shows it wrapping.
  ASSERT_GT(sim.State().rainTotal, StationSimulation::kStepsBeforeWrap);
  EXPECT_EQ(rainSteps, sim.State().rainTotal);
  EXPECT_EQ(ReadU16(&memory[0x100 + 13]), 0x10000u - StationSimulation::kStepsBeforeWrap);
  EXPECT_LT(ReadU16(&memory[Current() + 13]), 1000u);
  EXPECT_EQ(sim.State().stationTime, now);
}

TEST_F(StationSimulationTest, RunningRecordIsRefreshedEvery48StationSeconds) {
  StationSimulation sim = NewStation(2);
  const std::int64_t now = test::LocalTime(2024, 5, 10, 12);
  sim.SetUp(Memory(), now, 0, 0);
  ASSERT_EQ(Count(), 1);
  const std::vector<std::uint8_t> before(memory.begin() + 0x100, memory.begin() + 0x110);
  sim.Run(Memory(), now + 47);
  EXPECT_EQ(std::vector<std::uint8_t>(memory.begin() + 0x100, memory.begin() + 0x110), before);
  EXPECT_EQ(sim.State().lastRefresh, now);
  sim.Run(Memory(), now + 48);
  EXPECT_EQ(sim.State().lastRefresh, now + 48);
  EXPECT_EQ(Current(), 0x100);
  const auto expected = EncodeStationRecord(sim.Model().At(now + 48), 5, sim.State().RainCounter());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), memory.begin() + 0x100));
}

TEST_F(StationSimulationTest, RingWrapsFromTheLastSlotToTheFirstAndTheCountStopsAt4080) {
  memory.assign(memmap::kMemorySize, 0);
  memory[0] = 0x55;
  memory[1] = 0xAA;
  memory[0x10] = 5;
  memory[0x11] = 0x20;
  WriteU16(&memory[0x1B], 4078);
  WriteU16(&memory[0x1E], 0xFFE0);
  StationSimulation sim = NewStation(3);
  const std::int64_t start = test::LocalTime(2024, 5, 12, 12);
  sim.Adopt(Memory(), start);
  sim.Run(Memory(), start + 5 * 60);
  EXPECT_EQ(Current(), 0xFFF0);
  EXPECT_EQ(Count(), 4079);
  sim.Run(Memory(), start + 10 * 60);
  EXPECT_EQ(Current(), 0x100);
  EXPECT_EQ(Count(), 4080);
  sim.Run(Memory(), start + 15 * 60 + 47);
  EXPECT_EQ(Current(), 0x110);
  EXPECT_EQ(Count(), 4080);
  EXPECT_EQ(memory[0xFFE0], 5) << "closed slots keep their interval";
  EXPECT_EQ(memory[0xFFF0], 5);
  EXPECT_EQ(memory[0x100], 5);
}

TEST_F(StationSimulationTest, ProgramWritesTakeEffectAtTheNextLook) {
  StationSimulation sim = NewStation(4);
  std::int64_t now = test::LocalTime(2024, 5, 10, 12);
  sim.SetUp(Memory(), now, 1, 0);
  const int count = Count();
  const int current = Current();

  // A Setup save: new interval, pressure in inHg, the mark, and count and
  // address as they were when the dialog opened (stale by now).
  HeaderRecord h = Header();
  sim.Run(Memory(), now += 5 * 60);  // the station moved on meanwhile
  h.fields[hdr::kInterval] = "10";
  h.fields[hdr::kUnitPressure] = "inHg";
  h.fields[hdr::kSettingsChanged] = "1";
  const HeaderBytes written = EncodeHeader(h);
  std::copy(written.begin(), written.end(), memory.begin());
  sim.Run(Memory(), now);
  EXPECT_EQ(memory[0x1A], 0x00) << "the mark is taken in";
  EXPECT_EQ(Count(), count + 1) << "a stale count is not followed";
  EXPECT_EQ(Current(), current + 16);
  EXPECT_EQ(Header().fields[hdr::kUnitPressure], "inHg");
  AlarmRecord alarms;
  DecodeAlarms(std::span<const std::uint8_t, 64>(&memory[0x20], 64), alarms);
  const int absolute = std::stoi(Record(Current()).fields[row::absolutePressure]);
  EXPECT_EQ(alarms.fields[alm::kCurrentAbsPressure], std::to_string(std::lround(absolute * 0.2953)))
      << "hundredths of inHg";

  // The running record now closes after 10 minutes and keeps that interval.
  const int running = Current();
  sim.Run(Memory(), now + 9 * 60);
  EXPECT_EQ(Current(), running);
  sim.Run(Memory(), now + 10 * 60 + 48);
  EXPECT_EQ(Current(), running + 16);
  EXPECT_EQ(memory[running], 10);
  EXPECT_EQ(Record(Current()).fields[row::interval], "10");
}

TEST_F(StationSimulationTest, RelativePressureWrittenSetsTheOffsetAndUnitRoundingDoesNot) {
  StationSimulation sim = NewStation(5);
  const std::int64_t now = test::LocalTime(2024, 5, 10, 12);
  sim.SetUp(Memory(), now, 0, 0);
  const int absolute = static_cast<int>(ReadU16(&memory[0x22]));
  WriteU16(&memory[0x20], absolute + 300);
  sim.Run(Memory(), now + 1);
  EXPECT_EQ(sim.State().relativeOffset, 300);

  // Back and forth through mmHg, each time writing the rounded value back.
  for (std::uint8_t units : std::initializer_list<std::uint8_t>{0x80, 0x20, 0x80, 0x20}) {
    memory[0x11] = units;
    const int abs = std::stoi(Record(Current()).fields[row::absolutePressure]);
    WriteU16(&memory[0x20], PressureToStationUnit(abs + 300, units) + 1);
    sim.Run(Memory(), now + 2);
  }
  EXPECT_EQ(sim.State().relativeOffset, 300);

  WriteU16(&memory[0x20], 500);  // 50 hPa: no station would take that
  sim.Run(Memory(), now + 3);
  EXPECT_EQ(sim.State().relativeOffset, 300);
}

TEST_F(StationSimulationTest, ClearedCountLeavesOnlyTheRunningRecordAndBadIntervalsAreRefused) {
  StationSimulation sim = NewStation(6);
  std::int64_t now = test::LocalTime(2024, 5, 10, 12);
  sim.SetUp(Memory(), now, 1, 0);
  const int current = Current();
  WriteU16(&memory[0x1B], 0);
  memory[0x10] = 0;
  memory[0x1A] = 0xAA;
  sim.Run(Memory(), now += 1);
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(Current(), current);
  EXPECT_EQ(memory[0x10], 5);
  memory[0x10] = 241;
  sim.Run(Memory(), now += 5 * 60);
  EXPECT_EQ(memory[0x10], 5);
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Current(), current + 16);
}

TEST_F(StationSimulationTest, MaxMinFollowsTheReadings) {
  StationSimulation sim = NewStation(7);
  const std::int64_t now = test::LocalTime(2024, 5, 10, 12);
  sim.SetUp(Memory(), now, 2, 0);
  MaxMinRecord mm;
  DecodeMaxMin(std::span<const std::uint8_t, 160>(&memory[0x60], 160), mm);
  int maxOut = -9999, minOut = 9999;
  for (std::int64_t t = now - 2 * 86400 + 48; t <= now; t += 48) {
    const WeatherReading r = sim.Model().At(t);
    if (r.outdoorLost) continue;
    maxOut = std::max(maxOut, r.outdoorTemperature);
    minOut = std::min(minOut, r.outdoorTemperature);
  }
  EXPECT_EQ(mm.fields[mm::kOutdoorTempMax], std::to_string(maxOut));
  EXPECT_EQ(mm.fields[mm::kOutdoorTempMin], std::to_string(minOut));
  EXPECT_GE(std::stoi(mm.fields[mm::kGustSpeedMax]), std::stoi(mm.fields[mm::kWindSpeedMax]));
  EXPECT_LE(std::stoi(mm.fields[mm::kDewPointMin]), minOut);
  EXPECT_EQ(std::stoi(mm.fields[mm::kRelPressureMax]) - std::stoi(mm.fields[mm::kAbsPressureMax]),
            StationSimulation::kDefaultRelativeOffset);
  EXPECT_EQ(mm.fields[mm::kRainTotalMax], std::to_string(sim.State().rainTotal * 3));
  for (int k = mm::kFirstTime; k <= mm::kLastTime; ++k) {
    EXPECT_EQ(mm.fields[k].substr(0, 8), "2024-05-") << k;
  }
}

TEST_F(StationSimulationTest, RestartFromSavedStateCatchesUpExactlyAsIfItHadRunOn) {
  const std::int64_t start = test::LocalTime(2024, 5, 10, 12);
  StationSimulation continuous = NewStation(8);
  continuous.SetUp(Memory(), start, 1, 0);
  std::vector<std::uint8_t> other = memory;
  continuous.Run(Memory(), start + 7 * 3600 + 5);

  StationSimulation first = NewStation(8);
  MemorySpan otherSpan(other.data(), memmap::kMemorySize);
  first.SetUp(otherSpan, start, 1, 0);
  first.Run(otherSpan, start + 1000);
  StationSimulation second(first.State());  // the program was closed here
  second.Resume(otherSpan);
  second.Run(otherSpan, start + 7 * 3600 + 5);
  EXPECT_EQ(other, memory);
  EXPECT_EQ(second.State().rainTotal, continuous.State().rainTotal);
}

// Stopped at any moment, the station's saved state loads again: a restart
// never begins its weather anew. Uneven steps stop it between refreshes, right
// after a slot closed, and everywhere else.
TEST_F(StationSimulationTest, EveryStateItSavesLoadsAgain) {
  test::ScratchFolder folder;
  StationSimulation sim = NewStation(2);
  std::int64_t now = 1715342400;
  sim.SetUp(Memory(), now, 1, 2);
  for (int step = 0; step < 400; ++step) {
    now += 7 + step % 53;
    sim.Run(Memory(), now);
    std::string error;
    ASSERT_TRUE(SaveSimState(folder / "station.state", sim.State(), error)) << error;
    SimState back;
    ASSERT_TRUE(LoadSimState(folder / "station.state", back, error)) << step << ": " << error;
    ASSERT_EQ(back.slotStart, sim.State().slotStart);
  }
}

}  // namespace
}  // namespace skyvane::sim
