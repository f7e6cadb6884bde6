#include "core/history/rain.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <random>

#include "support/scratch_folder.h"
#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/history/history_support.h"
#include "core/history/rain_walk.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

using test::LocalTime;
using test::LocalStamp;
using testing::StoredRow;

const std::time_t kNoon = LocalTime(2024, 3, 1, 12, 0, 0);

HistoryRow Older(std::time_t at, const std::string& rain, const std::string& increment,
                 const std::string& total) {
  return StoredRow(LocalStamp(at), rain, increment, total);
}

HistoryRow Target(const std::string& rain, std::time_t at = kNoon) {
  return StoredRow(LocalStamp(at), rain, "x", "x");
}

// increment, hour, 24 hours, week, 30 days, total
std::vector<std::string> Sums(const HistoryRow& r) {
  return {r[row::rainIncrement], r[row::rainHour], r[row::rain24h],
          r[row::rainWeek],      r[row::rainMonth], r[row::rainTotal]};
}

TEST(ComputeRain, EmptyHistoryGivesZeros) {
  HistoryRow t = Target("100.8");
  EXPECT_TRUE(ComputeRain(t, {}, kNoon));
  EXPECT_EQ(Sums(t), std::vector<std::string>(6, "0.0"));
  EXPECT_EQ(t[row::rain], "100.8");
}

TEST(ComputeRain, IncrementTotalAndTheHourClosingAtTheFirstRowBeyondIt) {
  HistoryRow t = Target("100.8");
  const HistoryRow r = Older(kNoon - 600, "100.2", "0.3", "12.0");
  ASSERT_TRUE(ComputeRain(t, {r}, kNoon));
  EXPECT_EQ(Sums(t), (std::vector<std::string>{"0.6", "0.6", "0.6", "0.6", "0.6", "12.6"}));

  HistoryRow t2 = Target("100.8");
  ASSERT_TRUE(ComputeRain(t2, {Older(kNoon - 7200, "99.9", "0.3", "11.7"), r}, kNoon));
  // The hour closes with the row two hours back: 0.6 + 0.3. That row's own
  // increment is in no window.
  EXPECT_EQ(Sums(t2), (std::vector<std::string>{"0.6", "0.9", "0.9", "0.9", "0.9", "12.6"}));
}

TEST(ComputeRain, CounterWrapContinuesTheRainValue) {
  HistoryRow t = Target("0.3");
  ASSERT_TRUE(ComputeRain(t, {Older(kNoon - 300, "19659.9", "0.0", "500.0")}, kNoon));
  EXPECT_EQ(t[row::rainIncrement], "1.2");
  EXPECT_EQ(t[row::rain], "19661.1");
  EXPECT_EQ(t[row::rainTotal], "501.2");

  // The next record compares with the raised value and goes on from it.
  HistoryRow next = Target("0.6", kNoon + 300);
  ASSERT_TRUE(ComputeRain(next, {Older(kNoon, "19661.1", "1.2", "501.2")}, kNoon));
  EXPECT_EQ(next[row::rainIncrement], "0.3");
  EXPECT_EQ(next[row::rain], "19661.4");

  // No rain since a raised row: the counter stands still, the row is raised too.
  HistoryRow dry = Target("5.1", kNoon + 600);
  ASSERT_TRUE(ComputeRain(dry, {Older(kNoon + 300, "19665.9", "0.0", "501.5")}, kNoon));
  EXPECT_EQ(dry[row::rain], "19665.9");
  EXPECT_EQ(dry[row::rainIncrement], "0.0");
  EXPECT_EQ(dry[row::rainTotal], "501.5");

  // A fall that no single wrap explains counts as 0 and raises nothing.
  HistoryRow far = Target("0.3");
  ASSERT_TRUE(ComputeRain(far, {Older(kNoon - 300, "39321.3", "0.0", "9.0")}, kNoon));
  EXPECT_EQ(far[row::rainIncrement], "0.0");
  EXPECT_EQ(far[row::rain], "0.3");
  EXPECT_EQ(far[row::rainTotal], "9.0");
}

