// skyvane-cli run --influx against a real InfluxDB: the records of a logger
// that ran while the database was stopped, and of one killed at a random
// moment while it wrote, are all in the database after a restart, each
// once, with the values of the data file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "cli/cli_test_support.h"
#include "cli/run_options.h"
#include "core/app/number_text.h"
#include "core/app/time_text.h"
#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "support/tsdb_servers.h"

namespace skyvane {
namespace {

using test::ReadFileBytes;
using test::ScratchFolder;
using test::WaitFor;
using Points = std::vector<std::pair<long long, double>>;  // time in seconds, outdoor temperature

Points DataFilePoints(const std::filesystem::path& folder) {
  Points out;
  std::istringstream lines(ReadFileBytes(folder / "Skyvane.dat"));
  for (std::string line; std::getline(lines, line);) {
    HistoryRow row;
    if (HistoryFile::ParseLine(row, line) <= 0) continue;
    double value = 0;
    if (ReadNumberText(TrimLine(row[row::outdoorTemperature]), value)) {
      out.emplace_back(LocalTimeOfText(TrimLine(row[row::recordTime])), value);
    }
  }
  return out;
}

// In pages small enough for the test's HTTP client.
Points DatabasePoints(const test::InfluxServer& server) {
  Points out;
  for (std::size_t page = 0;; page += 100) {
    const nlohmann::json answer = nlohmann::json::parse(
        server.Query("wx", "SELECT outdoor_temperature FROM weather LIMIT 100 OFFSET " + std::to_string(page)),
        nullptr, false);
    if (!answer.is_object() || !answer["results"][0].contains("series")) return out;
    for (const auto& v : answer["results"][0]["series"][0]["values"]) {
      out.emplace_back(v[0].get<long long>(), v[1].get<double>());
    }
  }
}

void Kill(pid_t pid, int signal = SIGKILL) {
  ::kill(pid, signal);
  ::waitpid(pid, nullptr, 0);
}

TEST(InfluxRun, RecordsOfAStoppedDatabaseAndAKilledLoggerAreAllWrittenOnce) {
  if (!test::InfluxServer::Installed()) GTEST_SKIP() << "influxd is not installed";
  ScratchFolder folder;
  test::InfluxServer server;
  const std::vector<std::string> args{"--folder", folder.path().string(),
                                      "--simulate=" + (folder / "sim").string(), "--sim-speed", "600",
                                      "--sim-seed", "7", "run", "--influx",
                                      "http://127.0.0.1:" + std::to_string(server.port()) + "/?db=wx"};
  // The database stopped: the records wait in the queue file.
  pid_t pid = test::StartCliProgram(args, folder / "run1.out", folder / "run1.err");
  ASSERT_NE(pid, 0);
  ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(folder / "run1.out").find("Read Records:") != std::string::npos; }));
  ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(folder / "run1.err").find("Influx: cannot write") != std::string::npos; }));
  Kill(pid);

  // Back, and the logger killed at a random moment of its catching up.
  ASSERT_TRUE(server.Start("wx"));
  pid = test::StartCliProgram(args, folder / "run2.out", folder / "run2.err");
  ASSERT_NE(pid, 0);
  ASSERT_TRUE(WaitFor([&] { return !DatabasePoints(server).empty(); }))
      << ReadFileBytes(folder / "run2.err") << server.Query("wx", "SELECT count(*) FROM weather");
  std::mt19937 random{std::random_device{}()};
  std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 100)(random)));
  Kill(pid);

  pid = test::StartCliProgram(args, folder / "run3.out", folder / "run3.err");
  ASSERT_NE(pid, 0);
  std::size_t caughtUp = 0;
  ASSERT_TRUE(WaitFor([&] {
    caughtUp = DataFilePoints(folder.path()).size();
    return DatabasePoints(server).size() == caughtUp;
  })) << ReadFileBytes(folder / "run3.err");
  Kill(pid, SIGTERM);

  // Every record of the data file once with its value, in file order; the
  // newest may have been saved after the last write.
  const Points stored = DataFilePoints(folder.path());
  const Points written = DatabasePoints(server);
  ASSERT_GE(written.size(), caughtUp);
  ASSERT_LE(written.size(), stored.size());
  EXPECT_EQ(written, Points(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(written.size())));
  EXPECT_EQ(ReadFileBytes(folder / "run3.err").find("refused"), std::string::npos);
}

TEST(InfluxRun, TheOptionTakesOneAddressBesideTheBrokers) {
  const struct {
    std::vector<std::string> args;
    std::string influx;  // or the error
  } cases[] = {
      {{"--influx", "http://h/?db=wx", "--mqtt", "mqtt://b"}, "http://h/?db=wx"},
      {{"--influx=http://h/?db=wx"}, "http://h/?db=wx"},
      {{"--influx"}, "--influx needs a database address (http://host:8086/?db=NAME)"},
      {{"--influx="}, "--influx needs a database address (http://host:8086/?db=NAME)"},
      {{"--influx", "a", "--influx", "b"}, "--influx given twice"},
      {{"--influxdb", "a"}, "unknown option of run: --influxdb"},
      {{"--mqtt"}, "--mqtt needs a broker address (mqtt://[user@]host[:port][/prefix])"},
  };
  for (const auto& c : cases) {
    RunOptions options;
    std::string error;
    const bool ok = ParseRunOptions(c.args, options, error);
    EXPECT_EQ(ok ? options.influx.value_or("") : error, c.influx) << c.args[0];
  }
}

}  // namespace
}  // namespace skyvane
