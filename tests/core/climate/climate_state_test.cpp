#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/climate/climate_book.h"
#include "core/climate/climate_support.h"
#include "support/scratch_folder.h"

namespace skyvane::climate {
namespace {

using skyvane::testing::ClimateLines;
using skyvane::testing::ClimateRow;
using skyvane::test::ScratchFolder;
using skyvane::test::WriteFileBytes;

ClimateRow Row(std::string time, std::string t, std::string pressure, std::string gust = "1.0",
               std::string rain = "0.0") {
  ClimateRow r;
  r.time = std::move(time);
  r.temperature = std::move(t);
  r.pressure = std::move(pressure);
  r.gust = std::move(gust);
  r.rain = std::move(rain);
  return r;
}

std::string Text(const Extreme& e) {
  return e.value ? std::to_string(*e.value).substr(0, 6) + "@" + e.time : "-";
}

class ClimateStateTest : public ::testing::Test {
 protected:
  std::string Path() const { return (folder_ / "Skyvane.dat").string(); }
  void Write(const std::vector<ClimateRow>& rows) { WriteFileBytes(Path(), ClimateLines(rows)); }
  void Refresh() {
    std::string error;
    ASSERT_TRUE(book_.Refresh(Path(), error)) << error;
  }

  ScratchFolder folder_;
  ClimateBook book_;
};

TEST_F(ClimateStateTest, RecordsOfAllTimeTheYearAndTheMonth) {
  Write({Row("2025-07-01 14:00:00", "35.0", "1030.0", "20.0", "30.0"),
         Row("2026-01-10 07:00:00", "-12.0", "980.0", "5.0", "2.0"),
         Row("2026-03-02 14:00:00", "15.0", "1010.0", "12.0", "4.0"),
         Row("2026-03-05 06:00:00", "-1.0", "1020.0", "12.0", "1.0")});
  Refresh();
  const RecordsTable t = book_.Records("2026-03-20 12:00:00");
  const auto line = [](const Records& r) {
    return Text(r.temperatureHigh) + " " + Text(r.temperatureLow) + " " + Text(r.gustHigh) + " " +
           Text(r.wettestDay) + " " + Text(r.pressureHigh) + " " + Text(r.pressureLow);
  };
  EXPECT_EQ(line(t.allTime),
            "35.000@2025-07-01 14:00:00 -12.00@2026-01-10 07:00:00 20.000@2025-07-01 14:00:00 "
            "30.000@2025-07-01 1030.0@2025-07-01 14:00:00 980.00@2026-01-10 07:00:00");
  EXPECT_EQ(line(t.thisYear),
            "15.000@2026-03-02 14:00:00 -12.00@2026-01-10 07:00:00 12.000@2026-03-02 14:00:00 "
            "4.0000@2026-03-02 1020.0@2026-03-05 06:00:00 980.00@2026-01-10 07:00:00");
  EXPECT_EQ(line(t.thisMonth),
            "15.000@2026-03-02 14:00:00 -1.000@2026-03-05 06:00:00 12.000@2026-03-02 14:00:00 "
            "4.0000@2026-03-02 1020.0@2026-03-05 06:00:00 1010.0@2026-03-02 14:00:00");
  EXPECT_FALSE(book_.Records("2027-01-01 12:00:00").thisYear.temperatureHigh.value);
}

TEST_F(ClimateStateTest, TodayLooksBackAnHourForRainAndThreeHoursForPressure) {
  Write({Row("2026-03-01 23:00:00", "9.0", "1000.0", "1.0", "5.0"),
         Row("2026-03-02 00:00:00", "8.0", "1001.0", "1.0", "0.1"),
         Row("2026-03-02 00:30:00", "4.0", "1001.5"),
         Row("2026-03-02 01:00:00", "2.0", "1002.0", "1.0", "0.3"),
         Row("2026-03-02 02:50:00", "6.0", "1002.2", "1.0", "0.2"),
         Row("2026-03-02 03:00:00", "6.0", "1001.9", "1.0", "0.4")});
  Refresh();
  const struct {
    const char* now;
    const char* high;
    const char* low;
    std::optional<double> rain, lastHour, trend;
    Trend direction;
  } cases[] = {
      // The trend compares 03:00 with the record nearest to 00:00.
      {"2026-03-02 03:10:00", "6.0000@2026-03-02 02:50:00", "2.0000@2026-03-02 01:00:00", 0.9, 0.6,
       0.9, Trend::kSteady},
      // An hour without records has no rain of the last hour and no trend.
      {"2026-03-02 04:30:00", "6.0000@2026-03-02 02:50:00", "2.0000@2026-03-02 01:00:00", 0.9,
       std::nullopt, std::nullopt, Trend::kUnknown},
      // Midnight itself still belongs to the day before, whose trend is
      // against 21:00 (no record): unknown.
      // The last hour is (23:00, 00:00]: the 23:00 record is out of it.
      {"2026-03-02 00:00:00", "9.0000@2026-03-01 23:00:00", "8.0000@2026-03-02 00:00:00", 5.1, 0.1,
       std::nullopt, Trend::kUnknown},
      {"2026-03-03 08:00:00", "-", "-", std::nullopt, std::nullopt, std::nullopt, Trend::kUnknown},
  };
  for (const auto& c : cases) {
    const TodayValues t = book_.Today(c.now);
    EXPECT_EQ(Text(t.temperatureHigh), c.high) << c.now;
    EXPECT_EQ(Text(t.temperatureLow), c.low) << c.now;
    EXPECT_EQ(t.rainToday, c.rain) << c.now;
    EXPECT_EQ(t.rainLastHour, c.lastHour) << c.now;
    EXPECT_EQ(t.pressureTrend, c.trend) << c.now;
    EXPECT_EQ(t.trend, c.direction) << c.now;
  }
}

TEST_F(ClimateStateTest, PressureTrendBands) {
  const struct {
    const char* later;
    double change;
    Trend trend;
  } cases[] = {{"1011.0", 1.0, Trend::kRising},   {"1010.9", 0.9, Trend::kSteady},
               {"1009.1", -0.9, Trend::kSteady},  {"1009.0", -1.0, Trend::kFalling},
               {"1004.0", -6.0, Trend::kFalling}};
  for (const auto& c : cases) {
    Write({Row("2026-03-02 09:00:00", "1.0", "1010.0"), Row("2026-03-02 12:00:00", "1.0", c.later)});
    Refresh();
    const TodayValues t = book_.Today("2026-03-02 12:00:00");
    EXPECT_EQ(t.pressureTrend, c.change) << c.later;
    EXPECT_EQ(t.trend, c.trend) << c.later;
  }
}

// An append is read on its own: a change before it stays unseen until the
// file is rewritten.
TEST_F(ClimateStateTest, AppendsAreReadWithoutRereadingTheFile) {
  Write({Row("2026-03-02 10:00:00", "5.0", "1010.0"), Row("2026-03-02 11:00:00", "6.0", "1010.0")});
  Refresh();
  std::string bytes = skyvane::test::ReadFileBytes(Path());
  const std::size_t at = bytes.find("   5.0,");
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 7, "  -9.0,");  // same length: only the stamp's times change
  bytes += ClimateLines({Row("2026-03-02 12:00:00", "7.0", "1010.0")});
  WriteFileBytes(Path() + ".new", bytes);
  // Written in place so that the file stays the same file and only grows.
  std::ofstream(Path(), std::ios::binary | std::ios::in | std::ios::out) << bytes;
  Refresh();
  const auto days = book_.Summaries(Period::kDay, DateRange{});
  ASSERT_EQ(days.size(), 1u);
  EXPECT_EQ(days[0].records, 3);
  EXPECT_EQ(days[0].temperatureLow.value, 5.0);
  EXPECT_EQ(days[0].temperatureHigh.value, 7.0);

