#include "core/transfer/simulated_station.h"

#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <fstream>
#include <set>
#include <thread>
#include <vector>

#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/history_download.h"
#include "core/history/history_file.h"
#include "core/memory/byte_codec.h"
#include "core/station/station_device.h"
#include "core/station/weather_record_codec.h"
#include "support/scratch_folder.h"
#include "support/local_time.h"

namespace skyvane {
namespace {

// At speed 600 a station minute passes in 100 ms of the driven real clock.
constexpr double kSpeed = 600;
constexpr std::int64_t kMsPerStationMinute = 100;

class SimulatedStationTest : public ::testing::Test {
 protected:
  SimOptions Options(int prefillDays = 3) {
    SimOptions o;
    o.folder = folder / "station";
    o.seed = 77;
    o.prefillDays = prefillDays;
    o.speed = kSpeed;
    o.timeZoneHours = 1;
    o.realTime = [this] { return realMs.load(); };
    return o;
  }
  bool Open(const SimOptions& options) {
    auto station = SimulatedStation::Open(options, openError);
    if (!station) return false;
    sim = station.get();
    device = std::make_unique<StationDevice>(std::move(station), false, 0x1941, 0x8021);
    return device->UpdateConnection();
  }
  void Close() {
    device.reset();
    sim = nullptr;
  }
  void PassStationMinutes(int minutes) { realMs += minutes * kMsPerStationMinute; }
  HeaderRecord Header() {
    HeaderRecord h;
    EXPECT_TRUE(device->ReadHeader(h));
    return h;
  }
  int Count() { return static_cast<int>(ParseDecimal(Header()[hdr::kRecordCount])); }
  int Current() { return static_cast<int>(ParseDecimal(Header()[hdr::kCurrentAddress])); }
  std::vector<std::uint8_t> ReadRaw(int address) {
    std::vector<std::uint8_t> block(32);
    int length = 32;
    EXPECT_TRUE(device->Link().ReadBlocks(static_cast<std::uint16_t>(address), block.data(), length));
    return block;
  }
  HistoryRowArray Download() {
    HistoryFile file(clock);
    EXPECT_TRUE(file.OpenFile((folder / "Skyvane.dat").string()));
    DownloadContext context{*device, file, text, false, clock.Now(), {}, {}};
    HistoryRowArray rows;
    DownloadHistory(rows, context);
    return rows;
  }

