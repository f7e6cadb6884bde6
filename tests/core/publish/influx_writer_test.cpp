// InfluxWriter against the real databases Debian ships, started on free
// loopback ports: every record written once and in order across a database
// that was away and a restart of the writer, a point the database refuses
// set aside and told once, the 2.x write path (VictoriaMetrics), and a
// server in trouble or hanging.
#include "core/publish/influx/influx_writer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/history/history_line.h"
#include "core/publish/influx/influx_setup.h"
#include "core/publish/influx/line_protocol.h"
#include "core/publish/reading_json.h"
#include "support/golden.h"
#include "support/loopback_server.h"
#include "support/tsdb_servers.h"

namespace skyvane {
namespace {

using test::WaitFor;

HistoryRowArray GoldenRows() {
  HistoryRowArray rows;
  std::ifstream file(test::GoldenFolder() / "Skyvane.dat");
  for (std::string line; std::getline(file, line);) {
    HistoryRow row;
    if (ParseLine(row, line) > 0) rows.push_back(row);
  }
  return rows;
}

struct Log {
  std::mutex mutex;
  std::vector<std::string> lines;
  InfluxLog Sink() {
    return [this](bool error, const std::string& line) {
      std::lock_guard lock(mutex);
      lines.push_back((error ? "E " : "I ") + line);
    };
  }
  std::size_t Count(const std::string& part) {
    std::lock_guard lock(mutex);
    std::size_t n = 0;
    for (const auto& l : lines) n += l.find(part) != std::string::npos ? 1 : 0;
    return n;
  }
  std::string All() {
    std::lock_guard lock(mutex);
    std::string all;
    for (const auto& l : lines) all += l + "\n";
    return all;
  }
};

InfluxOptions Options(const std::string& url, const test::ScratchFolder& folder) {
  InfluxOptions options;
  bool enabled = false;
  std::string error;
  MakeInfluxOptions(InfluxSettings{}, url, "s3cret", folder.path(), options, enabled, error);
  options.firstRetry = std::chrono::milliseconds(50);
  options.lastRetry = std::chrono::milliseconds(200);
  options.batchSize = 4;
  return options;
}

// The values of a field in time order, as InfluxDB answers a query for them.
std::vector<double> StoredValues(const test::InfluxServer& server, const std::string& field) {
  const nlohmann::json answer = nlohmann::json::parse(
      server.Query("wx", "SELECT \"" + field + "\" FROM weather WHERE station='skyvane'"), nullptr, false);
  std::vector<double> values;
  const nlohmann::json* series = nullptr;
  if (answer.is_object() && answer.contains("results") && answer["results"][0].contains("series")) {
    series = &answer["results"][0]["series"][0];
  }
  if (series == nullptr) return values;
  for (const auto& v : (*series)["values"]) {
    if (v[1].is_number()) values.push_back(v[1].get<double>());
  }
  return values;
}

std::vector<double> RowValues(const HistoryRowArray& rows, std::string_view name) {
  std::vector<double> values;
  for (const ReadingKey& key : ReadingKeys()) {
    if (key.name != name) continue;
    for (const HistoryRow& row : rows) {
      if (const auto v = ReadingValue(row, key)) values.push_back(*v);
    }
  }
  return values;
}

TEST(InfluxWriter, PointsWaitWhileTheDatabaseIsAwayAndFollowOnceInOrder) {
  if (!test::InfluxServer::Installed()) GTEST_SKIP() << "influxd is not installed";
  test::ScratchFolder folder;
  test::InfluxServer server;
  const HistoryRowArray rows = GoldenRows();
  ASSERT_GT(rows.size(), 8u);
  const InfluxOptions options = Options("http://127.0.0.1:" + std::to_string(server.port()) + "/?db=wx", folder);
  Log log;
  {
    InfluxWriter writer(options, log.Sink());
    ASSERT_TRUE(writer.Start());
    writer.OnRecordsSaved(rows);
    ASSERT_TRUE(WaitFor([&] { return log.Count("E Influx: cannot write to http://127.0.0.1:") > 0; })) << log.All();
    EXPECT_EQ(writer.QueuedPoints(), rows.size());
  }
  ASSERT_TRUE(server.Start("wx"));
  {
    InfluxWriter again(options, log.Sink());
    ASSERT_TRUE(again.Start());
    ASSERT_TRUE(WaitFor([&] { return again.QueuedPoints() == 0; })) << log.All();
  }
  for (const std::string_view field : {"outdoor_temperature", "relative_pressure", "rain_total", "wind_direction"}) {
    EXPECT_EQ(StoredValues(server, std::string(field)), RowValues(rows, field)) << field;
  }
  EXPECT_EQ(log.Count("E "), 1u) << "only the first writer's failure: " << log.All();
}

TEST(InfluxWriter, APointTheDatabaseRefusesIsSetAsideAndToldOnce) {
  if (!test::InfluxServer::Installed()) GTEST_SKIP() << "influxd is not installed";
  test::ScratchFolder folder;
  test::InfluxServer server;
  ASSERT_TRUE(server.Start("wx"));
  // Only one record has a windchill, which the database holds as text: it
  // refuses that record alone.
  HistoryRowArray rows = GoldenRows();
  for (HistoryRow& row : rows) row[row::windChill] = "---";
  rows[5][row::windChill] = "12.5";
  const std::string clash = RecordPoint(rows[5], "weather", "skyvane");
  const std::string text = "weather,station=other windchill=\"cold\" " + clash.substr(clash.rfind(' ') + 1);
  ASSERT_EQ(test::LoopbackHttp(server.port(), "/write?db=wx&precision=s", &text).status, 204);

  Log log;
  const InfluxOptions options = Options("http://127.0.0.1:" + std::to_string(server.port()) + "/?db=wx", folder);
  InfluxWriter writer(options, log.Sink());
  ASSERT_TRUE(writer.Start());
  writer.OnRecordsSaved(rows);
  ASSERT_TRUE(WaitFor([&] { return writer.QueuedPoints() == 0; })) << log.All();
  EXPECT_EQ(log.Count("E Influx: the database at http://127.0.0.1:" + std::to_string(server.port()) +
                      " refused a point (HTTP 400: partial write: field type conflict"), 1u) << log.All();
  EXPECT_EQ(log.Count("it is set aside in " + options.refusedFile.string()), 1u) << log.All();
  EXPECT_EQ(test::ReadFileBytes(options.refusedFile), clash + "\n");
  HistoryRowArray others = rows;
  others.erase(others.begin() + 5);
  EXPECT_EQ(StoredValues(server, "relative_pressure"), RowValues(others, "relative_pressure"));
}

TEST(InfluxWriter, TheSecondVersionsWritePathFillsVictoriaMetrics) {
  if (!test::VictoriaMetricsServer::Installed()) GTEST_SKIP() << "victoria-metrics is not installed";
  test::ScratchFolder folder;
  test::VictoriaMetricsServer server;
  ASSERT_TRUE(server.Start());
  const HistoryRowArray rows = GoldenRows();
  Log log;
  InfluxWriter writer(Options("http://127.0.0.1:" + std::to_string(server.port()) + "/?org=home&bucket=wx", folder),
                      log.Sink());
  ASSERT_TRUE(writer.Start());
  writer.OnRecordsSaved(rows);
  ASSERT_TRUE(WaitFor([&] { return writer.QueuedPoints() == 0; })) << log.All();
  std::vector<double> values;
  ASSERT_TRUE(WaitFor([&] {
    const nlohmann::json series =
        nlohmann::json::parse(server.Export("weather_outdoor_temperature{station=\"skyvane\"}"), nullptr, false);
    values = series.is_object() ? series["values"].get<std::vector<double>>() : std::vector<double>{};
    return values.size() >= rows.size();
  }));
  EXPECT_EQ(values, RowValues(rows, "outdoor_temperature"));
}

// A database in trouble is tried again without a new line each time, its
// message told without the token; one that never answers is left at once
// on a stop, its points kept for the next start.
TEST(InfluxWriter, TroubleIsRetriedAndToldOnceAndAStopEndsAHangingWrite) {
  test::ScratchFolder folder;
  const HistoryRowArray rows = GoldenRows();
  {
    test::LoopbackServer troubled(test::AnswerHttp("503 Service Unavailable", "{\"error\":\"token s3cret: overloaded\"}"));
    Log log;
    InfluxWriter writer(Options("http://127.0.0.1:" + std::to_string(troubled.port()) + "/?db=wx", folder), log.Sink());
    ASSERT_TRUE(writer.Start());
    writer.OnRecordsSaved(rows);
    EXPECT_EQ(troubled.WaitFor(3, std::chrono::seconds(20)).size(), 3u);
    writer.Stop();
    EXPECT_EQ(log.Count("E Influx: cannot write to http://127.0.0.1:" + std::to_string(troubled.port()) +
                        ": HTTP 503: token ***: overloaded; trying again in the background"), 1u) << log.All();
    EXPECT_EQ(log.Count("s3cret"), 0u);
    EXPECT_EQ(writer.QueuedPoints(), rows.size());
  }
  std::atomic<bool> asked{false};
  test::LoopbackServer hanging([&asked](int fd) {
    test::ReceiveLine(fd);
    asked = true;
    return test::NeverAnswer(fd);
  });
  Log log;
  InfluxOptions options = Options("http://127.0.0.1:" + std::to_string(hanging.port()) + "/?db=wx", folder);
  options.timeout = std::chrono::seconds(120);
  InfluxWriter writer(options, log.Sink());
  ASSERT_TRUE(writer.Start());
  EXPECT_EQ(writer.QueuedPoints(), rows.size()) << "what the last writer left";
  ASSERT_TRUE(WaitFor([&] { return asked.load(); }));
  writer.Stop();
  EXPECT_EQ(log.Count("E "), 0u) << "stopped before any timeout: " << log.All();
  EXPECT_EQ(writer.QueuedPoints(), rows.size());
}

}  // namespace
}  // namespace skyvane
