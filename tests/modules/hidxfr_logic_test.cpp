// libhidxfr.so's handle table and report handling, over the hidapi stand-in.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "core/station/station_device.h"
#include "core/transfer/report_format.h"
#include "hidapi_stand_in.h"
#include "hidxfr.h"

namespace skyvane {
namespace {

using report::Report;

// The module's exports behind the transfer interface, as the loader would call them.
class ExportsTransfer : public Transfer {
 public:
  int FindHandle(int v, int p) override { return ::FindHandle(v, p); }
  std::uint8_t CheckHandle(int h) override { return ::CheckHandle(h); }
  std::uint8_t WriteData(int h, const std::uint8_t* r) override {
    unsigned char copy[8];
    std::copy(r, r + 8, copy);
    return ::WriteData(h, copy);
  }
  std::uint8_t ReadData(int h, std::uint8_t* r) override { return ::ReadData(h, r); }
};

class HidxfrTest : public ::testing::Test {
 protected:
  void SetUp() override {
    standin::state() = standin::State{};
    standin::state().station = &station;
    for (int a = 0; a < 0x10000; ++a) station.Memory().Set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a + 0x40));
  }
  void TearDown() override {
    // A vanished device is closed by CheckHandle: leave no handle open for the next test.
    station.Unplug();
    for (int h = 1; h <= 8; ++h) CheckHandle(h);
    EXPECT_EQ(standin::state().openDevices, 0);
    standin::state() = standin::State{};
  }

  VirtualStation station{0x1941, 0x8021};
};

TEST_F(HidxfrTest, WritesCarryReportIdZeroAndReadsWaitBriefly) {
  const int h = FindHandle(0x1941, 0x8021);
  ASSERT_GE(h, 1);
  auto command = report::ReadBlockCommand(0x0120);
  ASSERT_EQ(WriteData(h, command.data()), 1);
  ASSERT_EQ(standin::state().writes.size(), 1u);
  const std::vector<unsigned char> expected = {0x00, 0xA1, 0x01, 0x20, 0x20, 0xA1, 0x01, 0x20, 0x20};
  EXPECT_EQ(standin::state().writes[0], expected);

  unsigned char data[8];
  for (int k = 0; k < 4; ++k) {
    ASSERT_EQ(ReadData(h, data), 1) << k;
    EXPECT_EQ(data[0], static_cast<std::uint8_t>(0x0120 + 8 * k + 0x40));
  }
  std::fill(std::begin(data), std::end(data), 0xEE);
  EXPECT_EQ(ReadData(h, data), 0);  // nothing more: the read times out
  EXPECT_EQ(data[0], 0xEE);
  for (int wait : standin::state().readWaits) {
    EXPECT_GT(wait, 0);
    EXPECT_LE(wait, 100);
  }
}

TEST_F(HidxfrTest, NoDeviceGivesMinusOne) {
  EXPECT_EQ(FindHandle(0x1941, 0x8022), -1);
  EXPECT_EQ(FindHandle(0x1942, 0x8021), -1);
  station.Unplug();
  EXPECT_EQ(FindHandle(0x1941, 0x8021), -1);
  EXPECT_EQ(standin::state().opens, 0);
}

TEST_F(HidxfrTest, BadHandlesGiveZero) {
  const int h = FindHandle(0x1941, 0x8021);
  ASSERT_GE(h, 1);
  unsigned char data[8] = {0xA1, 0, 0, 0x20, 0xA1, 0, 0, 0x20};
  for (int bad : {-1, 0, h + 1, 9, 100000}) {
    EXPECT_EQ(CheckHandle(bad), 0) << bad;
    EXPECT_EQ(WriteData(bad, data), 0) << bad;
    EXPECT_EQ(ReadData(bad, data), 0) << bad;
  }
  EXPECT_EQ(WriteData(h, nullptr), 0);
  EXPECT_EQ(ReadData(h, nullptr), 0);
  EXPECT_TRUE(standin::state().writes.empty());
  EXPECT_EQ(CheckHandle(h), 1);
}

TEST_F(HidxfrTest, SameDeviceKeepsItsHandle) {
  const int h = FindHandle(0x1941, 0x8021);
  EXPECT_EQ(FindHandle(0x1941, 0x8021), h);
  EXPECT_EQ(standin::state().opens, 1);
}

TEST_F(HidxfrTest, DeviceThatDisappearsIsClosedAndItsHandleDies) {
  const int h = FindHandle(0x1941, 0x8021);
  ASSERT_GE(h, 1);
  station.Unplug();
  unsigned char data[8] = {};
  EXPECT_EQ(ReadData(h, data), 0);  // the read reports the device gone
  EXPECT_EQ(CheckHandle(h), 0);
  EXPECT_EQ(standin::state().openDevices, 0);
  auto command = report::ReadBlockCommand(0);
  EXPECT_EQ(WriteData(h, command.data()), 0);

  // Unplugged while idle: found gone by CheckHandle alone.
  station.Replug();
  const int again = FindHandle(0x1941, 0x8021);
  ASSERT_GE(again, 1);
  EXPECT_EQ(CheckHandle(again), 1);
  station.Unplug();
  EXPECT_EQ(CheckHandle(again), 0);
  EXPECT_EQ(standin::state().openDevices, 0);
}

TEST_F(HidxfrTest, StationLinkWorksThroughTheModule) {
  StationDevice device(std::make_unique<ExportsTransfer>(), false, 0x1941, 0x8021);
  ASSERT_TRUE(device.UpdateConnection());
  std::array<std::uint8_t, 64> bytes{};
  int length = 40;
  ASSERT_TRUE(device.Link().ReadBlocks(0x0020, bytes.data(), length));
  EXPECT_EQ(length, 64);
  EXPECT_EQ(bytes[0], 0x60);
  EXPECT_EQ(bytes[63], static_cast<std::uint8_t>(0x5F + 0x40));

  bytes.fill(0x5A);
  length = 32;
  ASSERT_TRUE(device.Link().WriteBlocks(0x0100, bytes.data(), length));
  EXPECT_EQ(station.Memory().Get(0x011F), 0x5A);
  ASSERT_TRUE(device.Link().WriteByte(0x1A, 0xAA));
  EXPECT_EQ(station.Memory().Get(0x1A), 0xAA);

  station.Unplug();
  EXPECT_FALSE(device.UpdateConnection());
  EXPECT_TRUE(device.HasLinkChanged());
  station.Replug();
  EXPECT_TRUE(device.UpdateConnection());
  length = 32;
  EXPECT_TRUE(device.Link().ReadBlocks(0, bytes.data(), length));
}

}  // namespace
}  // namespace skyvane