  test::ScratchFolder folder;
  std::atomic<std::int64_t> realMs{(static_cast<std::int64_t>(test::LocalTime(2024, 5, 10, 12)) * 1000)};  // driven; read by the station's threads
  FixedClock clock{static_cast<std::time_t>((static_cast<std::int64_t>(test::LocalTime(2024, 5, 10, 12)) * 1000) / 1000)};
  TextTable text{0};
  std::string openError;
  std::unique_ptr<StationDevice> device;
  SimulatedStation* sim = nullptr;
};

TEST_F(SimulatedStationTest, FirstStartServesAStationInServiceWithThreeDaysOfHistory) {
  ASSERT_TRUE(Open(Options())) << openError;
  const HeaderRecord h = Header();
  EXPECT_EQ(h[hdr::kMarker55], "1");
  EXPECT_EQ(h[hdr::kMarkerAA], "1");
  EXPECT_EQ(h[hdr::kInterval], "5");
  EXPECT_EQ(h[hdr::kTimeZone], "+1");
  EXPECT_EQ(h[hdr::kRecordCount], std::to_string(3 * 288 + 1));
  EXPECT_EQ(h[hdr::kCurrentAddress], std::to_string(0x100 + 16 * 3 * 288));
  EXPECT_EQ(std::filesystem::file_size(folder / "station" / "station.img"), 65536u);
  EXPECT_TRUE(std::filesystem::exists(folder / "station" / "station.state"));

  AlarmRecord alarms;
  ASSERT_TRUE(device->ReadAlarms(alarms));
  HistoryRow current;
  ASSERT_TRUE(device->ReadWeatherRecord(Current(), current));
  EXPECT_EQ(alarms[alm::kCurrentAbsPressure], current[row::absolutePressure]);
  EXPECT_EQ(ParseDecimal(alarms[alm::kCurrentRelPressure]) - ParseDecimal(alarms[alm::kCurrentAbsPressure]),
            120);
}

TEST_F(SimulatedStationTest, DownloadedHistoryIsConsecutiveAndPlausible) {
  ASSERT_TRUE(Open(Options())) << openError;
  const HistoryRowArray rows = Download();
  ASSERT_EQ(rows.size(), 3u * 288);
  int expected = Current();
  for (const HistoryRow& r : rows) {
    expected -= 16;
    char address[16];
    std::snprintf(address, sizeof address, "%06X", expected);
    ASSERT_EQ(r[row::stationAddress], address);
    EXPECT_EQ(r[row::interval], "5");
    const long long pressure = ParseDecimal(r[row::absolutePressure]);
    EXPECT_GE(pressure, 9800);
    EXPECT_LE(pressure, 10300);
    if (!r[row::windSpeed].empty()) {
      EXPECT_GE(ParseDecimal(r[row::gustSpeed]), ParseDecimal(r[row::windSpeed]));
    }
  }
}

TEST_F(SimulatedStationTest, AfterNIntervalsCountAndAddressMoveOnAcrossTheRingsEnd) {
  ASSERT_TRUE(Open(Options(15))) << openError;  // 4320 slots: the ring has wrapped
  EXPECT_EQ(Count(), 4080);
  const int slot = 15 * 288 % 4080;
  EXPECT_EQ(Current(), 0x100 + 16 * slot);

  PassStationMinutes(5 * 10 + 1);
  EXPECT_EQ(Current(), 0x100 + 16 * (slot + 10));
  EXPECT_EQ(Count(), 4080);

  const HistoryRowArray rows = Download();
  ASSERT_EQ(rows.size(), 4079u) << "the whole ring, across 0x100 -> 0xFFF0";
  std::set<std::string> addresses;
  for (const HistoryRow& r : rows) {
    addresses.insert(r[row::stationAddress]);
    EXPECT_EQ(r[row::interval], "5");
  }
  EXPECT_EQ(addresses.size(), 4079u);
  EXPECT_TRUE(addresses.count("00FFF0"));
  EXPECT_TRUE(addresses.count("000100"));
}

TEST_F(SimulatedStationTest, WritesFromTheProgramChangeTheNextReads) {
  ASSERT_TRUE(Open(Options(1))) << openError;
  HeaderRecord h = Header();
  h[hdr::kInterval] = "10";
  h[hdr::kUnitPressure] = "mmHg";
  h[hdr::kUnitWind] = "m/s";
  ASSERT_TRUE(device->WriteHeader(h));
  const HeaderRecord back = Header();
  EXPECT_EQ(back[hdr::kInterval], "10");
  EXPECT_EQ(back[hdr::kUnitPressure], "mmHg");
  EXPECT_EQ(back[hdr::kSettingsChanged], "0") << "the station took the mark in";

  AlarmRecord alarms;
  ASSERT_TRUE(device->ReadAlarms(alarms));
  HistoryRow current;
  ASSERT_TRUE(device->ReadWeatherRecord(Current(), current));
  const long long abs = ParseDecimal(current[row::absolutePressure]);
  EXPECT_EQ(ParseDecimal(alarms[alm::kCurrentAbsPressure]), std::llround(static_cast<double>(abs) * 0.75)) << "tenths of mmHg";
  alarms[alm::kGustSpeedHigh] = "150";
  alarms[alm::kCurrentRelPressure] = std::to_string(std::llround(static_cast<double>(abs + 250) * 0.75));
  ASSERT_TRUE(device->WriteAlarms(alarms));
  AlarmRecord after;
  ASSERT_TRUE(device->ReadAlarms(after));
  EXPECT_EQ(after[alm::kGustSpeedHigh], "150") << "thresholds are kept as written";
  EXPECT_NEAR(static_cast<double>(sim->State().relativeOffset), 250, 2);

  const int running = Current();
  PassStationMinutes(9);
  EXPECT_EQ(Current(), running);
  PassStationMinutes(2);
  EXPECT_EQ(Current(), running + 16);
  HistoryRow closed;
  ASSERT_TRUE(device->ReadWeatherRecord(running, closed));
  EXPECT_EQ(closed[row::interval], "10");

  ASSERT_TRUE(device->ClearHistory());
  EXPECT_EQ(Count(), 1) << "only the running record is left";
  EXPECT_TRUE(Download().empty());
  PassStationMinutes(10);
  EXPECT_EQ(Count(), 2);
}

TEST_F(SimulatedStationTest, RestartContinuesFromTheSavedStateAndCatchesUp) {
  ASSERT_TRUE(Open(Options(1))) << openError;
  HeaderRecord h = Header();
  h[hdr::kInterval] = "15";
  ASSERT_TRUE(device->WriteHeader(h));
  PassStationMinutes(1);
  const int count = Count();
  const int current = Current();
  const auto seed = sim->State().seed;
  Close();

  realMs += 3 * 3600 * 1000;  // the program was closed for three real hours
  SimOptions again = Options(1);
  again.seed.reset();
  ASSERT_TRUE(Open(again)) << openError;
  EXPECT_EQ(Header()[hdr::kInterval], "15");
  EXPECT_EQ(sim->State().seed, seed);
  EXPECT_EQ(Count(), count + 12);
  EXPECT_EQ(Current(), current + 12 * 16);
}

TEST_F(SimulatedStationTest, FaultsFileMakesTheStationFailAsAskedAndRecover) {
  ASSERT_TRUE(Open(Options(1))) << openError;
  const auto faults = folder / "station" / "faults";
  auto writeFaults = [&](const std::string& lines) {
    std::ofstream(faults) << lines;
    std::filesystem::last_write_time(faults, std::filesystem::last_write_time(faults) +
                                                 std::chrono::seconds(1));
    realMs += 1000;  // the file is looked at every quarter second
  };

  writeFaults("unplugged\n");
  EXPECT_FALSE(device->UpdateConnection());
  EXPECT_TRUE(device->HasLinkChanged());
  writeFaults("# plugged back in\n");
  EXPECT_TRUE(device->UpdateConnection()) << "replugged";

  writeFaults("silent\n");
  HeaderRecord h;
  EXPECT_FALSE(device->WriteHeader(h)) << "no acknowledgement";
  writeFaults("");
  EXPECT_TRUE(device->ReadHeader(h));

  writeFaults("torn 1\nbogus 3\n");
  EXPECT_EQ(sim->Faults().tornOneIn, 1);
  EXPECT_EQ(sim->FaultsError(), "line 2: not a fault: bogus 3");
  const int running = Current();
  const auto first = ReadRaw(running);
  EXPECT_EQ(first[1], 0xEE) << "caught half rewritten";
  HistoryRow row;
  EXPECT_FALSE(DecodeWeatherRecord(std::span<const std::uint8_t, 16>(first.data(), 16), row));
  writeFaults("");
  const auto second = ReadRaw(running);
  EXPECT_TRUE(DecodeWeatherRecord(std::span<const std::uint8_t, 16>(second.data(), 16), row))
      << "whole again on the next read";

  writeFaults("lose 1\n");
  EXPECT_EQ(sim->Faults().loseOneIn, 1);
  std::vector<std::uint8_t> lost(32, 0x11);
  int length = 32;
  device->Link().ReadBlocks(0, lost.data(), length);
  EXPECT_EQ(lost, std::vector<std::uint8_t>(32, 0x11)) << "no report arrived";
}

TEST_F(SimulatedStationTest, ConnectionWatchAndMonitorReadsMayRunOnTwoThreads) {
  ASSERT_TRUE(Open(Options(1))) << openError;
  std::atomic<bool> done{false};
  std::thread watch([&] {
    while (!done.load()) {
      device->UpdateConnection();
      realMs += 10;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  for (int i = 0; i < 100; ++i) {
    if (i == 10) sim->SetFaults(sim::SimFaults{.loseOneIn = 3});
    if (i == 13) sim->SetFaults(sim::SimFaults{});
    HeaderRecord h;
    device->ReadHeader(h);
  }
  done = true;
  watch.join();
  HeaderRecord h;
  EXPECT_TRUE(device->ReadHeader(h));
  EXPECT_EQ(h[hdr::kMarker55], "1");
}

TEST_F(SimulatedStationTest, ForeignOrBrokenImagesAreLeftAloneWithTheReason) {
  std::filesystem::create_directories(folder / "station");
  const auto image = folder / "station" / "station.img";
  std::ofstream(image, std::ios::binary) << std::string(100, 'x');
  EXPECT_FALSE(Open(Options()));
  EXPECT_NE(openError.find("65536"), std::string::npos) << openError;
  EXPECT_EQ(std::filesystem::file_size(image), 100u);

  std::ofstream(image, std::ios::binary | std::ios::trunc) << std::string(65536, '\0');
  EXPECT_FALSE(Open(Options()));
  EXPECT_NE(openError.find("not the memory of a station in service"), std::string::npos) << openError;
  EXPECT_EQ(test::ReadFileBytes(image), std::string(65536, '\0'));

  SimOptions blocked = Options();
  blocked.folder = image / "sub";
  EXPECT_FALSE(Open(blocked));
  EXPECT_NE(openError.find("cannot create the station folder"), std::string::npos) << openError;
}

TEST_F(SimulatedStationTest, AnUnreadableStateIsSetAsideAndSaidSo) {
  ASSERT_TRUE(Open(Options(1))) << openError;
  EXPECT_EQ(sim->OpenNotice(), "");
  Close();
  const auto state = folder / "station" / "station.state";
  const std::string broken = "seed=77\nstationTime=12x\n";
  std::ofstream(state, std::ios::binary | std::ios::trunc) << broken;

  ASSERT_TRUE(Open(Options(1))) << openError;
  EXPECT_EQ(sim->OpenNotice(), state.string() + ": line 2 is broken: stationTime=12x; kept as "
                               "station.state.bad, and the station's weather starts anew");
  EXPECT_EQ(test::ReadFileBytes(folder / "station" / "station.state.bad"), broken);
  Close();
  EXPECT_NE(test::ReadFileBytes(state), broken);  // a new state beside the kept one

  // A second broken state does not take the first one's place.
  std::ofstream(state, std::ios::binary | std::ios::trunc) << "garbage";
  ASSERT_TRUE(Open(Options(1))) << openError;
  EXPECT_NE(sim->OpenNotice().find("kept as station.state.bad.2,"), std::string::npos)
      << sim->OpenNotice();
  EXPECT_EQ(test::ReadFileBytes(folder / "station" / "station.state.bad"), broken);
  EXPECT_EQ(test::ReadFileBytes(folder / "station" / "station.state.bad.2"), "garbage");
}

TEST_F(SimulatedStationTest, ImageWithoutStateIsTakenOverAsItStands) {
  ASSERT_TRUE(Open(Options(1))) << openError;
  const int count = Count();
  const int current = Current();
  Close();
  std::filesystem::remove(folder / "station" / "station.state");
  ASSERT_TRUE(Open(Options(1))) << openError;
  EXPECT_EQ(Count(), count);
  EXPECT_EQ(Current(), current);
  PassStationMinutes(5);
  EXPECT_EQ(Current(), current + 16);
}

}  // namespace
}  // namespace skyvane
