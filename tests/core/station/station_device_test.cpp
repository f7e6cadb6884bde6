#include "core/station/station_device.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <thread>

#include "core/station/test_image.h"
#include "core/transfer/virtual_station.h"

namespace skyvane {
namespace {

TEST(StationDeviceConnection, PlugUnplugAndReplug) {
  auto owned = std::make_unique<VirtualStation>(0x1941, 0x8021);
  VirtualStation* station = owned.get();
  station->Unplug();
  StationDevice device(std::move(owned), false, 0x1941, 0x8021);
  EXPECT_FALSE(device.IsConnected());
  EXPECT_TRUE(device.IsWatchEnabled());
  EXPECT_FALSE(device.HasLinkChanged());

  // Nothing plugged in yet.
  EXPECT_FALSE(device.UpdateConnection());
  EXPECT_FALSE(device.HasLinkChanged());
  EXPECT_EQ(device.Link().deviceHandle, -1);

  // Plugged in: found once, then just checked.
  station->Replug();
  EXPECT_TRUE(device.UpdateConnection());
  EXPECT_TRUE(device.IsConnected());
  EXPECT_TRUE(device.HasLinkChanged());
  EXPECT_FALSE(device.IsWatchEnabled());
  device.EnableWatch();
  EXPECT_TRUE(device.IsWatchEnabled());
  EXPECT_TRUE(device.UpdateConnection());
  EXPECT_FALSE(device.HasLinkChanged());

  // Unplugged while connected: one change, then quiet.
  station->Unplug();
  EXPECT_FALSE(device.UpdateConnection());
  EXPECT_TRUE(device.HasLinkChanged());
  EXPECT_FALSE(device.IsConnected());
  EXPECT_EQ(device.Link().deviceHandle, -1);
  EXPECT_FALSE(device.UpdateConnection());
  EXPECT_FALSE(device.HasLinkChanged());

  // Plugged in again: a new handle that works.
  station->Replug();
  EXPECT_TRUE(device.UpdateConnection());
  EXPECT_TRUE(device.HasLinkChanged());
  std::array<std::uint8_t, 32> buf{};
  int length = 32;
  EXPECT_TRUE(device.Link().ReadBlocks(0, buf.data(), length));
}

// The connection watch runs on the user-interface thread while the monitor
// thread reads: a read either fails or delivers the station's bytes.
TEST(StationDeviceConnection, WatchWhileAnotherThreadReads) {
  auto owned = std::make_unique<VirtualStation>(0x1941, 0x8021);
  VirtualStation* station = owned.get();
  for (int a = 0; a < 64; ++a) station->Memory().Set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a + 1));
  StationDevice device(std::move(owned), false, 0x1941, 0x8021);
  ASSERT_TRUE(device.UpdateConnection());