  // A file that shrank or was replaced is read again from the start.
  std::filesystem::rename(Path() + ".new", Path());
  Refresh();
  const auto again = book_.Summaries(Period::kDay, DateRange{});
  EXPECT_EQ(again[0].records, 3);
  EXPECT_EQ(again[0].temperatureLow.value, -9.0);
}

TEST_F(ClimateStateTest, RangesPickDaysAndAFailedReadKeepsTheBook) {
  Write({Row("2026-02-28 10:00:00", "1.0", "1010.0"), Row("2026-03-01 10:00:00", "2.0", "1010.0"),
         Row("2026-03-31 10:00:00", "3.0", "1010.0"), Row("2026-04-01 00:00:00", "4.0", "1010.0"),
         Row("2026-04-01 10:00:00", "5.0", "1010.0")});
  Refresh();
  const auto dates = [&](const DateRange& range) {
    std::string text;
    for (const Summary& s : book_.Summaries(Period::kDay, range)) text += s.date + " ";
    return text;
  };
  EXPECT_EQ(dates({"2026-03", "2026-03"}), "2026-03-01 2026-03-31 ");
  EXPECT_EQ(dates({"2026-03-31", ""}), "2026-03-31 2026-04-01 ");
  EXPECT_EQ(dates({"", "2026-02-28"}), "2026-02-28 ");
  EXPECT_EQ(dates({"2026", "2026"}), "2026-02-28 2026-03-01 2026-03-31 2026-04-01 ");
  std::string error;
  EXPECT_FALSE(book_.Refresh((folder_ / "missing.dat").string(), error));
  EXPECT_NE(error.find("missing.dat"), std::string::npos);
  EXPECT_EQ(book_.Summaries(Period::kMonth, DateRange{}).size(), 3u);
}

TEST(ClimateOptionsTest, DegreeDayBasesAndTheNameComeFromTheSettings) {
  const struct {
    const char* ini;
    double heating, cooling;
    const char* name;
  } cases[] = {{"", 18.3, 18.3, "Skyvane weather station"},
               {"[report]\nHeatingBase=15.5\nCoolingBase = 21\nStationName=Hilltop\n", 15.5, 21.0, "Hilltop"},
               {"[Report]\nheatingbase=warm\nCoolingBase=1e9\n", 18.3, 18.3, "Skyvane weather station"},
               {"[other]\nHeatingBase=10\n", 18.3, 18.3, "Skyvane weather station"}};
  for (const auto& c : cases) {
    ScratchFolder folder;
    WriteFileBytes(folder / "Skyvane.ini", c.ini);
    const ClimateOptions options = LoadClimateOptions(folder.path().string());
    EXPECT_EQ(options.heatingBase, c.heating) << c.ini;
    EXPECT_EQ(options.coolingBase, c.cooling) << c.ini;
    EXPECT_EQ(options.stationName, c.name) << c.ini;
  }
}

TEST(ClimateOptionsTest, DateBounds) {
  for (const char* good : {"2026", "2026-02", "2024-02-29", "2026-12-31"}) {
    EXPECT_TRUE(IsDateBound(good)) << good;
  }
  for (const char* bad : {"", "26", "2026-13", "2026-02-29", "2026-1-1", "2026-00", "2026-04-31",
                          "2026/01", "2026-01-01 ", "abcd"}) {
    EXPECT_FALSE(IsDateBound(bad)) << bad;
  }
}

// The golden data file: 15 records of one morning, one of them -28.4 °C.
TEST(ClimateGoldenTest, TheGoldenDataFile) {
  ClimateTables t;
  std::string error;
  ASSERT_TRUE(ReadClimate(std::string(SKYVANE_TEST_DATA) + "/Skyvane.dat", ClimateOptions{}, {},
                          "2024-05-06 07:10:00", t, error))
      << error;
  ASSERT_EQ(t.days.size(), 1u);
  const Summary& d = t.days[0];
  EXPECT_EQ(d.date, "2024-05-06");
  EXPECT_EQ(d.records, 15);
  EXPECT_EQ(Text(d.temperatureHigh), "28.400@2024-05-06 06:28:09");
  EXPECT_EQ(Text(d.temperatureLow), "-28.40@2024-05-06 06:58:09");
  EXPECT_NEAR(*d.temperatureMean, 22.0266667, 1e-6);
  EXPECT_EQ(Text(d.pressureLow), "1002.6@2024-05-06 06:28:09");
  EXPECT_NEAR(*d.rain, 13.8, 1e-9);
  EXPECT_EQ(d.directionDominant, 207);
  ASSERT_EQ(t.years.size(), 1u);
  EXPECT_EQ(t.years[0].rainDays10, 1);
  EXPECT_EQ(Text(t.records.thisMonth.wettestDay), "13.800@2024-05-06");
}

}  // namespace
}  // namespace skyvane::climate