TEST(ComputeRain, RisesUpTo153Point6CountAndLargerOnesDoNot) {
  auto increment = [](const std::string& now, const std::string& before) {
    HistoryRow t = Target(now);
    ComputeRain(t, {Older(kNoon - 300, before, "0.0", "1.0")}, kNoon);
    return t[row::rainIncrement] + "/" + t[row::rainTotal];
  };
  EXPECT_EQ(increment("50.0", "10.0"), "40.0/41.0");
  EXPECT_EQ(increment("50.0", "5000.0"), "0.0/1.0");
  EXPECT_EQ(increment("253.6", "100.0"), "153.6/154.6");
  EXPECT_EQ(increment("253.7", "100.0"), "0.0/1.0");
  // A wrap that comes out above the bound raises nothing.
  HistoryRow t = Target("160.0");
  ComputeRain(t, {Older(kNoon - 300, "19600.0", "0.0", "1.0")}, kNoon);
  EXPECT_EQ(t[row::rainIncrement], "0.0");
  EXPECT_EQ(t[row::rain], "160.0");
}

TEST(ComputeRain, TargetWithoutRainGetsNoValueEverywhere) {
  for (const char* rain : {"---", "", "-32767"}) {
    HistoryRow t = Target(rain);
    EXPECT_FALSE(ComputeRain(t, {Older(kNoon - 300, "10.0", "0.0", "1.0")}, kNoon)) << rain;
    EXPECT_EQ(Sums(t), std::vector<std::string>(6, "---"));
    EXPECT_EQ(t[row::rain], "---");
  }
}

TEST(ComputeRain, RowsWithoutRainArePassedOverEvenForTheWindows) {
  HistoryRow t = Target("11.0");
  ASSERT_TRUE(ComputeRain(t,
                          {Older(kNoon - 7200, "10.0", "0.5", "3.0"),
                           Older(kNoon - 3600, "", "9.9", "99.0"),
                           Older(kNoon - 600, "---", "9.9", "99.0")},
                          kNoon));
  // The row two hours back is the first with rain: it gives the increment and
  // closes the hour with the increment alone.
  EXPECT_EQ(Sums(t), (std::vector<std::string>{"1.0", "1.0", "1.0", "1.0", "1.0", "4.0"}));
}

TEST(ComputeRain, AllWithinTheHourMakesHourEqualMonthWithoutTheOldestIncrement) {
  HistoryRow t = Target("12.0");
  ASSERT_TRUE(ComputeRain(t,
                          {Older(kNoon - 1800, "10.0", "5.0", "20.0"),
                           Older(kNoon - 1200, "11.0", "1.0", "21.0"),
                           Older(kNoon - 600, "11.4", "0.4", "21.4")},
                          kNoon));
  EXPECT_EQ(t[row::rainHour], "2.0");  // 0.6 + 0.4 + 1.0, not the 5.0
  EXPECT_EQ(t[row::rainMonth], t[row::rainHour]);
}

TEST(ComputeRain, EachWindowClosesAtItsOwnLimitAndTheWalkStopsAtThirtyDays) {
  const std::int64_t day = 86400;
  HistoryRow t = Target("20.0");
  ASSERT_TRUE(ComputeRain(t,
                          {Older(kNoon - 40 * day, "0.0", "7.0", "0.0"),
                           Older(kNoon - 30 * day, "1.0", "5.0", "1.0"),
                           Older(kNoon - 10 * day, "2.0", "3.0", "2.0"),
                           Older(kNoon - 2 * day, "9.0", "2.0", "9.0"),
                           Older(kNoon - 1800, "19.0", "1.0", "19.0")},
                          kNoon));
  // 1.0 own; hour: +1.0 closes at 2 days; day: closes there too; week: +2.0
  // closes at 10 days; month: +3.0, ends at the row 30 days back.
  EXPECT_EQ(Sums(t), (std::vector<std::string>{"1.0", "2.0", "2.0", "4.0", "7.0", "20.0"}));
}

