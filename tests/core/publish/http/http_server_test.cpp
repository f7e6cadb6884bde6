// The HTTP API against the golden data file (records compared with the golden
// record objects of the same lines), the live reading and its event stream,
// the page in three languages, and requests that must be refused without
// harming the server.
#include "core/publish/http/http_server.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/history/history_file.h"
#include "core/publish/http/dashboard_texts.h"
#include "core/publish/http/listen_address.h"
#include "core/publish/http/live_state.h"
#include "core/publish/http/records_query.h"
#include "support/golden.h"
#include "support/http_exchange.h"
#include "support/local_time.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

using nlohmann::json;
using test::Get;
using test::HttpAnswer;

// Summer time in Copenhagen, as the golden record objects were written.
class CopenhagenTime {
 public:
  CopenhagenTime() {
    if (const char* tz = std::getenv("TZ")) saved_ = tz, hadTz_ = true;
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    ::tzset();
  }
  ~CopenhagenTime() {
    if (hadTz_) ::setenv("TZ", saved_.c_str(), 1);
    else ::unsetenv("TZ");
    ::tzset();
  }

 private:
  std::string saved_;
  bool hadTz_ = false;
};

// The golden record objects, one per line of the golden data file.
std::vector<json> GoldenRecords() {
  std::ifstream in(test::GoldenFolder() / "publish" / "readings.jsonl");
  std::vector<json> records;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) records.push_back(json::parse(line));
  }
  return records;
}

// A server over a copy of the golden data file, its live values from the
// file or from a LiveReading the test feeds.
class HttpServerTest : public ::testing::Test {
 protected:
  void Serve(CurrentSource& source, HttpServerLimits limits = {}) {
    std::filesystem::copy_file(test::GoldenFolder() / "Skyvane.dat", folder_ / "Skyvane.dat");
    ASSERT_TRUE(data_.Open((folder_ / "Skyvane.dat").string()));
    server_ = std::make_unique<HttpServer>(source, data_, clock_, limits);
    std::string error;
    ASSERT_TRUE(server_->Start(ListenAddress{"127.0.0.1", 0}, error)) << error;
    port_ = server_->port();
    ASSERT_GT(port_, 0);
  }
  json GetJson(const std::string& path) {
    const HttpAnswer answer = Get(port_, path);
    EXPECT_EQ(answer.status, 200) << path << "\n" << answer.body;
    return answer.status == 200 ? json::parse(answer.body) : json();
  }

  StoredReading& Stored(std::chrono::milliseconds checkEvery = std::chrono::seconds(1)) {
    stored_ = std::make_unique<StoredReading>(data_, checkEvery, (folder_ / kLiveStateFileName).string());
    return *stored_;
  }

  CopenhagenTime zone_;
  FixedClock clock_{test::LocalTime(2024, 5, 6, 7, 10)};
  test::ScratchFolder folder_;
  DataFileReader data_{clock_};
  // The sources outlive the server, which stops them.
  std::unique_ptr<StoredReading> stored_;
  LiveReading live_;
  std::unique_ptr<HttpServer> server_;
  int port_ = 0;
};

TEST_F(HttpServerTest, RecordsAreTheStoredLinesInTheRangeWithBothEndsIncluded) {
  Serve(Stored());
  const std::vector<json> golden = GoldenRecords();
  ASSERT_GE(golden.size(), 15u);  // the records, then live readings

  struct Case {
    std::string query;
    std::size_t first, count;  // golden lines, counted from 1
  };
  const Case cases[] = {
      {"from=2024-05-06%2006:13:09&to=2024-05-06T06:28:09", 4, 4},
      {"from=2024-05-06T04:13:09Z&to=2024-05-06T06:28:08%2B02:00", 4, 3},  // UTC and an offset
      {"from=2024-05-06T06:13:09+02:00&to=2024-05-06T06:13:09", 4, 1},     // '+' read as a blank
      {"from=2024-05-06T06:13:10", 5, 11},                                  // no to: up to the last
      {"from=2024-05-06", 1, 15},
      {"from=2024-05-07", 1, 0},
      {"", 1, 15},  // the last 24 hours before the clock
  };
  for (const Case& c : cases) {
    const json records = GetJson("/api/records?" + c.query);
    ASSERT_TRUE(records.is_array()) << c.query;
    ASSERT_EQ(records.size(), c.count) << c.query;
    for (std::size_t i = 0; i < c.count; ++i) EXPECT_EQ(records[i], golden[c.first - 1 + i]) << c.query;
  }
  // A day later only the records of the last 24 hours remain.
  clock_.Set(test::LocalTime(2024, 5, 7, 6, 30));
  const json recent = GetJson("/api/records");
  ASSERT_EQ(recent.size(), 8u);
  EXPECT_EQ(recent[0]["time"], "2024-05-06T06:33:09+02:00");
}