  std::atomic<bool> stop{false};
  int good = 0;
  int wrong = 0;
  std::thread monitor([&] {
    while (!stop) {
      std::array<std::uint8_t, 64> bytes{};
      int length = 64;
      if (!device.Link().ReadBlocks(0, bytes.data(), length)) continue;
      bool same = length == 64;
      for (int a = 0; a < 64; ++a) same = same && bytes[a] == a + 1;
      ++(same ? good : wrong);
    }
  });
  for (int tick = 0; tick < 60; ++tick) {
    if (tick % 20 == 5) station->Unplug();
    if (tick % 20 == 10) station->Replug();
    device.UpdateConnection();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  station->Replug();
  while (!device.UpdateConnection()) {
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  stop = true;
  monitor.join();
  EXPECT_GT(good, 0);
  EXPECT_EQ(wrong, 0);
}

TEST(StationDeviceConnection, WrongIdsFindNothing) {
  StationDevice device(std::make_unique<VirtualStation>(0x1941, 0x8021), false, 0x1941, 0x8022);
  EXPECT_FALSE(device.UpdateConnection());
  EXPECT_FALSE(device.IsConnected());
}

TEST(StationDeviceConnection, NoModuleMeansNoStation) {
  StationDevice device(nullptr, false, 0x1941, 0x8021);
  EXPECT_FALSE(device.UpdateConnection());
  EXPECT_FALSE(device.HasLinkChanged());
}

// Fails any test that reaches the transfer operations.
class ForbiddenTransfer : public Transfer {
 public:
  int FindHandle(int, int) override { return Fail(), -1; }
  std::uint8_t CheckHandle(int) override { return Fail(), 0; }
  std::uint8_t WriteData(int, const std::uint8_t*) override { return Fail(), 0; }
  std::uint8_t ReadData(int, std::uint8_t*) override { return Fail(), 0; }

 private:
  static void Fail() { ADD_FAILURE() << "test mode called a transfer operation"; }
};

class TestModeTest : public ::testing::Test {
 protected:
  void SetUp() override { device.Link().SetTestPause(std::chrono::milliseconds(1)); }
  StationDevice device{std::make_unique<ForbiddenTransfer>(), true, 0x1941, 0x8021};
};

TEST_F(TestModeTest, ConnectedFromTheFirstTickWithoutTheModule) {
  EXPECT_TRUE(device.UpdateConnection());
  EXPECT_TRUE(device.HasLinkChanged());
  EXPECT_TRUE(device.UpdateConnection());
  EXPECT_FALSE(device.HasLinkChanged());
}

TEST_F(TestModeTest, LastRowOfTheImage) {
  std::array<std::uint8_t, 32> dest{};
  int length = 16;
  ASSERT_TRUE(device.Link().ReadBlocks(0x1F0, dest.data(), length));
  EXPECT_EQ(length, 16);
  const std::array<std::uint8_t, 16> lastRow = {0x05, 0x39, 0x50, 0x02, 0x40, 0x88, 0x81, 0x0A,
                                                0x27, 0x34, 0xC0, 0x00, 0x0A, 0xD3, 0x2A, 0x00};
  EXPECT_TRUE(std::equal(lastRow.begin(), lastRow.end(), dest.begin()));
}

TEST_F(TestModeTest, AccessBeyondTheImageReadsZeroAndStoresNothing) {
  std::array<std::uint8_t, 32> dest;
  dest.fill(0xEE);
  int length = 32;
  ASSERT_TRUE(device.Link().ReadBlocks(0x1F0, dest.data(), length));
  EXPECT_EQ(dest[15], 0x00);  // last byte of the image
  for (int i = 16; i < 32; ++i) EXPECT_EQ(dest[i], 0x00) << i;

  std::array<std::uint8_t, 32> src;
  src.fill(0x77);
  length = 32;
  ASSERT_TRUE(device.Link().WriteBlocks(0x1F0, src.data(), length));
  ASSERT_TRUE(device.Link().WriteByte(0x200, 0x77));
  length = 32;
  ASSERT_TRUE(device.Link().ReadBlocks(0x1F0, dest.data(), length));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(dest[i], 0x77) << i;
  for (int i = 16; i < 32; ++i) EXPECT_EQ(dest[i], 0x00) << i;

  // Addresses wrap at 16 bits: the end of the space reads zero, then the header.
  length = 32;
  ASSERT_TRUE(device.Link().ReadBlocks(0xFFF0, dest.data(), length));
  EXPECT_EQ(dest[15], 0x00);
  EXPECT_EQ(dest[16], 0x55);
  EXPECT_EQ(dest[17], 0xAA);
}

TEST_F(TestModeTest, WritesChangeTheRunningImageOnly) {
  ASSERT_TRUE(device.Link().WriteByte(0x1A, 0xAA));
  std::array<std::uint8_t, 32> dest{};
  int length = 32;
  ASSERT_TRUE(device.Link().ReadBlocks(0x00, dest.data(), length));
  EXPECT_EQ(dest[0x1A], 0xAA);
  EXPECT_EQ(dest[0x1B], 0x10);
  EXPECT_EQ(TestImage[0x1A], 0x00);

  StationDevice fresh(nullptr, true, 0x1941, 0x8021);
  fresh.Link().SetTestPause(std::chrono::milliseconds(0));
  length = 32;
  ASSERT_TRUE(fresh.Link().ReadBlocks(0x00, dest.data(), length));
  EXPECT_EQ(dest[0x1A], 0x00);
}

}  // namespace
}  // namespace skyvane
