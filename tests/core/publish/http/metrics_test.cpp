// GET /metrics: the live values, the alarm states and the logger's counters in
// the Prometheus text format, checked line by line and by Prometheus' own
// promtool; and what the format makes of odd or missing values.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <string>

#include "core/app/clock.h"
#include "core/publish/http/http_server.h"
#include "core/publish/http/live_metrics.h"
#include "core/publish/program_counters.h"
#include "core/publish/reading_json.h"
#include "support/golden.h"
#include "support/http_exchange.h"
#include "support/local_time.h"
#include "support/scratch_folder.h"
#include "support/tsdb_servers.h"

namespace skyvane {
namespace {

constexpr const char* kPromtool = "/usr/bin/promtool";

TEST(Metrics, LiveValuesCountersAndAnswersInTheFormatPromtoolAccepts) {
  test::ScratchFolder folder;
  std::filesystem::copy_file(test::GoldenFolder() / "Skyvane.dat", folder / "Skyvane.dat");
  FixedClock clock{test::LocalTime(2024, 5, 6, 7, 10)};
  DataFileReader data{clock};
  ASSERT_TRUE(data.Open((folder / "Skyvane.dat").string()));
  LiveReading live;
  ProgramCounters counters;
  counters.AddQueue("influx", [] { return std::size_t{3}; });
  counters.OnRecordsSaved(HistoryRowArray(2));
  counters.OnCycleEnded(StationSeen::kNotRead);
  HistoryRow stored;
  stored[row::outdoorTemperature] = "12.3";
  stored[row::relativePressure] = "1013.2";
  stored[row::rainTotal] = "12.5";
  stored[row::windSpeed] = "---";
  LampStates lamps{};
  lamps[21] = LampState::kTriggered;  // lamp 22, rain_hour_high
  lamps[0] = LampState::kArmed;
  const std::time_t readTime = 1714972089;
  live.OnReading(stored, lamps, readTime);
  live.OnCycleEnded(StationSeen::kRead);
  counters.OnCycleEnded(StationSeen::kRead);

  HttpServer server(live, data, clock);
  server.SetCounters(&counters);
  std::string error;
  ASSERT_TRUE(server.Start(ListenAddress{"127.0.0.1", 0}, error)) << error;
  const int port = server.port();
  const struct {
    std::string request;
    int status;
  } refused[] = {
      {"GET /metrics?name=x HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n", 400},
      {"GET /metrics HTTP/1.1\r\nHost: evil.example\r\nConnection: close\r\n\r\n", 421},
      {"POST /metrics HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\nContent-Length: 0\r\n\r\n", 405},
  };
  for (const auto& r : refused) EXPECT_EQ(test::Exchange(port, r.request).status, r.status) << r.request;

  const test::HttpAnswer answer = test::Get(port, "/metrics");
  ASSERT_EQ(answer.status, 200);
  EXPECT_EQ(test::HeaderValue(answer, "Content-Type"), "text/plain; version=0.0.4; charset=utf-8");
  const std::string& body = answer.body;
  for (const std::string line : {
           "# HELP skyvane_outdoor_temperature_celsius The live outdoor_temperature reading in celsius.\n"
           "# TYPE skyvane_outdoor_temperature_celsius gauge\n"
           "skyvane_outdoor_temperature_celsius 12.3\n",
           "\nskyvane_relative_pressure_hectopascals 1013.2\n",
           "\nskyvane_rain_total_meters 0.0125\n",
           "# TYPE skyvane_wind_speed_meters_per_second gauge\n# HELP skyvane_gust_speed",
           "\nskyvane_station_up 1\n",
           "\nskyvane_last_read_timestamp_seconds 1714972089\n",
           "\nskyvane_alarm_state{alarm=\"indoor_humidity_high\",state=\"armed\"} 1\n",
           "\nskyvane_alarm_state{alarm=\"rain_hour_high\",state=\"off\"} 0\n",
           "\nskyvane_alarm_state{alarm=\"rain_hour_high\",state=\"triggered\"} 1\n",
           "\nskyvane_alarm_state{alarm=\"rain_24h_high\",state=\"off\"} 1\n",
           "# TYPE skyvane_records_stored_total counter\nskyvane_records_stored_total 2\n",
           "\nskyvane_cycles_total 2\n",
           "\nskyvane_failed_reads_total 1\n",
           "\nskyvane_queue_records{queue=\"influx\"} 3\n",
           "\nskyvane_http_requests_total{code=\"400\"} 1\nskyvane_http_requests_total{code=\"405\"} 1\n"
           "skyvane_http_requests_total{code=\"421\"} 1\n",
       }) {
    EXPECT_NE(body.find(line), std::string::npos) << line << "\n---\n" << body;
  }
  if (test::PrometheusServer::Installed()) {
    // A real Prometheus takes what it scrapes.
    test::PrometheusServer prometheus(port);
    ASSERT_TRUE(prometheus.Start());
    std::string scraped;
    EXPECT_TRUE(test::WaitFor([&] {
      scraped = prometheus.Query("skyvane_outdoor_temperature_celsius{job=\"skyvane\"} and on() up == 1");
      return scraped.find("\"value\"") != std::string::npos;
    })) << scraped;
    EXPECT_NE(scraped.find(",\"12.3\"]"), std::string::npos) << scraped;
  }
  server.Stop();
  live.Stop();

  if (::access(kPromtool, X_OK) != 0) GTEST_SKIP() << "promtool is not installed";
  test::WriteFileBytes(folder / "metrics.txt", body);
  const std::string check = std::string(kPromtool) + " check metrics < " + (folder / "metrics.txt").string() +
                            " > " + (folder / "promtool.out").string() + " 2>&1";
  EXPECT_EQ(std::system(check.c_str()), 0) << test::ReadFileBytes(folder / "promtool.out");
}

TEST(Metrics, UnknownAlarmsAndAnswersThatAreNoReadingGiveNoMadeUpValue) {
  const std::string unknown = LiveMetricsText(R"({"time":null,"outdoor_temperature":null,"connected":false,)"
                                              R"("last_read":"yesterday","alarms":{"wind_direction":"unknown"}})");
  EXPECT_NE(unknown.find("skyvane_alarm_state{alarm=\"wind_direction\",state=\"off\"} 0\n"
                         "skyvane_alarm_state{alarm=\"wind_direction\",state=\"armed\"} 0\n"
                         "skyvane_alarm_state{alarm=\"wind_direction\",state=\"triggered\"} 0\n"),
            std::string::npos);
  EXPECT_EQ(unknown.find("\nskyvane_outdoor_temperature_celsius "), std::string::npos);
  EXPECT_EQ(unknown.find("\nskyvane_last_read_timestamp_seconds "), std::string::npos);
  EXPECT_NE(unknown.find("\nskyvane_station_up 0\n"), std::string::npos);
  EXPECT_EQ(LiveMetricsText("not json").find("} 1\n"), std::string::npos);

  const struct {
    std::string iso;
    long long seconds;
  } times[] = {
      {"2024-05-06T07:08:09+02:00", 1714972089},
      {"2024-05-06T05:08:09+00:00", 1714972089},
      {"2024-05-05T23:38:09-05:30", 1714972089},
      {"1970-01-01T00:00:00+00:00", 0},
      {"2024-02-29T12:00:00+00:00", 1709208000},
      {"2024-05-06T07:08:09Z", -1},
      {"2024-13-06T07:08:09+02:00", -1},
      {"2024-05-06 07:08:09+02:00", -1},
      {"2024-05-06T07:08:+9+02:00", -1},
  };
  for (const auto& t : times) EXPECT_EQ(IsoTimeSeconds(t.iso), t.seconds) << t.iso;
}

// The dashboard in docs/ asks for fields and metrics the program writes.
TEST(Metrics, TheGrafanaDashboardAsksForWhatIsWritten) {
  const nlohmann::json dashboard = nlohmann::json::parse(
      test::ReadFileBytes(test::GoldenFolder() / ".." / ".." / "docs" / "grafana-dashboard.json"), nullptr, false);
  ASSERT_TRUE(dashboard.is_object());
  const std::string metrics = LiveMetricsText("{}");
  std::set<std::string> fields;
  for (const ReadingKey& key : ReadingKeys()) fields.insert(std::string(key.name));
  std::size_t influx = 0;
  std::size_t prometheus = 0;
  const std::regex field(R"re(SELECT mean\("([a-z0-9_]+)"\) FROM "weather")re");
  const std::regex metric(R"(skyvane_[a-z0-9_]+)");
  for (const auto& panel : dashboard["panels"]) {
    for (const auto& target : panel["targets"]) {
      std::smatch m;
      const std::string query = target.value("query", "");
      const std::string expr = target.value("expr", "");
      if (std::regex_search(query, m, field)) {
        EXPECT_TRUE(fields.contains(m[1].str())) << query;
        ++influx;
      }
      if (std::regex_search(expr, m, metric)) {
        EXPECT_NE(metrics.find("# TYPE " + m[0].str() + " gauge\n"), std::string::npos) << expr;
        ++prometheus;
      }
    }
  }
  EXPECT_GE(influx, 10u);
  EXPECT_GE(prometheus, 11u);
}

}  // namespace
}  // namespace skyvane