TEST_F(HttpServerTest, RecordsWithChosenKeysAsJsonCsvAndThinned) {
  Serve(Stored());
  const json some = GetJson("/api/records?from=2024-05-06T06:53:09&keys=outdoor_temperature,rain_total");
  ASSERT_EQ(some.size(), 4u);
  EXPECT_EQ(some[1], json::parse(R"({"time":"2024-05-06T06:58:09+02:00","outdoor_temperature":-28.4,"rain_total":3.6})"))
      << some[1].dump();

  const HttpAnswer csv = Get(port_, "/api/records?from=2024-05-06T07:03:09&keys=outdoor_temperature,wind_direction&format=csv");
  EXPECT_EQ(csv.status, 200);
  EXPECT_EQ(test::HeaderValue(csv, "Content-Type"), "text/csv; charset=utf-8");
  EXPECT_EQ(csv.body,
            "time,outdoor_temperature,wind_direction\r\n"
            "2024-05-06T07:03:09+02:00,24.9,337.5\r\n"
            "2024-05-06T07:08:09+02:00,25.4,0\r\n");

  // At most max records, the first and the last among them.
  const json thinned = GetJson("/api/records?from=2024-05-06&keys=rain_total&max=3");
  ASSERT_EQ(thinned.size(), 3u);
  EXPECT_EQ(thinned[0]["time"], "2024-05-06T05:58:09+02:00");
  EXPECT_EQ(thinned[1]["time"], "2024-05-06T06:33:09+02:00");
  EXPECT_EQ(thinned[2]["time"], "2024-05-06T07:08:09+02:00");

  // A refused query says why in JSON, naming what it did not know, with
  // nothing of the request but printable ASCII.
  const std::pair<std::string, std::string> refused[] = {
      {"keys=outdoor_temperature,nope", "unknown key 'nope'"},
      {"keys=nope,outdoor_temperature", "unknown key 'nope'"},
      {"keys=%1B%5B2Jx%C3%A4", "unknown key '?[2Jx?" "?'"},
      {"when=now", "unknown parameter 'when'"},
      {"from=" + std::string(60, 'y'), "'" + std::string(40, 'y') + "...' is no time: write 2024-05-06T07:08:09 or 2024-05-06 07:08:09"},
  };
  for (const auto& [query, error] : refused) {
    const HttpAnswer answer = Get(port_, "/api/records?" + query);
    EXPECT_EQ(answer.status, 400) << query;
    EXPECT_EQ(test::HeaderValue(answer, "Content-Type"), "application/json; charset=utf-8");
    EXPECT_EQ(answer.body, "{\"error\":" + json(error).dump() + "}\n") << query;
  }
}

