#include "core/station/station_link.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "core/transfer/report_format.h"
#include "core/transfer/virtual_station.h"

namespace skyvane {
namespace {

using report::Report;

// A link over a virtual station whose memory holds address-derived bytes.
class StationLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<VirtualStation>();
    station = owned.get();
    for (int a = 0; a < 0x10000; ++a) {
      station->Memory().Set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 7 + (a >> 8)));
    }
    link = std::make_unique<StationLink>(std::move(owned), false);
    ASSERT_TRUE(link->FindStation(0x1941, 0x8021));
  }

  std::uint8_t MemoryAt(int address) { return station->Memory().Get(static_cast<std::uint16_t>(address)); }

  std::vector<Report> Commands() {
    std::vector<Report> commands;
    for (const auto& r : station->ReceivedReports()) {
      if (r[0] == report::kReadBlock || r[0] == report::kWriteBlock || r[0] == report::kWriteByte) {
        commands.push_back(r);
      }
    }
    return commands;
  }

  VirtualStation* station = nullptr;
  std::unique_ptr<StationLink> link;
};

TEST_F(StationLinkTest, ReadSendsOneCommandPerBlockAndRoundsLengthUp) {
  std::array<std::uint8_t, 64> dest{};
  int length = 64;
  ASSERT_TRUE(link->ReadBlocks(0x20, dest.data(), length));
  EXPECT_EQ(length, 64);
  const std::vector<Report> expected = {{0xA1, 0x00, 0x20, 0x20, 0xA1, 0x00, 0x20, 0x20},
                                        {0xA1, 0x00, 0x40, 0x20, 0xA1, 0x00, 0x40, 0x20}};
  EXPECT_EQ(station->ReceivedReports(), expected);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(dest[i], MemoryAt(0x20 + i)) << i;

  int forty = 40;
  ASSERT_TRUE(link->ReadBlocks(0x20, dest.data(), forty));
  EXPECT_EQ(forty, 64);
  EXPECT_EQ(station->ReceivedReports().size(), 4u);
}

TEST_F(StationLinkTest, ReadWrapsAtTheEndOfTheAddressSpace) {
  std::array<std::uint8_t, 64> dest{};
  int length = 64;
  ASSERT_TRUE(link->ReadBlocks(0xFFE0, dest.data(), length));
  const std::vector<Report> expected = {{0xA1, 0xFF, 0xE0, 0x20, 0xA1, 0xFF, 0xE0, 0x20},
                                        {0xA1, 0x00, 0x00, 0x20, 0xA1, 0x00, 0x00, 0x20}};
  EXPECT_EQ(station->ReceivedReports(), expected);
  EXPECT_EQ(dest[31], MemoryAt(0xFFFF));
  EXPECT_EQ(dest[32], MemoryAt(0x0000));
}

TEST_F(StationLinkTest, LostDataReportFailsTheReadAndKeepsStaleBytesOut) {
  std::array<std::uint8_t, 64> dest;
  dest.fill(0xEE);
  station->DropDataReport(7);  // the third report of the second block
  int length = 64;
  EXPECT_FALSE(link->ReadBlocks(0x20, dest.data(), length));
  EXPECT_EQ(length, 32);
  for (int i = 0; i < 32; ++i) ASSERT_EQ(dest[i], MemoryAt(0x20 + i)) << i;
  for (int i = 32; i < 64; ++i) ASSERT_EQ(dest[i], 0xEE) << i;

  dest.fill(0xEE);
  station->DropDataReport(3);  // the third report of the first block
  length = 32;
  EXPECT_FALSE(link->ReadBlocks(0x100, dest.data(), length));
  EXPECT_EQ(length, 0);
  EXPECT_EQ(dest[16], 0xEE);
}

TEST_F(StationLinkTest, CommandThatCannotBeSentEndsTheRead) {
  station->RefuseReportsAfter(1);
  std::array<std::uint8_t, 96> dest{};
  int length = 96;
  EXPECT_FALSE(link->ReadBlocks(0, dest.data(), length));
  EXPECT_EQ(length, 32);
  EXPECT_EQ(Commands().size(), 1u);
}

TEST_F(StationLinkTest, WriteBlocksSendsCommandAndFourDataReports) {
  std::array<std::uint8_t, 32> src;
  for (int i = 0; i < 32; ++i) src[i] = static_cast<std::uint8_t>(0x80 + i);
  int length = 32;
  ASSERT_TRUE(link->WriteBlocks(0x0120, src.data(), length));
  EXPECT_EQ(length, 32);
  const auto received = station->ReceivedReports();
  ASSERT_EQ(received.size(), 5u);
  EXPECT_EQ(received[0], (Report{0xA0, 0x01, 0x20, 0x20, 0xA0, 0x01, 0x20, 0x20}));
  EXPECT_EQ(received[4], (Report{0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F}));
  for (int i = 0; i < 32; ++i) ASSERT_EQ(MemoryAt(0x120 + i), src[i]);
}