TEST(ComputeRain, AnEmptyTimeMeansNow) {
  HistoryRow t = StoredRow("", "10.6");
  ASSERT_TRUE(ComputeRain(t, {Older(kNoon - 7200, "10.0", "0.0", "1.0"),
                              Older(kNoon - 600, "10.3", "0.3", "1.3")},
                          kNoon));
  EXPECT_EQ(t[row::rainHour], "0.6");  // closed by the row two hours before now
}

class FileRainTest : public ::testing::Test {
 protected:
  FileRainTest() : clock_(kNoon), file_(clock_) {}
  void Store(const HistoryRowArray& oldestFirst, const std::string& extra = "") {
    std::string text;
    int n = 0;
    for (HistoryRow r : oldestFirst) {
      r[row::sequenceNo] = std::to_string(++n);
      text += FormatRowLine(r, "2024-03-01 12:00:00");
    }
    test::WriteFileBytes(folder_ / "Skyvane.dat", text + extra);
    ASSERT_TRUE(file_.OpenFile((folder_ / "Skyvane.dat").string()));
  }
  test::ScratchFolder folder_;
  FixedClock clock_;
  HistoryFile file_;
};

TEST_F(FileRainTest, CurrentRecordAgainstTheFile) {
  Store({Older(kNoon - 7200, "99.9", "0.3", "11.7"), Older(kNoon - 600, "100.2", "0.3", "12.0")},
        "\r\n  \r\n");
  HistoryRow current = StoredRow("", "100.8");
  EXPECT_TRUE(ComputeRainForCurrent(file_, current));
  EXPECT_EQ(Sums(current), (std::vector<std::string>{"0.6", "0.9", "0.9", "0.9", "0.9", "12.6"}));

  HistoryRow noRain = StoredRow("", "---");
  EXPECT_TRUE(ComputeRainForCurrent(file_, noRain));
  EXPECT_EQ(noRain[row::rainTotal], "---");
}

TEST_F(FileRainTest, ShortLinesInTheTailReadAsAReadingFromTheStartWould) {
  HistoryRow newest = Older(kNoon - 300, "100.5", "0.6", "12.3");
  newest[row::sequenceNo] = "4";
  Store({Older(kNoon - 7200, "99.9", "0.3", "11.7")},
        "   2, 2024-03-01 12:00:00, " + LocalStamp(kNoon - 900) + "\r\n   3\r\n" +
            FormatRowLine(newest, "2024-03-01 12:00:00"));
  HistoryRow viaTail = StoredRow("", "100.8");
  ASSERT_TRUE(ComputeRainForCurrent(file_, viaTail));
  HistoryRowArray all;
  file_.LoadAll(all);
  HistoryRow viaAll = StoredRow("", "100.8");
  ComputeRain(viaAll, all, kNoon);
  EXPECT_EQ(Sums(viaTail), Sums(viaAll));
  // Both short lines repeat the first line's rain and increment at 11:45.
  EXPECT_EQ(Sums(viaTail), (std::vector<std::string>{"0.3", "1.5", "1.5", "1.5", "1.5", "12.6"}));
}

TEST_F(FileRainTest, NewRowsOldestFirstEachSeeingTheOnesBefore) {
  Store({Older(kNoon - 600, "100.2", "0.3", "12.0")});
  HistoryRowArray rows = {Target("101.1", kNoon + 300), Target("100.8", kNoon)};
  std::vector<std::string> texts;
  ASSERT_TRUE(ComputeRainForNew(file_, rows, "Compute history rain data",
                                [&](const std::string& t) { texts.push_back(t); }));
  EXPECT_EQ(texts, (std::vector<std::string>{"Compute history rain data 2 : 50% ...",
                                             "Compute history rain data 2 : 100% ..."}));
  EXPECT_EQ(Sums(rows[1]), (std::vector<std::string>{"0.6", "0.6", "0.6", "0.6", "0.6", "12.6"}));
  EXPECT_EQ(Sums(rows[0]), (std::vector<std::string>{"0.3", "0.9", "0.9", "0.9", "0.9", "12.9"}));
}