TEST_F(HttpServerTest, TheDataFileAloneGivesItsNewestRecordMarkedStored) {
  StoredReading& stored = Stored(std::chrono::milliseconds(10));
  Serve(stored);
  const json current = GetJson("/api/current");
  EXPECT_EQ(current["source"], "stored");
  EXPECT_EQ(current["connected"], false);
  EXPECT_EQ(current["time"], "2024-05-06T07:08:09+02:00");
  EXPECT_EQ(current["last_read"], "2024-05-06T07:08:09+02:00");
  EXPECT_EQ(current["outdoor_temperature"], 25.4);
  EXPECT_EQ(current["display"]["relative_pressure"], "1002.6");
  EXPECT_EQ(current["units"]["relative_pressure"], "hPa");
  EXPECT_EQ(current["units"]["wind_speed"], "m/s");
  // No logger has said what the lamps are: not known, never "off".
  EXPECT_EQ(current["alarms"]["rain_24h_high"], "unknown");
  EXPECT_EQ(current["alarms_seen"], nullptr);
  EXPECT_EQ(current["wind_direction_name"], "N");
  EXPECT_EQ(Get(port_, "/api/current").head.find("Cache-Control: no-store") != std::string::npos, true);

  // A record appended by the poller is a new cycle for the event stream.
  std::uint64_t seen = stored.Cycle();
  EXPECT_FALSE(stored.WaitForCycle(seen, std::chrono::milliseconds(30)));
  std::ifstream in(test::GoldenFolder() / "Skyvane.dat", std::ios::binary);
  std::string line;
  std::getline(in, line);
  std::ofstream(folder_ / "Skyvane.dat", std::ios::app | std::ios::binary) << line << "\n";
  EXPECT_TRUE(stored.WaitForCycle(seen, std::chrono::seconds(10)));

  // What a logger on the folder last saw: its units and lamps, and when. A
  // new state is a new cycle as well.
  LiveState state;
  state.units[hdr::kUnitWind] = "km/h";
  state.units[hdr::kUnitPressure] = "inHg";
  state.lamps[22] = LampState::kTriggered;
  state.seen = test::LocalTime(2024, 5, 6, 7, 9);
  std::ofstream(folder_ / kLiveStateFileName) << LiveStateText(state);
  EXPECT_TRUE(stored.WaitForCycle(seen, std::chrono::seconds(10)));
  const json seenByLogger = GetJson("/api/current");
  EXPECT_EQ(seenByLogger["units"]["wind_speed"], "km/h");
  EXPECT_EQ(seenByLogger["units"]["relative_pressure"], "inHg");
  EXPECT_EQ(seenByLogger["display"]["wind_speed"], "34.6");  // 9.6 m/s
  EXPECT_EQ(seenByLogger["wind_speed"], 9.6);                 // the numbers stay in base units
  EXPECT_EQ(seenByLogger["alarms"]["rain_24h_high"], "triggered");
  EXPECT_EQ(seenByLogger["alarms"]["rain_hour_high"], "off");
  EXPECT_EQ(seenByLogger["alarms_seen"], "2024-05-06T07:09:00+02:00");
  EXPECT_EQ(seenByLogger["connected"], false);
}

