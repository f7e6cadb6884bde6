// The climate on the HTTP server: the same numbers as the core gives for the
// golden data file, reports in the units a logger last saw, appended records
// seen at the next request, and bad parameters refused with a JSON error.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/climate/climate_book.h"
#include "core/climate/climate_report.h"
#include "core/publish/climate_json.h"
#include "core/publish/http/http_server.h"
#include "core/publish/http/live_state.h"
#include "support/golden.h"
#include "support/http_exchange.h"
#include "support/local_time.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

using nlohmann::json;
using test::Get;
using test::HttpAnswer;

class ClimateHttpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(test::GoldenFolder() / "Skyvane.dat", Path());
    ASSERT_TRUE(data_.Open(Path()));
    server_ = std::make_unique<HttpServer>(*stored_, data_, clock_);
    options_.stationName = "Hilltop";
    server_->SetClimateOptions(options_);
    std::string error;
    ASSERT_TRUE(server_->Start(ListenAddress{"127.0.0.1", 0}, error)) << error;
    port_ = server_->port();
  }
  std::string Path() const { return (folder_ / "Skyvane.dat").string(); }
  // What the core gives for the file as it is now.
  climate::ClimateBook& Book() {
    std::string error;
    EXPECT_TRUE(book_.Refresh(Path(), error)) << error;
    return book_;
  }

  test::FixedZone zone_{"UTC0"};
  FixedClock clock_{test::LocalTime(2024, 5, 6, 7, 10)};
  test::ScratchFolder folder_;
  DataFileReader data_{clock_};
  std::unique_ptr<StoredReading> stored_ = std::make_unique<StoredReading>(
      data_, std::chrono::seconds(1), (folder_ / kLiveStateFileName).string());
  climate::ClimateOptions options_;
  climate::ClimateBook book_{options_};
  std::unique_ptr<HttpServer> server_;
  int port_ = 0;
};

TEST_F(ClimateHttpTest, SummariesAndRecordsAreTheCoresNumbers) {
  const struct {
    const char* query;
    climate::Period period;
    climate::DateRange range;
  } cases[] = {
      {"period=day", climate::Period::kDay, {}},
      {"period=month&from=2024-05&to=2024-05", climate::Period::kMonth, {"2024-05", "2024-05"}},
      {"period=year&to=2023", climate::Period::kYear, {"", "2023"}},
      {"from=2024-05-06&to=", climate::Period::kDay, {"2024-05-06", ""}},
  };
  for (const auto& c : cases) {
    const HttpAnswer answer = Get(port_, std::string("/api/summary?") + c.query);
    EXPECT_EQ(answer.status, 200) << c.query;
    EXPECT_EQ(test::HeaderValue(answer, "Content-Type"), "application/json; charset=utf-8");
    EXPECT_EQ(answer.body, SummariesJson(Book().Summaries(c.period, c.range), c.period) + "\n") << c.query;
  }
  const json days = json::parse(Get(port_, "/api/summary?period=day").body);
  ASSERT_EQ(days.size(), 1u);
  EXPECT_EQ(days[0]["records"], 15);
  EXPECT_EQ(days[0]["outdoor_temperature_low"], -28.4);
  EXPECT_EQ(days[0]["outdoor_temperature_low_time"], "2024-05-06T06:58:09+00:00");

  const HttpAnswer extremes = Get(port_, "/api/extremes");
  EXPECT_EQ(extremes.body, RecordsJson(Book().Records("2024-05-06 07:10:00")) + "\n");
  EXPECT_EQ(json::parse(extremes.body)["this_month"]["wettest_day"]["value"], 13.8);
  const json today = json::parse(Get(port_, "/api/today").body);
  EXPECT_EQ(today["rain_today"], 13.8);
  EXPECT_EQ(today["rain_last_hour"], 13.2);  // 06:13:09 to 07:08:09
}

TEST_F(ClimateHttpTest, ReportsInTheUnitsTheLoggerSaw) {
  LiveState state;
  state.seen = clock_.Now();
  state.units[hdr::kUnitOutdoorTemp] = "°F";
  state.units[hdr::kUnitRain] = "inch";
  std::ofstream(folder_ / kLiveStateFileName) << LiveStateText(state);
  climate::ReportUnits units;
  units.temperature = "°F";
  units.rain = "inch";
  const HttpAnswer month = Get(port_, "/reports/2024-05.txt");
  EXPECT_EQ(month.status, 200);
  EXPECT_EQ(test::HeaderValue(month, "Content-Type"), "text/plain; charset=utf-8");
  EXPECT_EQ(month.body, climate::ClimateReport(Book(), "2024-05", units, options_));
  EXPECT_NE(month.body.find("Station: Hilltop\nUnits:   temperature °F, rain in,"), std::string::npos)
      << month.body;
  EXPECT_NE(month.body.find("Highest:           83.1 °F on day 6"), std::string::npos) << month.body;
  EXPECT_EQ(Get(port_, "/reports/2024.txt").body, climate::ClimateReport(Book(), "2024", units, options_));
}

TEST_F(ClimateHttpTest, AnAppendedRecordCountsAtTheNextRequest) {
  EXPECT_EQ(json::parse(Get(port_, "/api/summary?period=day").body).size(), 1u);
  std::string lines = test::ReadFileBytes(Path());
  std::string last = lines.substr(lines.rfind('\n', lines.size() - 3) + 1);
  for (std::size_t at; (at = last.find("2024-05-06 07:08:09")) != std::string::npos;) {
    last.replace(at, 19, "2024-05-07 09:00:00");
  }
  std::ofstream(Path(), std::ios::binary | std::ios::app) << last;
  const json days = json::parse(Get(port_, "/api/summary?period=day").body);
  ASSERT_EQ(days.size(), 2u);
  EXPECT_EQ(days[1]["date"], "2024-05-07");
}

TEST_F(ClimateHttpTest, BadParametersAreRefused) {
  const struct {
    const char* target;
    const char* error;
  } cases[] = {
      {"/api/summary?period=week", "period is day, month or year"},
      {"/api/summary?period=day&period=day", "the parameter 'period' is given twice"},
      {"/api/summary?from=2024-02-30", "from is a date YYYY-MM-DD, YYYY-MM or YYYY"},
      {"/api/summary?to=yesterday", "to is a date YYYY-MM-DD, YYYY-MM or YYYY"},
      {"/api/summary?keys=rain", "unknown parameter 'keys'"},
      {"/api/extremes?period=day", "this path takes no parameters"},
      {"/reports/2024-13.txt", "a report is /reports/YYYY-MM.txt or /reports/YYYY.txt"},
      {"/reports/2024-05-06.txt", "a report is /reports/YYYY-MM.txt or /reports/YYYY.txt"},
      {"/reports/.txt", "a report is /reports/YYYY-MM.txt or /reports/YYYY.txt"},
  };
  for (const auto& c : cases) {
    const HttpAnswer answer = Get(port_, c.target);
    EXPECT_EQ(answer.status, 400) << c.target;
    EXPECT_EQ(answer.body, std::string("{\"error\":\"") + c.error + "\"}\n") << c.target;
  }
  EXPECT_EQ(Get(port_, "/reports/2024-05.csv").status, 404);
  EXPECT_EQ(Get(port_, "/api/summary").status, 200);
}

}  // namespace
}  // namespace skyvane
