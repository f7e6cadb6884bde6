// /api/today against a hand-made data file: the running day's high and low
// with their times, its rain, the last hour's rain and the pressure trend,
// null where the file does not tell; a file that cannot be read and a query
// refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/climate/climate_support.h"
#include "core/publish/http/http_server.h"
#include "support/http_exchange.h"
#include "support/local_time.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

using skyvane::testing::ClimateLines;
using skyvane::testing::ClimateRow;

ClimateRow Row(std::string time, std::string temperature, std::string pressure, std::string rain) {
  ClimateRow r;
  r.time = std::move(time);
  r.temperature = std::move(temperature);
  r.pressure = std::move(pressure);
  r.rain = std::move(rain);
  return r;
}

TEST(TodayAnswer, TodayIsTheRunningDayOfTheFileInBaseUnits) {
  test::FixedZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
  test::ScratchFolder folder;
  // The record stamped midnight closes the day before; the temperature of the
  // last one is missing, a high reached twice counts from its first time.
  test::WriteFileBytes(folder / "Skyvane.dat",
                       ClimateLines({Row("2026-12-08 00:00:00", "5.0", "1016.0", "0.3"),
                                     Row("2026-12-08 07:00:00", "2.0", "1015.0", "0.0"),
                                     Row("2026-12-08 07:05:00", "1.5", "1015.0", "0.0"),
                                     Row("2026-12-08 09:05:00", "4.0", "1013.5", "0.3"),
                                     Row("2026-12-08 09:30:00", "4.0", "1014.5", "0.6"),
                                     Row("2026-12-08 10:00:00", "---", "1012.5", "0.3")}));
  FixedClock clock;
  DataFileReader data(clock);
  ASSERT_TRUE(data.Open((folder / "Skyvane.dat").string()));
  LiveReading live;
  HttpServer server(live, data, clock);
  std::string error;
  ASSERT_TRUE(server.Start(ListenAddress{"127.0.0.1", 0}, error)) << error;

  const std::string day =
      R"({"date":"2026-12-08","outdoor_temperature_high":4.0,"outdoor_temperature_high_time":"2026-12-08T09:05:00+01:00",)"
      R"("outdoor_temperature_low":1.5,"outdoor_temperature_low_time":"2026-12-08T07:05:00+01:00","rain_today":1.2,)";
  struct Case {
    std::time_t now;
    std::string json;
  };
  const Case cases[] = {
      // Three hours back from the newest pressure (10:00) is 07:00: 2.5 hPa lower.
      {test::LocalTime(2026, 12, 8, 10, 0),
       day + R"("rain_last_hour":1.2,"pressure_trend":-2.5,"pressure_tendency":"falling"})"},
      // From 09:30 back to the record nearest 06:30, half an hour off: within 1 hPa.
      {test::LocalTime(2026, 12, 8, 9, 40),
       day + R"("rain_last_hour":0.9,"pressure_trend":-0.5,"pressure_tendency":"steady"})"},
      // A day without records is unknown, not zero.
      {test::LocalTime(2026, 12, 9, 12, 0),
       R"({"date":"2026-12-09","outdoor_temperature_high":null,"outdoor_temperature_high_time":null,)"
       R"("outdoor_temperature_low":null,"outdoor_temperature_low_time":null,"rain_today":null,)"
       R"("rain_last_hour":null,"pressure_trend":null,"pressure_tendency":null})"},
  };
  for (const Case& c : cases) {
    clock.Set(c.now);
    const test::HttpAnswer answer = test::Get(server.port(), "/api/today");
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.body, c.json + "\n") << test::LocalStamp(c.now);
  }

  EXPECT_EQ(test::Get(server.port(), "/api/today?date=2026-12-08").status, 400);
  std::filesystem::remove(folder / "Skyvane.dat");
  std::filesystem::create_directory(folder / "Skyvane.dat");
  const test::HttpAnswer gone = test::Get(server.port(), "/api/today");
  EXPECT_EQ(gone.status, 500);
  EXPECT_EQ(gone.body, "{\"error\":\"the data file cannot be read\"}\n");
}

}  // namespace
}  // namespace skyvane
