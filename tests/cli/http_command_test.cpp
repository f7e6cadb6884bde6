// skyvane-cli serving over HTTP: `run --http` on the virtual station (the
// records it serves are the lines it stored, an event after the cycles),
// `serve` beside it on the same folder, the address rules, and the dashboard
// in headless Chromium at a phone's and a desktop's width.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_test_support.h"
#include "core/climate/climate_support.h"
#include "core/history/history_file.h"
#include "core/monitor/alarm_evaluation.h"
#include "core/publish/http/live_state.h"
#include "core/publish/reading_json.h"
#include "support/http_exchange.h"
#include "support/local_time.h"

namespace skyvane {
namespace {

using nlohmann::json;
using test::ReadFileBytes;
using test::ScratchFolder;

// A skyvane-cli that serves, stopped by SIGTERM when the test is done with it.
class ServingCli {
 public:
  ServingCli(const std::vector<std::string>& args, const std::filesystem::path& errFile)
      : errFile_(errFile) {
    pid_ = test::StartCliProgram(args, errFile.string() + ".out", errFile);
    // The port it chose is in its "serving" line.
    const std::string mark = "serving http://127.0.0.1:";
    for (int i = 0; i < 300 && pid_ != 0 && port_ == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      const std::string err = ReadFileBytes(errFile);
      if (const std::size_t at = err.find(mark); at != std::string::npos) port_ = std::atoi(err.c_str() + at + mark.size());
      if (waitpid(pid_, &status_, WNOHANG) == pid_) pid_ = 0;
    }
  }
  ~ServingCli() { Stop(); }
  int port() const { return port_; }
  // SIGTERM and the exit status; -1 when it ended on its own before.
  int Stop() {
    if (pid_ == 0) return -1;
    kill(pid_, SIGTERM);
    waitpid(pid_, &status_, 0);
    pid_ = 0;
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
  }
  std::string err() const { return ReadFileBytes(errFile_); }

