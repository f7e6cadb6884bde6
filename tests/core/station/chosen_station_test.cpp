#include "core/station/chosen_station.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "core/app/app_settings.h"
#include "core/station/station_device.h"
#include "core/transfer/simulated_station.h"
#include "core/transfer/station_memory.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

AppSettings TestSwitch(const char* flag) {
  AppSettings settings;
  settings.testFlag = flag;
  return settings;
}

// A station image of a station in service, from a simulated one.
std::filesystem::path InServiceImage(const test::ScratchFolder& folder) {
  StationOptions options;
  options.simulate = folder / "sim";
  EXPECT_TRUE(OpenChosenStation(options, AppSettings{}, folder.path()).device);
  return folder / "sim" / kSimImageName;
}

TEST(ChosenStation, SimulateRunsALiveStationInItsOwnFolder) {
  test::ScratchFolder dir;
  StationOptions options;
  options.simulate = dir / "sim";
  options.simSeed = 1234;
  ChosenStation chosen = OpenChosenStation(options, AppSettings{}, dir.path());
  ASSERT_TRUE(chosen.device) << chosen.error;
  EXPECT_TRUE(chosen.notes.empty());
  EXPECT_FALSE(chosen.device->Link().IsTestMode());
  auto* sim = dynamic_cast<SimulatedStation*>(chosen.device->Link().transfer());
  ASSERT_NE(sim, nullptr);
  EXPECT_EQ(sim->State().seed, 1234u);
  EXPECT_TRUE(std::filesystem::exists(dir / "sim" / "station.img"));
  EXPECT_TRUE(chosen.device->UpdateConnection());
  HeaderRecord header;
  ASSERT_TRUE(chosen.device->ReadHeader(header));  // over the real report protocol
  EXPECT_EQ(header[hdr::kMarker55], "1");
}

// A station that runs a million times faster than real time is far ahead of
// the wall clock at once: the program's "now" must be the station's, or its
// records would look as if they came from the future.
TEST(ChosenStation, ASimulatedStationsTimeIsTheProgramsClock) {
  test::ScratchFolder dir;
  StationOptions options;
  options.simulate = dir / "sim";
  options.simSpeed = 1000000;
  ChosenStation chosen = OpenChosenStation(options, AppSettings{}, dir.path());
  ASSERT_TRUE(chosen.device && chosen.clock) << chosen.error;
  auto* sim = dynamic_cast<SimulatedStation*>(chosen.device->Link().transfer());
  ASSERT_NE(sim, nullptr);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // 20,000 station seconds
  const std::int64_t before = sim->StationTime();
  const std::int64_t now = chosen.clock->Now();
  EXPECT_LE(before, now);
  EXPECT_LE(now, sim->StationTime());
  EXPECT_TRUE(OpenChosenStation(StationOptions{}, AppSettings{}, dir.path()).clock);
}

// Beside the program that polls the folder, its station files stay untouched.
TEST(ChosenStation, LookingOnlyOpensNeitherASimulatedStationNorAnImage) {
  test::ScratchFolder dir;
  const std::filesystem::path image = InServiceImage(dir);
  const std::string before = test::ReadFileBytes(image);
  StationOptions simulate;
  simulate.simulate = dir / "other";
  StationOptions named;
  named.stationImage = image;
  for (const StationOptions& options : {simulate, named}) {
    ChosenStation chosen = OpenChosenStation(options, AppSettings{}, dir.path(), StationUse::kLookOnly);
    ASSERT_TRUE(chosen.device && chosen.clock) << chosen.error;
    EXPECT_EQ(dynamic_cast<SimulatedStation*>(chosen.device->Link().transfer()), nullptr);
    EXPECT_FALSE(chosen.device->UpdateConnection());
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "other"));
  EXPECT_EQ(test::ReadFileBytes(image), before);
}

TEST(ChosenStation, SimulateWithoutAFolderUsesTheProgramFolder) {
  test::ScratchFolder dir;
  StationOptions options;
  options.simulate = std::filesystem::path();
  ChosenStation chosen = OpenChosenStation(options, AppSettings{}, dir.path());
  ASSERT_TRUE(chosen.device) << chosen.error;
  EXPECT_TRUE(std::filesystem::exists(DefaultSimulationFolder(dir.path()) / "station.img"));
}

TEST(ChosenStation, AStationImageThatCannotBeUsedIsReported) {
  test::ScratchFolder dir;
  StationOptions options;
  options.stationImage = dir / "missing.img";
  ChosenStation chosen = OpenChosenStation(options, AppSettings{}, dir.path());
  EXPECT_FALSE(chosen.device);
  EXPECT_FALSE(chosen.error.empty());
  std::ofstream(dir / "short.img") << "not 64 KiB";
  options.stationImage = dir / "short.img";
  chosen = OpenChosenStation(options, AppSettings{}, dir.path());
  EXPECT_FALSE(chosen.device);
  EXPECT_FALSE(chosen.error.empty());
}

TEST(ChosenStation, TestModeFromTheOptionOrTheSwitchButNeverOnANamedStation) {
  test::ScratchFolder dir;
  StationOptions testImage;
  testImage.testMode = true;
  ChosenStation chosen = OpenChosenStation(testImage, AppSettings{}, dir.path());
  EXPECT_TRUE(chosen.device->Link().IsTestMode());
  EXPECT_TRUE(chosen.notes.empty());
  chosen = OpenChosenStation(StationOptions{}, TestSwitch("TRUE"), dir.path());
  EXPECT_TRUE(chosen.device->Link().IsTestMode());
  EXPECT_TRUE(chosen.notes.empty());
  EXPECT_FALSE(OpenChosenStation(StationOptions{}, AppSettings{}, dir.path()).device->Link().IsTestMode());

  StationOptions image;
  image.stationImage = InServiceImage(dir);
  chosen = OpenChosenStation(image, TestSwitch("1"), dir.path());
  ASSERT_TRUE(chosen.device) << chosen.error;
  EXPECT_FALSE(chosen.device->Link().IsTestMode());
  EXPECT_EQ(chosen.notes, std::vector<std::string>{
                              "TestFlag in Skyvane.ini is ignored with --station-image: test mode "
                              "runs only on the built-in test image"});
  chosen = OpenChosenStation(image, TestSwitch("false"), dir.path());
  EXPECT_TRUE(chosen.notes.empty());

  StationOptions simulate;
  simulate.simulate = dir / "sim";
  chosen = OpenChosenStation(simulate, TestSwitch("true"), dir.path());
  ASSERT_TRUE(chosen.device) << chosen.error;
  EXPECT_FALSE(chosen.device->Link().IsTestMode());
  EXPECT_EQ(chosen.notes, std::vector<std::string>{
                              "TestFlag in Skyvane.ini is ignored with --simulate: test mode "
                              "runs only on the built-in test image"});
}

TEST(ChosenStation, AnUnreadableSimulatorStateIsANote) {
  test::ScratchFolder dir;
  InServiceImage(dir);
  std::ofstream(dir / "sim" / kSimStateName, std::ios::trunc) << "seed=1\n";
  StationOptions options;
  options.simulate = dir / "sim";
  ChosenStation chosen = OpenChosenStation(options, AppSettings{}, dir.path());
  ASSERT_TRUE(chosen.device) << chosen.error;
  ASSERT_EQ(chosen.notes.size(), 1u);
  EXPECT_EQ(chosen.notes[0], (dir / "sim" / kSimStateName).string() +
                                 ": seed or station time missing; kept as station.state.bad, "
                                 "and the station's weather starts anew");
}

}  // namespace
}  // namespace skyvane
