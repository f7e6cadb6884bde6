#include "gui/shell/desktop_station.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/app/app_settings.h"
#include "core/station/station_device.h"
#include "core/transfer/simulated_station.h"
#include "desktop_fixture.h"

namespace skyvane {
namespace {

TEST(DesktopStation, SimulateRunsALiveStationInItsOwnFolder) {
  test::TempFolder dir;
  DesktopOptions options;
  options.simulate = true;
  options.simulateFolder = (dir.path() / "sim").string();
  std::string error;
  auto device = MakeDesktopStation(options, AppSettings{}, dir.path(), error);
  ASSERT_TRUE(device) << error;
  EXPECT_FALSE(device->Link().IsTestMode());
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "sim" / "station.img"));
  EXPECT_TRUE(device->UpdateConnection());
  HeaderRecord header;
  ASSERT_TRUE(device->ReadHeader(header));  // over the real report protocol
  EXPECT_EQ(header[hdr::kMarker55], "1");
}

TEST(DesktopStation, SimulateWithoutAFolderUsesTheProgramFolder) {
  test::TempFolder dir;
  DesktopOptions options;
  options.simulate = true;
  std::string error;
  auto device = MakeDesktopStation(options, AppSettings{}, dir.path(), error);
  ASSERT_TRUE(device) << error;
  EXPECT_TRUE(std::filesystem::exists(DefaultSimulationFolder(dir.path()) / "station.img"));
}

TEST(DesktopStation, AStationImageThatCannotBeUsedIsReported) {
  test::TempFolder dir;
  DesktopOptions options;
  options.stationImage = (dir.path() / "missing.img").string();
  std::string error;
  EXPECT_FALSE(MakeDesktopStation(options, AppSettings{}, dir.path(), error));
  EXPECT_FALSE(error.empty());
  std::ofstream(dir.path() / "short.img") << "not 64 KiB";
  options.stationImage = (dir.path() / "short.img").string();
  error.clear();
  EXPECT_FALSE(MakeDesktopStation(options, AppSettings{}, dir.path(), error));
  EXPECT_FALSE(error.empty());
}

TEST(DesktopStation, TestModeFromTheOptionOrTheConfiguration) {
  test::TempFolder dir;
  std::string error;
  DesktopOptions options;
  options.testMode = true;
  EXPECT_TRUE(MakeDesktopStation(options, AppSettings{}, dir.path(), error)->Link().IsTestMode());
  AppSettings settings;
  settings.testFlag = "TRUE";
  EXPECT_TRUE(MakeDesktopStation(DesktopOptions{}, settings, dir.path(), error)->Link().IsTestMode());
  EXPECT_FALSE(
      MakeDesktopStation(DesktopOptions{}, AppSettings{}, dir.path(), error)->Link().IsTestMode());
}

}  // namespace
}  // namespace skyvane
