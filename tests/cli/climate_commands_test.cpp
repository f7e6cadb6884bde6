// skyvane-cli summary, extremes and report on a hand-made data file of a few
// weeks, against golden files; and their usage errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "core/app/clock.h"
#include "core/climate/climate_support.h"
#include "support/golden.h"
#include "support/local_time.h"

namespace skyvane {
namespace {

using testing::ClimateRow;

std::string Tenths(int tenths) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", tenths / 10.0);
  return text;
}

// Late November 2026 every three hours with a gap on the 24th, the midnight
// record that closes the 30th, and two records in December.
std::vector<ClimateRow> Weeks() {
  std::vector<ClimateRow> rows;
  for (int day = 20; day <= 30; ++day) {
    if (day == 24) continue;
    for (int hour = 3; hour <= 21; hour += 3) {
      ClimateRow r;
      char time[32];
      std::snprintf(time, sizeof time, "2026-11-%02d %02d:00:00", day, hour);
      r.time = time;
      r.temperature = Tenths((day * 37 + hour * 11) % 190 - 40);
      r.humidity = std::to_string(60 + (day + hour) % 35);
      r.pressure = Tenths(10000 + (day * 13 + hour * 7) % 300);
      r.wind = Tenths((day * 5 + hour) % 60);
      r.gust = Tenths((day * 5 + hour) % 60 + 15);
      r.direction = std::to_string((day + hour / 3) % 16);
      r.rain = Tenths(day % 3 == 0 ? (hour % 6) * 4 : day == 29 ? 35 : 0);
      if (day == 22 && hour == 12) r.temperature = r.humidity = r.pressure = "---";
      rows.push_back(r);
    }
  }
  ClimateRow midnight = rows.back();
  midnight.time = "2026-12-01 00:00:00";
  midnight.temperature = "-6.5";
  rows.push_back(midnight);
  ClimateRow december = midnight;
  december.time = "2026-12-02 09:00:00";
  december.temperature = "1.5";
  rows.push_back(december);
  return rows;
}

class ClimateCommandsTest : public ::testing::Test {
 protected:
  // A command run on the golden station image (its units) and the weeks' file.
  int Run(test::InProcessCli& cli, const std::vector<std::string>& args) {
    std::string error;
    EXPECT_TRUE(cli.Station().Memory().Load(test::GoldenFolder() / "station.img", error)) << error;
    test::WriteFileBytes(cli.Context().folder / "Skyvane.dat", testing::ClimateLines(Weeks()));
    return cli.Run(args[0], {args.begin() + 1, args.end()});
  }
  test::FixedZone utc_{"UTC0"};
  FixedClock clock_{test::LocalTime(2026, 12, 2, 12, 0, 0)};
};

TEST_F(ClimateCommandsTest, PrintTheGoldenTexts) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> commands{
      {"report-2026-11.txt", {"report", "month", "2026-11"}},
      {"report-2026.txt", {"report", "year", "2026"}},
      {"report-2025.txt", {"report", "year", "2025"}},
      {"summary-day.json", {"summary", "day", "--from", "2026-11-29", "--format", "json"}},
      {"summary-month.csv", {"summary", "month", "--format", "csv"}},
      {"summary-year.txt", {"summary", "year", "--to", "2026"}},
      {"extremes.json", {"extremes", "--format", "json"}},
      {"extremes.txt", {"extremes"}},
  };
  for (const auto& [name, args] : commands) {
    test::InProcessCli cli(clock_);
    EXPECT_EQ(Run(cli, args), kExitOk) << name << ": " << cli.Err();
    test::ExpectGolden("cli/climate/" + name, cli.Out());
  }
}

TEST_F(ClimateCommandsTest, BadArgumentsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases{
      {"summary"},
      {"summary", "week"},
      {"summary", "day", "--from"},
      {"summary", "day", "--from", "2026-02-30"},
      {"summary", "day", "--to", "26-01"},
      {"summary", "day", "--format", "xml"},
      {"summary", "day", "--sideways"},
      {"extremes", "--format", "csv"},
      {"report", "month", "2026"},
      {"report", "year", "2026-11"},
      {"report", "month", "2026-13"},
      {"report", "week", "2026"},
      {"report"},
  };
  for (const auto& args : cases) {
    test::InProcessCli cli(clock_);
    EXPECT_EQ(Run(cli, args), kExitUsage) << args.size();
    EXPECT_EQ(cli.Out(), "");
    EXPECT_NE(cli.Err().find("usage: " + args[0]), std::string::npos) << cli.Err();
  }
}

TEST_F(ClimateCommandsTest, AMissingDataFileIsAFailure) {
  test::InProcessCli cli(clock_);
  EXPECT_EQ(cli.Run("summary", {"day"}), kExitFailure);
  EXPECT_NE(cli.Err().find("No data file"), std::string::npos) << cli.Err();
}

}  // namespace
}  // namespace skyvane
