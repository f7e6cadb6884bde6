#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/climate/climate_book.h"
#include "core/climate/climate_source.h"
#include "core/climate/row_values.h"
#include "core/climate/climate_support.h"
#include "support/scratch_folder.h"

namespace skyvane::climate {
namespace {

using skyvane::testing::ClimateLines;
using skyvane::testing::ClimateRow;
using skyvane::test::ScratchFolder;
using skyvane::test::WriteFileBytes;

std::string Num(const std::optional<double>& v) {
  if (!v) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", *v);
  return text;
}

std::string At(const Extreme& e) { return Num(e.value) + (e.value ? "@" + e.time.substr(5) : ""); }

// A summary in one line: the figures a case is about, "-" where absent.
std::string Describe(const Summary& s) {
  std::string text = s.date + " n=" + std::to_string(s.records) + " T=" + At(s.temperatureHigh) +
                     "/" + At(s.temperatureLow) + "/" + Num(s.temperatureMean) +
                     " H=" + Num(s.humidityHigh.value) + "/" + Num(s.humidityLow.value) + "/" +
                     Num(s.humidityMean) + " P=" + Num(s.pressureHigh.value) + "/" +
                     Num(s.pressureLow.value) + "/" + Num(s.pressureMean) +
                     " W=" + Num(s.windSpeedMean) + " G=" + At(s.gustHigh) + " D=" +
                     (s.directionDominant ? std::to_string(*s.directionDominant) : "-") +
                     " R=" + Num(s.rain) + " DD=" + Num(s.heatingDegreeDays) + "/" +
                     Num(s.coolingDegreeDays);
  if (s.days > 0) {
    text += " days=" + std::to_string(s.days) + " wet=" + At(s.wettestDay) + " rd=" +
            std::to_string(s.rainDays02) + "/" + std::to_string(s.rainDays1) + "/" +
            std::to_string(s.rainDays10);
  }
  return text;
}

std::vector<std::string> Describe(const std::vector<Summary>& summaries) {
  std::vector<std::string> lines;
  for (const Summary& s : summaries) lines.push_back(Describe(s));
  return lines;
}

ClimateRow Row(std::string time, std::string t, std::string wind = "0.0", std::string dir = "0",
               std::string rain = "0.0") {
  ClimateRow r;
  r.time = std::move(time);
  r.temperature = std::move(t);
  r.wind = std::move(wind);
  r.gust = r.wind;
  r.direction = std::move(dir);
  r.rain = std::move(rain);
  return r;
}

struct SummaryCase {
  const char* name;
  std::vector<ClimateRow> rows;
  Period period;
  std::vector<std::string> expected;
};

std::string CaseName(const ::testing::TestParamInfo<SummaryCase>& param) { return param.param.name; }

class ClimateSummaryTest : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(ClimateSummaryTest, SummarizesTheFile) {
  const SummaryCase& c = GetParam();
  ScratchFolder folder;
  WriteFileBytes(folder / "Skyvane.dat", ClimateLines(c.rows));
  ClimateBook book;
  std::string error;
  ASSERT_TRUE(book.Refresh((folder / "Skyvane.dat").string(), error)) << error;
  EXPECT_EQ(Describe(book.Summaries(c.period, DateRange{})), c.expected);
}

ClimateRow Missing(std::string time) {
  ClimateRow r = Row(std::move(time), "---", "---", "---", "---");
  r.humidity = r.pressure = r.gust = "---";
  return r;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClimateSummaryTest,
    ::testing::Values(
        // 00:00:00 closes the day before; 00:00:01 opens the new one.
        SummaryCase{"MidnightBelongsToTheDayBefore",
                    {Row("2026-03-01 23:55:00", "5.0"), Row("2026-03-02 00:00:00", "7.0"),
                     Row("2026-03-02 00:00:01", "1.0")},
                    Period::kDay,
                    {"2026-03-01 n=2 T=7.00@03-02 00:00:00/5.00@03-01 23:55:00/6.00 H=80.00/80.00/"
                     "80.00 P=1013.00/1013.00/1013.00 W=0.00 G=0.00@03-01 23:55:00 D=- R=0.00 "
                     "DD=12.30/0.00",
                     "2026-03-02 n=1 T=1.00@03-02 00:00:01/1.00@03-02 00:00:01/1.00 H=80.00/80.00/"
                     "80.00 P=1013.00/1013.00/1013.00 W=0.00 G=0.00@03-02 00:00:01 D=- R=0.00 "
                     "DD=17.30/0.00"}},
        // The New Year's midnight record still counts for the old year.
        SummaryCase{"NewYearMidnight",
                    {Row("2025-12-31 12:00:00", "20.0"), Row("2026-01-01 00:00:00", "22.0"),
                     Row("2026-01-01 06:00:00", "-4.0")},
                    Period::kYear,
                    {"2025 n=2 T=22.00@01-01 00:00:00/20.00@12-31 12:00:00/21.00 H=80.00/80.00/"
                     "80.00 P=1013.00/1013.00/1013.00 W=0.00 G=0.00@12-31 12:00:00 D=- R=0.00 "
                     "DD=0.00/2.70 days=1 wet=0.00@12-31 rd=0/0/0",
                     "2026 n=1 T=-4.00@01-01 06:00:00/-4.00@01-01 06:00:00/-4.00 H=80.00/80.00/"
                     "80.00 P=1013.00/1013.00/1013.00 W=0.00 G=0.00@01-01 06:00:00 D=- R=0.00 "
                     "DD=22.30/0.00 days=1 wet=0.00@01-01 rd=0/0/0"}},
        // "---" is left out of every figure; a day of nothing but "---" has
        // its records and no values.
        SummaryCase{"MissingValuesAreLeftOut",
                    {Row("2026-04-01 10:00:00", "4.0", "2.0", "4", "0.2"),
                     Missing("2026-04-01 11:00:00"), Missing("2026-04-02 11:00:00")},
                    Period::kDay,
                    {"2026-04-01 n=2 T=4.00@04-01 10:00:00/4.00@04-01 10:00:00/4.00 H=80.00/80.00/"
                     "80.00 P=1013.00/1013.00/1013.00 W=2.00 G=2.00@04-01 10:00:00 D=90 R=0.20 "
                     "DD=14.30/0.00",
                     "2026-04-02 n=1 T=-/-/- H=-/-/- P=-/-/- W=- G=- D=- R=- DD=-/-"}},
        // Texts that are no number in range count as missing, as do
        // direction codes beyond the sixteen points.
        SummaryCase{"TextsThatAreNoNumbersAreMissing",
                    {Row("2026-04-03 10:00:00", "1e400", "2.0", "16", "nan"),
                     Row("2026-04-03 11:00:00", "12abc", "2.0", "3.5", "+0.2"),
                     Row("2026-04-03 12:00:00", "-7.5", "2.0", "12", "0.4")},
                    Period::kDay,
                    {"2026-04-03 n=3 T=-7.50@04-03 12:00:00/-7.50@04-03 12:00:00/-7.50 H=80.00/80.00/"
                     "80.00 P=1013.00/1013.00/1013.00 W=2.00 G=2.00@04-03 10:00:00 D=270 R=0.40 "
                     "DD=25.80/0.00"}},
        // The first occurrence of a value wins even when an older record is
        // stored after it (a late download).
        SummaryCase{"FirstOccurrenceWhateverTheOrder",
                    {Row("2026-05-01 15:00:00", "9.0"), Row("2026-05-01 09:00:00", "9.0"),
                     Row("2026-05-01 12:00:00", "3.0"), Row("2026-05-01 08:00:00", "3.0")},
                    Period::kDay,
                    {"2026-05-01 n=4 T=9.00@05-01 09:00:00/3.00@05-01 08:00:00/6.00 H=80.00/80.00/"
                     "80.00 P=1013.00/1013.00/1013.00 W=0.00 G=0.00@05-01 08:00:00 D=- R=0.00 "
                     "DD=12.30/0.00"}},
        // North-north-west and north-north-east at the same speed give north,
        // not south; opposite winds cancel to no direction; a stronger wind
        // pulls the direction towards it.
        SummaryCase{"DirectionNearNorth",
                    {Row("2026-06-01 10:00:00", "18.3", "3.0", "15"),
                     Row("2026-06-01 11:00:00", "18.3", "3.0", "1"),
                     Row("2026-06-02 10:00:00", "18.3", "2.0", "0"),
                     Row("2026-06-02 11:00:00", "18.3", "2.0", "8"),
                     Row("2026-06-03 10:00:00", "18.3", "3.0", "4"),
                     Row("2026-06-03 11:00:00", "18.3", "1.0", "0"),
                     Row("2026-06-04 11:00:00", "18.3", "0.0", "4")},
                    Period::kDay,
                    {"2026-06-01 n=2 T=18.30@06-01 10:00:00/18.30@06-01 10:00:00/18.30 H=80.00/"
                     "80.00/80.00 P=1013.00/1013.00/1013.00 W=3.00 G=3.00@06-01 10:00:00 D=0 "
                     "R=0.00 DD=0.00/0.00",
                     "2026-06-02 n=2 T=18.30@06-02 10:00:00/18.30@06-02 10:00:00/18.30 H=80.00/"
                     "80.00/80.00 P=1013.00/1013.00/1013.00 W=2.00 G=2.00@06-02 10:00:00 D=- "
                     "R=0.00 DD=0.00/0.00",
                     "2026-06-03 n=2 T=18.30@06-03 10:00:00/18.30@06-03 10:00:00/18.30 H=80.00/"
                     "80.00/80.00 P=1013.00/1013.00/1013.00 W=2.00 G=3.00@06-03 10:00:00 D=72 "
                     "R=0.00 DD=0.00/0.00",
                     "2026-06-04 n=1 T=18.30@06-04 11:00:00/18.30@06-04 11:00:00/18.30 H=80.00/"
                     "80.00/80.00 P=1013.00/1013.00/1013.00 W=0.00 G=0.00@06-04 11:00:00 D=- "
                     "R=0.00 DD=0.00/0.00"}},
        // Rain is the sum of the increments, exact to the tenth; the month
        // counts its rain days at 0.2, 1 and 10 mm, a day without records is
        // no day of the month at all, and August's first midnight is July's.
        SummaryCase{"RainAndAMonthWithAGap",
                    {Row("2026-07-01 10:00:00", "20.0", "1.0", "0", "0.1"),
                     Row("2026-07-01 11:00:00", "22.0", "1.0", "0", "0.1"),
                     Row("2026-07-03 10:00:00", "10.0", "3.0", "4", "0.7"),
                     Row("2026-07-03 11:00:00", "12.0", "3.0", "4", "0.3"),
                     Row("2026-07-04 10:00:00", "16.0", "1.0", "4", "9.9"),
                     Row("2026-07-04 11:00:00", "16.0", "1.0", "4", "0.1"),
                     Row("2026-08-01 00:00:00", "30.0", "1.0", "0", "0.0")},
                    Period::kMonth,
                    {"2026-07 n=7 T=30.00@08-01 00:00:00/10.00@07-03 10:00:00/19.50 H=80.00/80.00/"
                     "80.00 P=1013.00/1013.00/1013.00 W=1.50 G=3.00@07-03 10:00:00 D=69 R=11.20 "
                     "DD=9.60/14.40 days=4 wet=10.00@07-04 rd=3/2/1"}}),
    CaseName);

}  // namespace
}  // namespace skyvane::climate