TEST_F(HttpServerTest, TheLiveReadingAndAnEventAfterEveryCycle) {
  LiveReading& live = live_;
  HttpServerLimits limits;
  limits.heartbeat = std::chrono::milliseconds(50);
  limits.streams = 1;
  Serve(live, limits);

  const json before = GetJson("/api/current");
  EXPECT_EQ(before["time"], nullptr);
  EXPECT_EQ(before["connected"], false);
  EXPECT_EQ(before["last_read"], nullptr);
  EXPECT_EQ(before["source"], "live");

  test::HttpConnection stream(port_);
  ASSERT_TRUE(stream.Send("GET /api/events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
  const std::string head = stream.Take("\r\n\r\n");
  EXPECT_NE(head.find("Content-Type: text/event-stream"), std::string::npos) << head;
  EXPECT_NE(head.find("Cache-Control: no-store"), std::string::npos) << head;
  // The next event of the stream (heartbeats passed over), its data parsed.
  auto nextEvent = [&stream]() {
    for (;;) {
      const std::string piece = stream.Take("\n\n");
      if (piece.empty()) return json();
      const std::size_t data = piece.find("event: current\ndata: ");
      if (data != std::string::npos) return json::parse(piece.substr(data + 21, piece.find('\n', data + 21) - data - 21));
    }
  };
  EXPECT_EQ(nextEvent()["time"], nullptr);  // the state when the stream opened

  // Only one stream is allowed here: the next is refused while it is open.
  EXPECT_EQ(Get(port_, "/api/events").status, 503);

  HeaderRecord fahrenheit;
  fahrenheit[hdr::kUnitOutdoorTemp] = "°F";
  for (int cycle = 1; cycle <= 2; ++cycle) {
    HistoryRow display, stored;
    stored[row::outdoorTemperature] = cycle == 1 ? "12.3" : "-4.0";
    display[row::outdoorTemperature] = cycle == 1 ? "54.1" : "24.8";
    LampStates lamps{};
    lamps[21] = LampState::kTriggered;  // lamp 22, rain_hour_high
    const std::time_t readTime = test::LocalTime(2024, 5, 6, 7, 10 + cycle);
    live.OnLiveValues(display, fahrenheit);
    live.OnReading(stored, lamps, readTime);
    // Read from the station: connected while the cycle goes on downloading.
    if (cycle == 1) {
      EXPECT_EQ(GetJson("/api/current")["connected"], true);
    }
    live.OnCycleEnded(StationSeen::kRead);
    const json event = nextEvent();
    EXPECT_EQ(event["outdoor_temperature"], cycle == 1 ? 12.3 : -4.0);
    EXPECT_EQ(event["display"]["outdoor_temperature"], cycle == 1 ? "54.1" : "24.8");
    EXPECT_EQ(event["units"]["outdoor_temperature"], "°F");
    EXPECT_EQ(event["units"]["indoor_temperature"], "°C");
    EXPECT_EQ(event["connected"], true);
    EXPECT_EQ(event["last_read"], cycle == 1 ? "2024-05-06T07:11:00+02:00" : "2024-05-06T07:12:00+02:00");
    EXPECT_EQ(event["alarms"]["rain_hour_high"], "triggered");
    EXPECT_EQ(event["alarms"]["rain_24h_high"], "off");
  }
  // No second event for the same cycle: a heartbeat comes first.
  const std::string idle = stream.Take(": heartbeat\n\n");
  EXPECT_EQ(idle.find("event:"), std::string::npos) << idle;
  // A cycle without the station keeps the last reading, now marked not connected.
  live.OnCycleEnded(StationSeen::kNotRead);
  const json lost = nextEvent();
  EXPECT_EQ(lost["connected"], false);
  EXPECT_EQ(lost["outdoor_temperature"], -4.0);
  EXPECT_EQ(GetJson("/api/current"), lost);
}

TEST_F(HttpServerTest, RefusesWhatItDoesNotServeAndKeepsServing) {
  HttpServerLimits limits;
  limits.timeout = std::chrono::seconds(1);
  Serve(Stored(), limits);
  const std::string host = "Host: 127.0.0.1\r\nConnection: close\r\n";
  std::string many;
  for (int i = 0; i < 100; ++i) many += "X-" + std::to_string(i) + ": 1\r\n";
  struct Case {
    std::string request;
    int status;
  };
  const Case cases[] = {
      {"GET /../Skyvane.dat HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /%2e%2e/%2e%2e/etc/passwd HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /app.js/../../Skyvane.dat HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api%2Fcurrent HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /Skyvane.dat HTTP/1.1\r\n" + host + "\r\n", 404},
      {"GET /index.html HTTP/1.1\r\n" + host + "\r\n", 404},
      {"GET //etc/passwd HTTP/1.1\r\n" + host + "\r\n", 404},
      {"GET /api\\current HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /%61pp.js HTTP/1.1\r\n" + host + "\r\n", 400},
      {"POST /api/current HTTP/1.1\r\n" + host + "Content-Length: 2\r\n\r\n{}", 405},
      {"DELETE /api/records HTTP/1.1\r\n" + host + "\r\n", 405},
      {"PUT / HTTP/1.1\r\n" + host + "Content-Length: 1\r\n\r\nx", 405},
      {"BREW /api/health HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/health HTTP/1.1\r\n" + host + "Content-Length: 4\r\n\r\nbody", 400},
      {"GET /api/health HTTP/1.1\r\n" + host + "Transfer-Encoding: chunked\r\n\r\n0\r\n\r\n", 400},
      {"GET /api/current?x=1 HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?from=yesterday HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?from=2024-13-01 HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?from=2024-05-06T07:00:00%2B2 HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?keys=outdoor_temperature,,rain_total HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?keys=../../etc HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?from=2024-05-06&from=2024-05-05 HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?from=2024-05-07&to=2024-05-06 HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?format=xml HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?max=0 HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?max=-5 HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?limit=5 HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /" + std::string(20000, 'a') + " HTTP/1.1\r\n" + host + "\r\n", 414},
      {"GET /api/health HTTP/1.1\r\n" + host + "X-Big: " + std::string(20000, 'b') + "\r\n\r\n", 431},
      {"GET /api/health HTTP/1.1\r\n" + host + many + "\r\n", 431},
      {"GET /api/health HTTP/1.1\r\nHost: evil.example\r\nConnection: close\r\n\r\n", 421},
      {"GET /api/current HTTP/1.1\r\nHost: localhost.evil.example:80\r\nConnection: close\r\n\r\n", 421},
      {"GET /api/health HTTP/1.1\r\n" + host + "Content-Length: 0\r\nContent-Length: 5\r\n\r\nhello", 400},
      {"GET /api/records?from=2026-02-31 HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?from=2023-02-29 HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?from=0000-01-01 HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?from=2024-02-29&to=9999-12-31T23:59:59-23:59 HTTP/1.1\r\n" + host + "\r\n", 200},
      {"GET /api/records?keys=rain_total,rain_total HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/records?keys=%zz HTTP/1.1\r\n" + host + "\r\n", 400},
      {"GET /api/health HTTP/1.1\r\n" + host + "Range: bytes=0-,0-,0-\r\n\r\n", 200},
      {std::string("\x01\x02\xff garbage\r\n\r\n", 15), 400},
  };
  for (const Case& c : cases) {
    const HttpAnswer answer = test::Exchange(port_, c.request);
    EXPECT_EQ(answer.status, c.status) << c.request.substr(0, 80);
    // Every refusal of a request that parses as HTTP: the reason in JSON.
    if (answer.status >= 400 && c.request[0] != '\x01') {
      EXPECT_TRUE(json::parse(answer.body, nullptr, false).contains("error")) << answer.body;
    }
  }
  // A client that sends half a request and nothing more is let go after the idle timeout.
  EXPECT_EQ(test::Exchange(port_, "GET /api/health HTTP/1.1\r\nHost: 127.0.0.1\r\n").status, 0);

  const HttpAnswer health = Get(port_, "/api/health");
  EXPECT_EQ(health.status, 200);
  EXPECT_EQ(health.body, "{\"ok\":true}\n");
  EXPECT_EQ(test::Exchange(port_, "HEAD /api/health HTTP/1.1\r\n" + host + "\r\n").status, 200);
}

TEST_F(HttpServerTest, ThePageInTheReadersLanguageAndItsFilesBuiltIn) {
  Serve(Stored());
  struct Case {
    std::string acceptLanguage;
    std::string lang;
    std::string text;
  };
  const Case cases[] = {
      {"", "en", "\"outdoor_temperature\":\"Outdoor Temperature\""},
      {"de-CH, de;q=0.9, en;q=0.8", "de", "\"outdoor_temperature\":\"Außentemperatur\""},
      {"fr, da;q=0.5, en;q=0.4", "da", "\"outdoor_temperature\":\"Udendørstemperatur\""},
      {"en-GB;q=0.3, da;q=0.9", "da", "\"alarms\":\"Alarmer\""},
      {"de;q=0, en", "en", "\"alarms\":\"Alarms\""},
  };
  for (const Case& c : cases) {
    const HttpAnswer page =
        Get(port_, "/", c.acceptLanguage.empty() ? "" : "Accept-Language: " + c.acceptLanguage + "\r\n");
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.body.find("<html lang=\"" + c.lang + "\">"), std::string::npos) << c.acceptLanguage;
    EXPECT_NE(page.body.find(c.text), std::string::npos) << c.acceptLanguage;
    EXPECT_EQ(page.body.find("{{"), std::string::npos);
  }
  EXPECT_NE(Get(port_, "/", "Accept-Language: de\r\n").body.find("\"gust\":\"Windböe\""), std::string::npos);
  EXPECT_NE(Get(port_, "/", "Accept-Language: da\r\n").body.find("\"lamp_rain_24h_high\":\"Døgnnedbør høj\""),
            std::string::npos);

  const HttpAnswer chart = Get(port_, "/chart.min.js");
  EXPECT_EQ(chart.status, 200);
  EXPECT_EQ(test::HeaderValue(chart, "Content-Type"), "text/javascript; charset=utf-8");
  std::ifstream library("/usr/share/javascript/chart.js/chart.min.js", std::ios::binary);
  EXPECT_EQ(chart.body, std::string(std::istreambuf_iterator<char>(library), {}));
  EXPECT_EQ(test::HeaderValue(Get(port_, "/style.css"), "Content-Type"), "text/css; charset=utf-8");
  EXPECT_NE(Get(port_, "/app.js").body.find("/api/events"), std::string::npos);
}

// The page's labels read as the language is written: a few by their exact
// words, and every one without a stray quote, a blank at either end or a
// German or Danish label starting in lower case (the states of a lamp aside).
TEST(DashboardTexts, LabelsAreRealWordsInEachLanguage) {
  std::vector<json> texts;
  for (int language = 0; language < 3; ++language) texts.push_back(json::parse(DashboardTextsJson(language)));
  const std::vector<std::string> exact[] = {
      {"gust", "Gust", "Windböe", "Vindstød"},
      {"outdoor_temperature", "Outdoor Temperature", "Außentemperatur", "Udendørstemperatur"},
      {"indoor_temperature", "Indoor Temperature", "Innentemperatur", "Indendørstemperatur"},
      {"absolute_pressure", "Absolute Pressure", "Luftdruck absolut", "Lufttryk absolut"},
      {"last_read", "Last Read Time", "Zuletzt gelesen", "Sidst læst"},
      {"not_connected", "Station not connected", "Station nicht verbunden", "Station ikke forbundet"},
      {"lamp_outdoor_temperature_low", "Outdoor Temperature Low", "Außentemperatur niedrig",
       "Udendørstemperatur lav"},
      {"rain_today", "Rain today", "Niederschlag heute", "Nedbør i dag"},
      {"heating_degree_days", "Heating degree days", "Heizgradtage", "Graddage (opvarmning)"},
      {"record_wettest_day", "Wettest day", "Nassester Tag", "Vådeste dag"},
  };
  for (const auto& row : exact) {
    for (std::size_t language = 0; language < 3; ++language) {
      EXPECT_EQ(texts[language][row[0]], row[language + 1]) << row[0] << " " << language;
    }
  }
  // A lamp's state and the pressure's tendency follow what they describe.
  const std::set<std::string> lowerByDesign = {"off", "armed", "triggered", "unknown", "alarms_seen",
                                               "rising", "steady", "falling"};
  for (std::size_t language = 0; language < 3; ++language) {
    EXPECT_EQ(texts[language].size(), texts[0].size());
    for (const auto& [name, value] : texts[language].items()) {
      const std::string text = value.get<std::string>();
      SCOPED_TRACE(name + " = " + text);
      EXPECT_FALSE(text.empty());
      EXPECT_EQ(text.find_first_of("\"'"), std::string::npos);
      EXPECT_NE(text.front(), ' ');
      EXPECT_NE(text.back(), ' ');
      EXPECT_EQ(text.find("  "), std::string::npos);
      if (language > 0 && !lowerByDesign.count(name)) {
        EXPECT_FALSE(text.front() >= 'a' && text.front() <= 'z');
      }
      // Each German and Danish label is its own, not the English one left over.
      if (language > 0 && name != "wind" && name != "title" && name.rfind("lamp_", 0) != 0 &&
          texts[0][name] == value) {
        ADD_FAILURE() << "untranslated";
      }
    }
  }
}

TEST(ListenAddress, PortAloneMeansLoopback) {
  struct Case {
    std::string text;
    bool ok;
    std::string host;
    int port;
    bool loopback;
  };
  const Case cases[] = {
      {"8473", true, "127.0.0.1", 8473, true},
      {"0", true, "127.0.0.1", 0, true},
      {"0.0.0.0:80", true, "0.0.0.0", 80, false},
      {"192.168.1.20:8473", true, "192.168.1.20", 8473, false},
      {"127.1.2.3:1", true, "127.1.2.3", 1, true},
      {"localhost:65535", true, "localhost", 65535, true},
      {"[::1]:8080", true, "::1", 8080, true},
      {"[::]:8080", true, "::", 8080, false},
      {"", false, "", 0, false},
      {"http", false, "", 0, false},
      {"65536", false, "", 0, false},
      {"-1", false, "", 0, false},
      {"::1:80", false, "", 0, false},
      {"host:", false, "", 0, false},
      {":80", false, "", 0, false},
      {"[::1]8080", false, "", 0, false},
  };
  for (const Case& c : cases) {
    ListenAddress address;
    std::string error;
    ASSERT_EQ(ParseListenAddress(c.text, address, error), c.ok) << c.text;
    if (!c.ok) {
      EXPECT_NE(error.find("'" + c.text + "'"), std::string::npos) << error;
      continue;
    }
    EXPECT_EQ(address.host, c.host) << c.text;
    EXPECT_EQ(address.port, c.port) << c.text;
    EXPECT_EQ(IsLoopbackHost(address.host), c.loopback) << c.text;
  }
}

TEST(ListenAddress, HostMustNameThisServer) {
  const ListenAddress listen{"::", 8473};
  const std::vector<std::string> allowed = SplitHostList(" weather.lan ,,192.168.1.20,");
  ASSERT_EQ(allowed, (std::vector<std::string>{"weather.lan", "192.168.1.20"}));
  const std::pair<std::string, bool> cases[] = {
      {"localhost", true},        {"LOCALHOST:8473", true},  {"127.0.0.1:8473", true},
      {"[::1]:8473", true},       {"[::]", true},            {"Weather.LAN:80", true},
      {"192.168.1.20", true},     {"evil.example", false},   {"localhost.evil.example", false},
      {"127.0.0.1.nip.io", false}, {"[::1]x", false},        {"", false},
      {"weather.lan.evil", false}, {"::1", false},
  };
  for (const auto& [host, ok] : cases) EXPECT_EQ(HostAllowed(host, listen, allowed), ok) << host;
}

// A client that dribbles its request a byte at a time is closed at the
// deadline, while others are served meanwhile.
TEST_F(HttpServerTest, ADribblingRequestIsClosedAtTheDeadline) {
  HttpServerLimits limits;
  limits.deadline = std::chrono::milliseconds(1500);
  limits.timeout = std::chrono::seconds(30);
  Serve(Stored(), limits);
  test::HttpConnection slow(port_);
  const std::string request = "GET /api/health HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: " + std::string(200, 's');
  const auto begun = std::chrono::steady_clock::now();
  bool closed = false;
  for (std::size_t i = 0; i < request.size() && !closed; ++i) {
    closed = !slow.Send(request.substr(i, 1)) || !slow.StillOpen();
    EXPECT_EQ(Get(port_, "/api/health").status, 200);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_TRUE(closed);
  EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(30));
}

// Requests on a kept connection are answered one after the other, the
// connection kept open between them.
TEST_F(HttpServerTest, AKeptConnectionServesRequestAfterRequest) {
  Serve(Stored());
  test::HttpConnection kept(port_);
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(kept.Send("GET /api/health HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
    const std::string head = kept.Take("\r\n\r\n");
    EXPECT_EQ(head.rfind("HTTP/1.1 200", 0), 0u) << head;
    EXPECT_EQ(head.find("Connection: close"), std::string::npos) << head;
    EXPECT_EQ(kept.Take("\n"), "{\"ok\":true}\n");
  }
}

TEST(RecordsQuery, RowPickerThinsEvenlyAndNeverCaps) {
  struct Case {
    std::size_t rows, maxPoints;
    std::vector<std::size_t> picked;
  };
  const Case cases[] = {
      {3, 0, {0, 1, 2}}, {3, 5, {0, 1, 2}}, {10, 4, {0, 3, 6, 9}}, {10, 1, {9}}, {0, 3, {}}, {2, 2, {0, 1}},
  };
  auto pick = [](std::size_t rows, std::size_t maxPoints) {
    RowPicker picker(rows, maxPoints);
    std::vector<std::size_t> picked;
    for (std::size_t i = 0; i < rows + 2; ++i) {
      if (picker.Take()) picked.push_back(i);
    }
    return picked;
  };
  for (const Case& c : cases) EXPECT_EQ(pick(c.rows, c.maxPoints), c.picked) << c.rows << " " << c.maxPoints;
  // Without max every row, however many.
  EXPECT_EQ(pick(1000005, 0).size(), 1000005u);
}

}  // namespace
}  // namespace skyvane
