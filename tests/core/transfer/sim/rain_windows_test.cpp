#include "core/transfer/sim/rain_windows.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/memory/byte_codec.h"

namespace skyvane::sim {
namespace {

// A ring whose records, oldest first, carry these (interval, counter) pairs;
// the last one is the running record.
class RainWindowsTest : public ::testing::Test {
 protected:
  void Fill(const std::vector<std::pair<int, unsigned>>& records, std::uint16_t first) {
    std::uint16_t address = first;
    for (std::size_t i = 0; i < records.size(); ++i) {
      memory[address] = static_cast<std::uint8_t>(records[i].first);
      WriteU16(&memory[address + 13], records[i].second);
      if (i + 1 < records.size()) address = memmap::NextSlot(address);
    }
    WriteU16(&memory[hb::kCurrentAddress.offset], address);
    WriteU16(&memory[hb::kRecordCount.offset], static_cast<long long>(records.size()));
  }
  std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(memmap::kMemorySize, 0);
  ConstMemorySpan Memory() const { return ConstMemorySpan(memory.data(), memmap::kMemorySize); }
};

TEST_F(RainWindowsTest, CountsFromTheRecordThatEndedAtTheWindowsStart) {
  // Thirty-minute records: the running record began at 10:00 (t = 36000).
  std::vector<std::pair<int, unsigned>> records;
  unsigned counter = 100;
  for (int i = 0; i < 60; ++i) records.push_back({30, counter += 2});
  Fill(records, memmap::kRingFirst);
  // now 10:20: the hour window starts at 09:20, so it counts from the record
  // that ended at 09:00, three records behind the running one.
  const RainWindows w = RainInWindows(Memory(), 36000, 36000 + 1200);
  EXPECT_EQ(w.hour, 2 * 3);
  EXPECT_EQ(w.day, 2 * 49);
  EXPECT_EQ(w.week, 2 * 59) << "the week reaches past the oldest record";
}

TEST_F(RainWindowsTest, CounterWrapIsCountedAcross) {
  Fill({{5, 65530}, {5, 65534}, {5, 2}}, 0xFFE0);
  EXPECT_EQ(CurrentAddress(Memory()), 0x100);
  const RainWindows w = RainInWindows(Memory(), 10000, 10000 + 60);
  EXPECT_EQ(w.hour, 8);
}

TEST_F(RainWindowsTest, OnlyTheRunningRecordMeansNoRainKnown) {
  Fill({{5, 777}}, 0x200);
  const RainWindows w = RainInWindows(Memory(), 10000, 10100);
  EXPECT_EQ(w.hour, 0);
  EXPECT_EQ(w.week, 0);
}

}  // namespace
}  // namespace skyvane::sim
