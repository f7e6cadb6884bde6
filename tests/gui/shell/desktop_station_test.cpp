#include "gui/shell/desktop_station.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/app/app_settings.h"
#include "core/station/station_device.h"
#include "core/transfer/station_memory.h"
#include "desktop_fixture.h"

namespace skyvane {
namespace {

TEST(DesktopStation, SimulateSeedsAnImageAndTalksTheReportProtocol) {
  test::TempFolder dir;
  DesktopOptions options;
  options.simulate = true;
  options.simulateFolder = (dir.path() / "sim").string();
  std::string error;
  auto device = MakeDesktopStation(options, AppSettings{}, dir.path(), error);
  ASSERT_TRUE(device) << error;
  EXPECT_FALSE(device->Link().IsTestMode());
  const auto image = dir.path() / "sim" / "Skyvane-station.img";
  ASSERT_TRUE(std::filesystem::exists(image));
  EXPECT_EQ(std::filesystem::file_size(image), 65536u);
  EXPECT_TRUE(device->UpdateConnection());
  HeaderRecord header;
  ASSERT_TRUE(device->ReadHeader(header));
  EXPECT_EQ(header[hdr::kMarker55], "1");
  EXPECT_EQ(header[hdr::kCurrentAddress], "496");  // 0x1F0
}

TEST(DesktopStation, SimulateKeepsAnExistingImage) {
  test::TempFolder dir;
  StationMemory memory;
  memory.Set(0, 0x55);
  memory.Set(1, 0xAA);
  memory.Set(0x1E, 0x00);
  memory.Set(0x1F, 0x02);  // current record at 0x200
  std::string error;
  ASSERT_TRUE(memory.Save(dir.path() / "Skyvane-station.img", error)) << error;
  DesktopOptions options;
  options.simulate = true;
  auto device = MakeDesktopStation(options, AppSettings{}, dir.path(), error);
  ASSERT_TRUE(device) << error;
  device->UpdateConnection();
  HeaderRecord header;
  ASSERT_TRUE(device->ReadHeader(header));
  EXPECT_EQ(header[hdr::kCurrentAddress], "512");
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
