#include "core/history/file_busy.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "support/scratch_folder.h"
#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/history/history_support.h"
#include "core/history/rain.h"

namespace skyvane {
namespace {

using namespace std::chrono_literals;
using test::ReadFileBytes;
using testing::StoredRow;

// Another thread takes the file's guard and keeps it until Release.
class OtherThreadHolds {
 public:
  explicit OtherThreadHolds(FileBusy& busy, std::chrono::milliseconds releaseAfter = 0ms) {
    thread_ = std::thread([this, &busy, releaseAfter] {
      FileBusy::Hold hold = busy.HoldWhenFree();
      held_ = true;
      if (releaseAfter > 0ms) {
        std::this_thread::sleep_for(releaseAfter);
        return;
      }
      while (!release_) std::this_thread::sleep_for(1ms);
    });
    while (!held_) std::this_thread::sleep_for(1ms);
  }
  ~OtherThreadHolds() { Release(); }
  void Release() {
    release_ = true;
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::thread thread_;
  std::atomic<bool> held_{false};
  std::atomic<bool> release_{false};
};

TEST(FileBusy, TwoThreadsNeverHoldItTogether) {
  FileBusy busy;
  std::atomic<int> inside{0};
  std::atomic<bool> overlap{false};
  auto work = [&] {
    for (int i = 0; i < 20000; ++i) {
      if (!busy.TryTake()) continue;
      if (inside.fetch_add(1) != 0) overlap = true;
      inside.fetch_sub(1);
      busy.Release();
    }
  };
  std::thread a(work), b(work);
  a.join();
  b.join();
  EXPECT_FALSE(overlap);
  EXPECT_FALSE(busy.IsSet());
}

TEST(FileBusy, TheHolderMayTakeItAgain) {
  FileBusy busy;
  ASSERT_TRUE(busy.TryTake());
  EXPECT_TRUE(busy.TryTake());
  busy.Release();
  EXPECT_TRUE(busy.IsSet());  // still held once
  std::thread([&] { EXPECT_FALSE(busy.Take(1, 1ms)); }).join();
  busy.Release();
  EXPECT_FALSE(busy.IsSet());
  std::thread([&] {
    EXPECT_TRUE(busy.TryTake());
    busy.Release();
  }).join();
}

TEST(FileBusy, AWaitEndsWhenTheHolderLetsGoNotWhenItsPauseIsOver) {
  FileBusy busy;
  ASSERT_TRUE(busy.TryTake());
  auto other = std::async(std::launch::async, [&] {
    const bool got = busy.Take(1, std::chrono::hours(1));
    if (got) busy.Release();
    return got;
  });
  std::this_thread::sleep_for(20ms);  // its first attempt fails meanwhile
  busy.Release();
  EXPECT_TRUE(other.get());  // a take that sleeps between attempts would sleep out the hour
  EXPECT_FALSE(busy.IsSet());
}

class BusyFileTest : public ::testing::Test {
 protected:
  BusyFileTest() : clock_(test::LocalTime(2024, 3, 1, 12, 0, 5)), file_(clock_) {
    HistoryRow r = StoredRow("2024-03-01 11:55:00");
    r[row::sequenceNo] = "   7";
    content_ = FormatRowLine(r, "2024-03-01 12:00:00");
    test::WriteFileBytes(Path(), content_);
    file_.OpenFile(Path());
  }
  std::string Path() const { return (folder_ / "Skyvane.dat").string(); }

  test::ScratchFolder folder_;
  FixedClock clock_;
  HistoryFile file_;
  std::string content_;
};

TEST_F(BusyFileTest, StoreOperationsGiveUpWithoutTouchingAnything) {
  OtherThreadHolds other(file_.fileBusy());
  HistoryTable grid;
  grid.Append(StoredRow("x"));
  HistoryRowArray rows(2);
  HistoryTable table;
  EXPECT_EQ(file_.SearchToGrid(grid, "2000-01-01 00:00:00", "2099-01-01 00:00:00"), 1);
  EXPECT_EQ(grid.size(), 1u);
  EXPECT_EQ(grid.Field(0, row::recordTime), "x");
  EXPECT_EQ(file_.LoadRange(rows, "2000-01-01 00:00:00", "2099-01-01 00:00:00"), 1);
  EXPECT_EQ(file_.LoadAll(rows), 1);
  EXPECT_EQ(rows, HistoryRowArray(2));
  EXPECT_EQ(file_.LoadAll(table), 1);
  EXPECT_TRUE(table.empty());
  // Writes report that nothing was written: the rows come again next cycle.
  EXPECT_FALSE(file_.AppendRows({StoredRow("2024-03-01 12:00:00")}));
  EXPECT_FALSE(file_.ClearAll());
  EXPECT_EQ(ReadFileBytes(Path()), content_);
}

TEST_F(BusyFileTest, RainIsNotComputedFromAHistoryThatCouldNotBeRead) {
  OtherThreadHolds other(file_.fileBusy());
  HistoryRowArray rows = {StoredRow("2024-03-01 12:00:00", "30.3", "x", "x")};
  const HistoryRowArray before = rows;
  int texts = 0;
  EXPECT_FALSE(ComputeRainForNew(file_, rows, "Compute history rain data",
                                 [&](const std::string&) { ++texts; }));
  EXPECT_EQ(rows, before);  // not to be stored with totals from 0
  EXPECT_EQ(texts, 0);

  HistoryRow current = StoredRow("", "30.3");
  EXPECT_FALSE(ComputeRainForCurrent(file_, current));
  EXPECT_EQ(current[row::rainHour], "---");
  EXPECT_EQ(current[row::rainTotal], "---");
  EXPECT_EQ(current[row::rain], "30.3");
}

TEST_F(BusyFileTest, AStoreOperationGetsTheFileWhenItIsFreedWithinTheWaits) {
  OtherThreadHolds other(file_.fileBusy(), 50ms);
  EXPECT_TRUE(file_.AppendRows({StoredRow("2024-03-01 12:00:00")}));
  EXPECT_EQ(file_.LastSequenceNo(), 8);
}

TEST_F(BusyFileTest, LastLineReadsWaitForTheOtherThread) {
  OtherThreadHolds other(file_.fileBusy());
  auto last = std::async(std::launch::async, [&] {
    HistoryRow r;
    return file_.LoadLastRow(r) ? r[row::sequenceNo] : std::string("none");
  });
  auto number = std::async(std::launch::async, [&] { return file_.LastSequenceNo(); });
  EXPECT_EQ(last.wait_for(400ms), std::future_status::timeout);  // beyond the three waits
  EXPECT_EQ(number.wait_for(0ms), std::future_status::timeout);
  other.Release();
  EXPECT_EQ(last.get(), "7");
  EXPECT_EQ(number.get(), 7);
}

TEST_F(BusyFileTest, TheHoldingThreadRunsStoreOperationsInside) {
  FileBusy::Hold hold = file_.fileBusy().HoldWhenFree();
  EXPECT_TRUE(file_.AppendRows({StoredRow("2024-03-01 12:00:00")}));
  HistoryRowArray all;
  EXPECT_EQ(file_.LoadAll(all), 2);
  EXPECT_EQ(file_.LastSequenceNo(), 8);
  EXPECT_TRUE(file_.IsFileBusy());
}

}  // namespace
}  // namespace skyvane