 private:
  std::filesystem::path errFile_;
  pid_t pid_ = 0;
  int port_ = 0;
  int status_ = 0;
};

// Runs a program found on PATH to its end, its output captured.
test::CliRun RunProgram(const std::string& program, const std::vector<std::string>& args) {
  ScratchFolder capture;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, (capture / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, (capture / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> all{program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  test::CliRun run;
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = ReadFileBytes(capture / "out");
  run.err = ReadFileBytes(capture / "err");
  return run;
}

json GetJson(int port, const std::string& path) {
  const test::HttpAnswer answer = test::Get(port, path);
  EXPECT_EQ(answer.status, 200) << path << "\n" << answer.body;
  return answer.status == 200 ? json::parse(answer.body) : json();
}

// Reads events from an open stream; the data of the next "current" event.
json NextEvent(test::HttpConnection& stream) {
  for (;;) {
    const std::string piece = stream.Take("\n\n");
    if (piece.empty()) return json();
    const std::size_t data = piece.find("event: current\ndata: ");
    if (data != std::string::npos) {
      return json::parse(piece.substr(data + 21, piece.find('\n', data + 21) - data - 21));
    }
  }
}

std::vector<std::string> SimulatedRun(const ScratchFolder& folder, const std::string& speed) {
  return {"--folder", folder.path().string(), "--simulate=" + (folder / "sim").string(),
          "--sim-speed", speed, "--sim-seed", "7", "run"};
}

// The first event of a stream that says the station was read (the stream
// opens with the state so far; the monitor polls every 15 s).
json FirstConnectedEvent(int port) {
  test::HttpConnection stream(port);
  EXPECT_TRUE(stream.Send("GET /api/events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
  json event = NextEvent(stream);
  for (int i = 0; i < 3 && event["connected"] != true; ++i) event = NextEvent(stream);
  return event;
}

TEST(HttpCommand, RunServesTheStationLiveAndTheRecordsItStored) {
  ScratchFolder folder;
  std::vector<std::string> args = SimulatedRun(folder, "1000");
  args.insert(args.end(), {"--http", "127.0.0.1:0"});
  ServingCli cli(args, folder / "err");
  ASSERT_GT(cli.port(), 0) << cli.err();

  // The stream opens with the state so far and has an event after the first
  // cycle (the monitor polls every 15 s; how many events per cycle is the
  // server test's business).
  const json event = FirstConnectedEvent(cli.port());
  EXPECT_EQ(event["source"], "live");
  EXPECT_EQ(event["connected"], true);
  EXPECT_TRUE(event["indoor_temperature"].is_number()) << event.dump();
  EXPECT_EQ(event["units"]["rain_total"], "mm");
  EXPECT_EQ(event["alarms"].size(), 23u);

  const json current = GetJson(cli.port(), "/api/current");
  EXPECT_EQ(current["connected"], true);
  EXPECT_TRUE(current["last_read"].is_string());

  // The records served are the data file's lines, in file order.
  const json records = GetJson(cli.port(), "/api/records?from=2000-01-01");
  ASSERT_TRUE(records.is_array());
  ASSERT_GT(records.size(), 100u);
  FixedClock clock;
  HistoryFile file(clock);
  ASSERT_TRUE(file.OpenFile((folder / "Skyvane.dat").string()));
  HistoryRowArray rows;
  file.LoadAll(rows);
  ASSERT_GE(rows.size(), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    ASSERT_EQ(records[i], json::parse(RecordJson(rows[i]))) << "record " << i;
  }
  EXPECT_EQ(cli.Stop(), 0);
  EXPECT_EQ(cli.err().find("warning"), std::string::npos) << cli.err();
}

TEST(HttpCommand, ServeBesideTheLoggerTakesItsAddressFromTheSettingsAndFollowsTheFile) {
  ScratchFolder folder;
  std::ofstream(folder / "Skyvane.ini") << "[http]\r\nListen=127.0.0.1:0\r\n";
  std::ofstream(folder / "Skyvane.dat");  // the logger's, with nothing stored yet
  ServingCli serve({"--folder", folder.path().string(), "serve"}, folder / "serve.err");
  ASSERT_GT(serve.port(), 0) << serve.err();
  test::HttpConnection stream(serve.port());
  ASSERT_TRUE(stream.Send("GET /api/events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
  EXPECT_EQ(NextEvent(stream)["time"], nullptr);  // nothing stored yet

  // The logger polls into the same folder (serve holds no lock) and appends
  // its first records: an event with the newest of them.
  std::vector<std::string> loggerArgs = SimulatedRun(folder, "1000");
  loggerArgs.insert(loggerArgs.end(), {"--http", "127.0.0.1:0"});
  ServingCli logger(loggerArgs, folder / "logger.err");
  const json event = NextEvent(stream);
  EXPECT_EQ(event["source"], "stored");
  EXPECT_EQ(event["connected"], false);
  FixedClock clock;
  HistoryFile file(clock);
  ASSERT_TRUE(file.OpenFile((folder / "Skyvane.dat").string()));
  HistoryRow last;
  ASSERT_TRUE(file.LoadLastRow(last));
  EXPECT_LE(event["time"].get<std::string>(), IsoLocalTime(last[row::recordTime]));
  EXPECT_EQ(GetJson(serve.port(), "/api/current")["time"], IsoLocalTime(last[row::recordTime]));

  // Once the logger has read the station, serve shows its units and lamps.
  const json live = FirstConnectedEvent(logger.port());
  ASSERT_EQ(live["connected"], true);
  json stored;
  for (int i = 0; i < 100; ++i) {
    stored = GetJson(serve.port(), "/api/current");
    if (stored["alarms_seen"].is_string()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(stored["units"], live["units"]);
  EXPECT_EQ(stored["alarms"], GetJson(logger.port(), "/api/current")["alarms"]);
  EXPECT_TRUE(stored["alarms_seen"].is_string()) << stored.dump();
  EXPECT_EQ(serve.Stop(), 0);
  EXPECT_EQ(logger.Stop(), 0);
}

TEST(HttpCommand, AddressesThatDoNotParseAndTheWarningBeyondLoopback) {
  ScratchFolder folder;
  const std::string f = folder.path().string();
  std::ofstream(folder / "Skyvane.dat");
  auto run = test::RunCliProgram({"--folder", f, "serve"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("usage: serve"), std::string::npos) << run.err;
  run = test::RunCliProgram({"--folder", f, "serve", "--http", "port80"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "skyvane-cli: 'port80' is no address: the port must be a number from 0 to 65535\n");
  run = test::RunCliProgram({"--folder", f, "--simulate", "run", "--http", "127.0.0.1:0", "extra"});
  EXPECT_EQ(run.status, 2);
  // The option wins over the settings, which name an address that does not parse.
  std::ofstream(folder / "Skyvane.ini") << "[http]\r\nListen=nowhere\r\n";
  run = test::RunCliProgram({"--folder", f, "serve"});
  EXPECT_EQ(run.err, "skyvane-cli: 'nowhere' is no address: the port must be a number from 0 to 65535\n");
  // An address of the documentation network is no address of this machine.
  run = test::RunCliProgram({"--folder", f, "serve", "--http=192.0.2.1:0"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "skyvane-cli: warning: serving on 192.0.2.1:0 makes the weather data visible to the network, "
            "without password or encryption\n"
            "skyvane-cli: cannot listen on 192.0.2.1:0\n");
}

// The page in a real browser: live values, the alarm lamps and five charts
// drawn from the records, at a phone's width and a desktop's.
TEST(HttpCommand, TheDashboardShowsTheStationInABrowser) {
  ScratchFolder folder;
  std::vector<std::string> args = SimulatedRun(folder, "60");
  args.insert(args.end(), {"--http", "0"});
  ServingCli cli(args, folder / "err");
  ASSERT_GT(cli.port(), 0) << cli.err();
  // The page is looked at once the logger has read the station.
  ASSERT_EQ(FirstConnectedEvent(cli.port())["connected"], true) << cli.err();

  const std::string script = std::string(SKYVANE_SOURCE_DIR) + "/tests/cli/browser/dashboard_check.py";
  const std::string shot = std::string(SKYVANE_BINARY_DIR) + "/dashboard.png";
  const auto check = RunProgram("python3", {script, "http://127.0.0.1:" + std::to_string(cli.port()) + "/",
                                                  (folder / "chromium").string(), "--screenshot", shot, "375", "1280"});
  ASSERT_EQ(check.status, 0) << check.err;
  const std::vector<std::string> lines = test::Lines(check.out);
  ASSERT_EQ(lines.size(), 2u) << check.out << check.err;
  for (const std::string& line : lines) {
    const json page = json::parse(line);
    SCOPED_TRACE(line);
    EXPECT_EQ(page["lang"], "en");
    EXPECT_EQ(page["title"], "Skyvane Radio Controlled");
    EXPECT_GE(page["live"].get<int>(), 1);
    EXPECT_EQ(page["link"], "Station connected");
    EXPECT_EQ(page["stale"], 0);  // live values are not greyed
    EXPECT_EQ(page["charts"], 5);
    for (const auto& drawn : page["drawn"]) EXPECT_GT(drawn.get<int>(), 0);
    for (const auto& inked : page["inked"]) EXPECT_GT(inked.get<int>(), 500);  // lines, not just a blank canvas
    // Indoors: the simulated outdoor sensor is now and then not heard.
    const std::string temperature = page["shown"]["indoor_temperature"];
    EXPECT_TRUE(temperature.size() > 3 && temperature.substr(temperature.size() - 3) == "°C") << temperature;
    EXPECT_EQ(page["shown"]["relative_pressure"].get<std::string>().find("---"), std::string::npos);
    ASSERT_EQ(page["lamps"].size(), 23u);
    for (const auto& lamp : page["lamps"]) {
      EXPECT_TRUE(lamp == "off" || lamp == "armed" || lamp == "triggered") << lamp;
    }
    EXPECT_LE(page["overflow"].get<int>(), 0) << "no sideways scrolling at " << page["width"];
  }
  EXPECT_GT(std::filesystem::file_size(shot), 10000u);
}

// `serve` without a station, in German: the values the logger last stored in
// the units it showed, greyed as not live, decimal commas on the cards and
// the chart axes alike, the lamps as last seen and when.
TEST(HttpCommand, TheDashboardOfServeGreysWhatIsNotLiveInTheReadersLanguage) {
  ScratchFolder folder;
  std::filesystem::copy_file(std::filesystem::path(SKYVANE_SOURCE_DIR) / "tests/data/Skyvane.dat",
                             folder / "Skyvane.dat");
  LiveState state;
  state.units[hdr::kUnitPressure] = "inHg";
  state.units[hdr::kUnitWind] = "km/h";
  state.lamps[lamp::kRain24hHigh - 1] = LampState::kTriggered;
  state.seen = std::time(nullptr) - 86400;
  std::ofstream(folder / kLiveStateFileName) << LiveStateText(state);
  ServingCli serve({"--folder", folder.path().string(), "serve", "--http", "127.0.0.1:0"}, folder / "err");
  ASSERT_GT(serve.port(), 0) << serve.err();

  const std::string script = std::string(SKYVANE_SOURCE_DIR) + "/tests/cli/browser/dashboard_check.py";
  const auto check = RunProgram("python3", {script, "http://127.0.0.1:" + std::to_string(serve.port()) + "/",
                                            (folder / "chromium").string(), "--language", "de", "1280"});
  ASSERT_EQ(check.status, 0) << check.err;
  const json page = json::parse(check.out);
  SCOPED_TRACE(check.out);
  EXPECT_EQ(page["lang"], "de");
  EXPECT_EQ(page["title"], "Skyvane – Funkwetterstation");
  EXPECT_EQ(page["link"], "Neuester gespeicherter Datensatz (keine Station angeschlossen)");
  EXPECT_EQ(page["readTime"].get<std::string>().rfind("Zuletzt gelesen: ", 0), 0u);
  EXPECT_EQ(page["alarmsSeen"].get<std::string>().rfind("(zuletzt gesehen: ", 0), 0u);
  EXPECT_GT(page["cards"].get<int>(), 0);
  EXPECT_EQ(page["stale"], page["cards"]);
  for (const auto& color : page["staleColor"]) EXPECT_EQ(color, "rgb(184, 192, 200)");
  // 1002.6 hPa and 9.6 m/s of the newest record.
  EXPECT_EQ(page["shown"]["relative_pressure"], "29,61inHg");
  EXPECT_EQ(page["shown"]["wind_speed"], "34,6km/h");
  EXPECT_EQ(page["shown"]["outdoor_temperature"], "25,4°C");
  EXPECT_EQ(page["direction"], "N");
  EXPECT_EQ(page["lamps"][lamp::kRain24hHigh - 1], "triggered");
  EXPECT_EQ(page["lamps"][0], "off");
  // The pressure chart's axis (the third chart) in inHg with decimal commas.
  bool comma = false;
  for (const auto& tick : page["ticks"][2]) {
    const std::string label = tick;
    EXPECT_EQ(label.find('.'), std::string::npos) << label;
    comma = comma || label.find(',') != std::string::npos;
  }
  EXPECT_TRUE(comma) << page["ticks"][2].dump();
  EXPECT_EQ(serve.Stop(), 0);
}

// A zone in which it is 11:50 now (a POSIX TZ text, no zone files needed),
// so that the records a test stamps earlier "today" are today's whenever it
// runs.
std::string ZoneWhereItIsTenToNoon(std::time_t now) {
  long east = 11 * 3600 + 50 * 60 - static_cast<long>(now % 86400);
  if (east > 14 * 3600) east -= 86400;
  if (east < -12 * 3600) east += 86400;
  const long west = -east, a = west < 0 ? -west : west;
  char zone[32];
  std::snprintf(zone, sizeof zone, "SKY%c%ld:%02ld:%02ld", west < 0 ? '-' : '+', a / 3600, a / 60 % 60, a % 60);
  return zone;
}

// The climate page and the Today panel in Danish, in the units the station
// showed last (°F, inHg, km/h, in): the months of the year, the records of
// all time beside this year's, the day chart, and today's high and low with
// their times, its rain, the last hour's rain and the pressure's rise.
TEST(HttpCommand, TheClimatePageAndTheTodayPanelInTheStationsUnits) {
  const std::time_t now = std::time(nullptr);
  test::FixedZone zone(ZoneWhereItIsTenToNoon(now).c_str());
  const std::string day = test::LocalStamp(now, "%Y-%m-%d");
  const std::string lastYear = std::to_string(std::stoi(day.substr(0, 4)) - 1);
  const auto row = [](std::string time, std::string t, std::string p, std::string rain, std::string gust = "0.0") {
    testing::ClimateRow r;
    r.time = std::move(time);
    r.temperature = std::move(t);
    r.pressure = std::move(p);
    r.rain = std::move(rain);
    r.gust = std::move(gust);
    return r;
  };
  ScratchFolder folder;
  test::WriteFileBytes(folder / "Skyvane.dat",
                       testing::ClimateLines({row(lastYear + "-07-15 14:00:00", "30.0", "1030.0", "0.0", "12.0"),
                                              row(day + " 06:30:00", "-2.5", "1011.0", "0.0"),
                                              row(day + " 09:00:00", "1.0", "1012.0", "0.3"),
                                              row(day + " 11:15:00", "6.5", "1014.0", "1.2"),
                                              row(day + " 11:45:00", "6.5", "1015.5", "0.9")}));
  LiveState state;
  state.units[hdr::kUnitOutdoorTemp] = "°F";
  state.units[hdr::kUnitPressure] = "inHg";
  state.units[hdr::kUnitWind] = "km/h";
  state.units[hdr::kUnitRain] = "inch";
  state.seen = now - 60;
  std::ofstream(folder / kLiveStateFileName) << LiveStateText(state);
  ServingCli serve({"--folder", folder.path().string(), "serve", "--http", "127.0.0.1:0"}, folder / "err");
  ASSERT_GT(serve.port(), 0) << serve.err();

  const std::string script = std::string(SKYVANE_SOURCE_DIR) + "/tests/cli/browser/dashboard_check.py";
  const auto check = RunProgram("python3", {script, "http://127.0.0.1:" + std::to_string(serve.port()) + "/#climate",
                                            (folder / "chromium").string(), "--language", "da", "1280"});
  ASSERT_EQ(check.status, 0) << check.err;
  const json page = json::parse(check.out);
  SCOPED_TRACE(check.out);
  EXPECT_EQ(page["lang"], "da");
  EXPECT_EQ(page["dashboardHidden"], true);
  EXPECT_EQ(page["year"], day.substr(0, 4));
  EXPECT_EQ(page["month"], day.substr(0, 7));
  // The dates as Danish writes them ("8.12.2026").
  const auto date = [](const std::string& d) {
    return std::to_string(std::stoi(d.substr(8, 2))) + "." + std::to_string(std::stoi(d.substr(5, 2))) + "." +
           d.substr(0, 4);
  };
  static const char* const kMonths[] = {"januar", "februar", "marts", "april", "maj", "juni", "juli",
                                        "august", "september", "oktober", "november", "december"};
  // 6.5 and -2.5 °C, the daily mean 2.875 (2.9) °C, 2.4 mm, 18.3 - 2.9 heating degrees in °F.
  const std::vector<std::string> figures = {"43,7 °F", "27,5 °F", "37,2 °F", "0,09 in", "1", "27,7", "0,0"};
  std::vector<std::string> month = {kMonths[std::stoi(day.substr(5, 2)) - 1]}, year = {"År " + day.substr(0, 4)};
  month.insert(month.end(), figures.begin(), figures.end());
  year.insert(year.end(), figures.begin(), figures.end());
  EXPECT_EQ(page["months"], json({month, year}));
  const std::string today = date(day), before = date(lastYear + "-07-15") + " 14:00";
  const auto same = [](const std::string& cell) { return std::vector<std::string>{cell, cell}; };
  const auto records = [&](const std::string& name, const std::string& allTime, const std::vector<std::string>& spans) {
    return std::vector<std::string>{name, allTime, spans[0], spans[1]};
  };
  EXPECT_EQ(page["records"], json({
      records("Højeste temperatur", "86,0 °F | " + before, same("43,7 °F | " + today + " 11:15")),
      records("Laveste temperatur", "27,5 °F | " + today + " 06:30", same("27,5 °F | " + today + " 06:30")),
      records("Kraftigste vindstød", "43,2 km/h | " + before, same("0,0 km/h | " + today + " 06:30")),
      records("Vådeste dag", "0,09 in | " + today, same("0,09 in | " + today)),
      records("Højeste lufttryk", "30,42 inHg | " + before, same("29,99 inHg | " + today + " 11:45")),
      records("Laveste lufttryk", "29,85 inHg | " + today + " 06:30", same("29,85 inHg | " + today + " 06:30")),
  }));
  EXPECT_EQ(page["chartDays"], 1);
  EXPECT_GT(page["chartInked"].get<int>(), 500);
  // 2.1 mm since 10:50; from 1012.0 hPa at 09:00 to 1015.5 at 11:45.
  EXPECT_EQ(page["today"], json({{"high", "43,7 °F"}, {"high_time", "11:15"}, {"low", "27,5 °F"}, {"low_time", "06:30"},
                                 {"rain_today", "0,09 in"}, {"rain_last_hour", "0,08 in"},
                                 {"pressure_trend", "+0,10 inHg"}, {"tendency", "stigende"}}));
  EXPECT_LE(page["overflow"].get<int>(), 0);
  EXPECT_EQ(serve.Stop(), 0);
}

}  // namespace
}  // namespace skyvane