TEST_F(StationLinkTest, WrongAcknowledgementFailsButLaterBlocksAreStillWritten) {
  station->SendWrongAcknowledgement({0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0x00});
  std::array<std::uint8_t, 64> src;
  src.fill(0x3C);
  int length = 64;
  EXPECT_FALSE(link->WriteBlocks(0x40, src.data(), length));
  EXPECT_EQ(length, 64);
  EXPECT_EQ(Commands().size(), 2u);
  EXPECT_EQ(MemoryAt(0x7F), 0x3C);

  length = 32;
  EXPECT_TRUE(link->WriteBlocks(0x40, src.data(), length));
}

TEST_F(StationLinkTest, WriteByteSendsTheSettingsMarkCommand) {
  ASSERT_TRUE(link->WriteByte(0x1A, 0xAA));
  const std::vector<Report> expected = {{0xA2, 0x00, 0x1A, 0x20, 0xA2, 0xAA, 0x00, 0x20}};
  EXPECT_EQ(station->ReceivedReports(), expected);
  EXPECT_EQ(MemoryAt(0x1A), 0xAA);

  station->SendWrongAcknowledgement({0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0x00});
  EXPECT_FALSE(link->WriteByte(0x1A, 0x00));
}

TEST_F(StationLinkTest, UnpluggedDuringAWriteFailsAndStoresNothing) {
  const std::uint8_t before = MemoryAt(0x60);
  station->UnplugAfter(3);  // the command and two of the four data reports get through
  std::array<std::uint8_t, 64> src;
  src.fill(0x11);
  int length = 64;
  EXPECT_FALSE(link->WriteBlocks(0x60, src.data(), length));
  EXPECT_EQ(MemoryAt(0x60), before);
  EXPECT_FALSE(link->WriteByte(0x1A, 0xAA));
  EXPECT_FALSE(link->CheckStation());
  EXPECT_EQ(link->deviceHandle, -1);
}

TEST_F(StationLinkTest, SilentStationFailsTheBlockInsteadOfSpinning) {
  station->SetSilent(true);
  // Like the hardware module, each read waits a little for a report; the
  // attempt count alone would then keep the read going for many minutes.
  station->SetReadWait(std::chrono::milliseconds(2));
  std::array<std::uint8_t, 32> dest{};
  int length = 32;
  EXPECT_FALSE(link->ReadBlocks(0, dest.data(), length));
  EXPECT_EQ(length, 0);
}

TEST_F(StationLinkTest, NoOpenStationFailsEveryReportAtOnce) {
  link->deviceHandle = -1;
  std::uint8_t r[8] = {};
  EXPECT_FALSE(link->SendReport(r));
  EXPECT_FALSE(link->ReceiveReport(r));
  std::array<std::uint8_t, 32> buf{};
  int length = 32;
  EXPECT_FALSE(link->ReadBlocks(0, buf.data(), length));
  EXPECT_EQ(length, 0);
  length = 32;
  EXPECT_FALSE(link->WriteBlocks(0, buf.data(), length));
  EXPECT_EQ(length, 0);
  EXPECT_FALSE(link->WriteByte(0x1A, 0xAA));
  EXPECT_TRUE(station->ReceivedReports().empty());
}

TEST_F(StationLinkTest, TraceSeesEveryReportWithItsDirection) {
  std::vector<std::pair<bool, Report>> seen;
  link->SetTrace([&](bool sent, const std::uint8_t* r) {
    Report copy;
    std::copy(r, r + 8, copy.begin());
    seen.emplace_back(sent, copy);
  });
  std::array<std::uint8_t, 32> dest{};
  int length = 32;
  ASSERT_TRUE(link->ReadBlocks(0x08, dest.data(), length));
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_TRUE(seen[0].first);
  EXPECT_EQ(seen[0].second, (Report{0xA1, 0x00, 0x08, 0x20, 0xA1, 0x00, 0x08, 0x20}));
  for (int k = 1; k <= 4; ++k) {
    EXPECT_FALSE(seen[k].first);
    EXPECT_EQ(seen[k].second[0], MemoryAt(0x08 + 8 * (k - 1)));
  }
}

TEST(StationLinkWithoutModule, FindsNoStation) {
  StationLink link(nullptr, false);
  EXPECT_FALSE(link.FindStation(0x1941, 0x8021));
  EXPECT_FALSE(link.CheckStation());
  std::array<std::uint8_t, 32> buf{};
  int length = 32;
  EXPECT_FALSE(link.ReadBlocks(0, buf.data(), length));
}

}  // namespace
}  // namespace skyvane
