// skyvane-cli current: the rain of the current reading continues the data file.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "core/app/clock.h"
#include "core/history/history_file.h"
#include "core/station/test_image.h"
#include "support/local_time.h"

namespace skyvane {
namespace {

HistoryRow Rain(std::time_t when, const char* rain, const char* increment, const char* total) {
  HistoryRow r;
  r[row::stationAddress] = "0001E0";
  r[row::recordTime] = test::LocalStamp(when);
  r[row::rain] = rain;
  r[row::rainIncrement] = increment;
  r[row::rainTotal] = total;
  return r;
}

std::string Field(const std::string& out, int n) {
  const std::string prefix = "\n" + std::to_string(n) + "\t";
  const std::size_t at = out.find(prefix);
  if (at == std::string::npos) return "<missing>";
  const std::size_t start = at + prefix.size();
  return out.substr(start, out.find('\n', start) - start);
}

TEST(CliCurrent, RainContinuesTheStoredHistory) {
  test::InProcessCli cli;
  cli.Station().Memory().Write(0, TestImage.data(), static_cast<int>(TestImage.size()));
  SystemClock clock;
  {
    HistoryFile file(clock);
    ASSERT_TRUE(file.OpenFile((cli.Context().folder / "Skyvane.dat").string()));
    const std::time_t now = clock.Now();
    // Newest first; the current record's counter reads 3288.9 mm.
    ASSERT_TRUE(file.AppendRows({Rain(now - 600, "3288.3", "0.3", "10.6"),
                                 Rain(now - 7200, "3287.7", "0.6", "10.0")}));
  }
  ASSERT_EQ(cli.Run("current", {}), kExitOk) << cli.Err();
  const std::string shown = cli.Out();
  EXPECT_EQ(Field(shown, row::rainIncrement), "0.6");
  EXPECT_EQ(Field(shown, row::rainTotal), "11.2");
  EXPECT_EQ(Field(shown, row::rainHour), "0.9");
  EXPECT_EQ(Field(shown, row::rainMonth), "0.9");
  ASSERT_EQ(cli.Run("current", {"--stored"}), kExitOk) << cli.Err();
  const std::string stored = cli.Out().substr(shown.size());
  EXPECT_EQ(Field(stored, row::rainIncrement), "0.6");
  EXPECT_EQ(Field(stored, row::rainTotal), "11.2");
}

}  // namespace
}  // namespace skyvane