// Reading only the newest 30 days of the file must give what reading all of
// it gives, whatever the gaps and the rows without rain.
// A progress text may wait for the other thread, which may be reading the file.
TEST_F(FileRainTest, ProgressTextsAreShownWithTheFileFree) {
  Store({Older(kNoon - 600, "100.2", "0.3", "12.0")});
  HistoryRowArray rows = {Target("100.8", kNoon)};
  bool free = false;
  ASSERT_TRUE(ComputeRainForNew(file_, rows, "e", [&](const std::string&) {
    auto other = std::async(std::launch::async, [&] { return file_.LastSequenceNo(); });
    free = other.wait_for(std::chrono::seconds(5)) == std::future_status::ready && other.get() == 1;
  }));
  EXPECT_TRUE(free);
  EXPECT_EQ(rows[0][row::rainTotal], "12.6");
}

TEST_F(FileRainTest, NewRowsMatchAWalkOverTheWholeFile) {
  std::mt19937 random(7);
  HistoryRowArray raw;
  HistoryRowArray history;
  std::time_t at = kNoon - 90 * 86400;
  double rain = 19000.0;
  for (int i = 0; i < 3000; ++i) {
    at += 600 + static_cast<int>(random() % 7200);
    if (random() % 5 == 0) rain += 0.3 * static_cast<double>(random() % 4);
    if (rain > 19660.5) rain -= 19660.8;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", rain);
    HistoryRow r = StoredRow(LocalStamp(at), random() % 50 == 0 ? "" : text, "x", "x");
    raw.push_back(r);
    ComputeRain(r, history, kNoon);
    history.push_back(r);
  }
  HistoryRowArray stored(history.begin(), history.end() - 40);
  HistoryRowArray newest(raw.rbegin(), raw.rbegin() + 40);  // newest first
  Store(stored);
  ASSERT_TRUE(ComputeRainForNew(file_, newest, "e", {}));
  for (int k = 0; k < 40; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(newest[39 - k], history[history.size() - 40 + k]);
  }
}

}  // namespace
}  // namespace skyvane

namespace skyvane {
namespace {

TEST_F(FileRainTest, TheFilesNewestRowsAreReadAgainWhenTheFileChanges) {
  Store({Older(kNoon - 600, "100.2", "0.3", "12.0")});
  HistoryRow first = StoredRow("", "100.8");
  ASSERT_TRUE(ComputeRainForCurrent(file_, first));
  EXPECT_EQ(first[row::rainTotal], "12.6");

  ASSERT_TRUE(file_.AppendRows({Older(kNoon - 300, "100.5", "0.3", "12.3")}));
  HistoryRow second = StoredRow("", "100.8");
  ASSERT_TRUE(ComputeRainForCurrent(file_, second));
  EXPECT_EQ(second[row::rainIncrement], "0.3");
  EXPECT_EQ(second[row::rainHour], "0.6");

  // Rewritten in place with the same length: a different file all the same.
  HistoryRow other = Older(kNoon - 600, "100.4", "0.3", "42.0");
  other[row::sequenceNo] = "1";
  const std::string text = FormatRowLine(other, "2024-03-01 12:00:00");
  std::string bytes = test::ReadFileBytes(folder_ / "Skyvane.dat");
  ASSERT_GT(bytes.size(), text.size());
  test::WriteFileBytes(folder_ / "Skyvane.dat", text + bytes.substr(text.size()));
  HistoryRow third = StoredRow("", "100.8");
  ASSERT_TRUE(ComputeRainForCurrent(file_, third));
  EXPECT_EQ(third[row::rainTotal], "12.6");  // the newest row is unchanged
  ASSERT_TRUE(file_.ClearAll());
  // Nothing left to count from: the sums are not known, which is not 0.
  HistoryRow fourth = StoredRow("", "100.8");
  ASSERT_TRUE(ComputeRainForCurrent(file_, fourth));
  EXPECT_EQ(Sums(fourth), std::vector<std::string>(6, "---"));
  EXPECT_EQ(fourth[row::rain], "100.8");
}

}  // namespace
}  // namespace skyvane
