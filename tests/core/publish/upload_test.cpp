// Uploads to weather networks: the exact texts of both protocols for known
// readings, the configuration's rules, the rain since midnight from the data
// file, and an upload against a server that never answers.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/app/clock.h"
#include "core/app/ini_file.h"
#include "core/history/history_file.h"
#include "core/publish/upload/answer_text.h"
#include "core/publish/upload/aprs_protocol.h"
#include "core/publish/upload/upload_config.h"
#include "core/publish/upload/uploader.h"
#include "core/publish/upload/wu_protocol.h"
#include "support/golden.h"
#include "support/local_time.h"
#include "support/loopback_server.h"

namespace skyvane {
namespace {

using test::ScratchFolder;
using test::WriteFileBytes;

// 2024-05-06 05:03:09 UTC.
constexpr std::time_t kReadTime = 1714971789;

UploadValues KnownValues() {
  UploadValues v;
  v.time = kReadTime;
  v.outdoorTemperature = 26.4;
  v.dewPoint = 18.0;
  v.windChill = 23.7;
  v.indoorTemperature = 22.7;
  v.outdoorHumidity = 60;
  v.indoorHumidity = 65;
  v.relativePressure = 1012.7;
  v.windDirection = 45;
  v.windSpeed = 9.6;
  v.gustSpeed = 20.4;
  v.rainHour = 0.3;
  v.rain24h = 13.8;
  v.rainToday = 5.1;
  return v;
}

TEST(UploadProtocols, PositionsInDegreesAndMinutes) {
  const struct {
    double degrees;
    const char* latitude;
    const char* longitude;
  } rows[] = {
      {55.6761, "5540.57N", "05540.57E"},   {12.5683, "1234.10N", "01234.10E"},
      {-33.8688, "3352.13S", "03352.13W"},  {-151.2093, "15112.56S", "15112.56W"},
      {0, "0000.00N", "00000.00E"},         {59.999999, "6000.00N", "06000.00E"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(AprsLatitude(r.degrees), r.latitude) << r.degrees;
    EXPECT_EQ(AprsLongitude(r.degrees), r.longitude) << r.degrees;
  }
}

TEST(UploadProtocols, AprsPacketsForKnownAndMissingReadings) {
  UploadValues v = KnownValues();
  EXPECT_EQ(AprsPacket(v, "CW0001", 55.6761, 12.5683),
            "CW0001>APRS,TCPIP*:@060503z5540.57N/01234.10E_045/021g046t080r001p054P020h60b10127");
  // Below zero °F, full humidity, north, a position south and west.
  v.outdoorTemperature = -20.5;
  v.outdoorHumidity = 100;
  v.windDirection = 0;
  EXPECT_EQ(AprsPacket(v, "CW0001", -33.8688, -151.2093),
            "CW0001>APRS,TCPIP*:@060503z3352.13S/15112.56W_360/021g046t-05r001p054P020h00b10127");
  UploadValues none;
  none.time = kReadTime;
  EXPECT_EQ(AprsPacket(none, "CW0001", 55.6761, 12.5683),
            "CW0001>APRS,TCPIP*:@060503z5540.57N/01234.10E_.../...g...t...r...p...P...h..b.....");
  EXPECT_EQ(AprsLogin("CW0001", -1, "1.0.0"), "user CW0001 pass -1 vers Skyvane 1.0.0");
}

TEST(UploadProtocols, WuQueryInImperialUnitsWithoutMissingValues) {
  EXPECT_EQ(WuQuery(KnownValues(), "IX 1", "k&y", "Skyvane 1.0.0"),
            "ID=IX%201&PASSWORD=k%26y&dateutc=2024-05-06%2005%3A03%3A09&tempf=79.5&humidity=60"
            "&dewptf=64.4&windchillf=74.7&winddir=45&windspeedmph=21.5&windgustmph=45.6&rainin=0.01"
            "&dailyrainin=0.20&baromin=29.905&indoortempf=72.9&indoorhumidity=65"
            "&softwaretype=Skyvane%201.0.0&action=updateraw");
  UploadValues some;
  some.time = kReadTime;
  some.outdoorTemperature = -17.79;  // -0.02 °F: no "-0.0"
  EXPECT_EQ(WuQuery(some, "IX1", "key", "S"),
            "ID=IX1&PASSWORD=key&dateutc=2024-05-06%2005%3A03%3A09&tempf=0.0&softwaretype=S&action=updateraw");
}

TEST(UploadProtocols, AStoredRowLandsInTheRightParameters) {
  HistoryRow row;
  const std::pair<int, const char*> fields[] = {
      {row::outdoorTemperature, "10.0"}, {row::dewPoint, "2.0"},         {row::windChill, "-1.0"},
      {row::indoorTemperature, "21.0"},  {row::outdoorHumidity, "71"},   {row::indoorHumidity, "44"},
      {row::relativePressure, "1001.2"}, {row::windDir, "6"},            {row::windSpeed, "2.0"},
      {row::gustSpeed, "7.0"},           {row::rainHour, "2.54"},        {row::rain24h, "25.4"},
  };
  for (const auto& [field, text] : fields) row[field] = text;
  const UploadValues v = UploadValuesOf(row, kReadTime, 12.7);
  EXPECT_EQ(WuQuery(v, "I", "k", "S"),
            "ID=I&PASSWORD=k&dateutc=2024-05-06%2005%3A03%3A09&tempf=50.0&humidity=71&dewptf=35.6"
            "&windchillf=30.2&winddir=135&windspeedmph=4.5&windgustmph=15.7&rainin=0.10&dailyrainin=0.50"
            "&baromin=29.565&indoortempf=69.8&indoorhumidity=44&softwaretype=S&action=updateraw");
  EXPECT_EQ(AprsPacket(v, "CW1", 0, 0), "CW1>APRS,TCPIP*:@060503z0000.00N/00000.00E_135/004g016t050r010p100P050h71b10012");
  // Rain windows not known yet are left out, never sent as nothing fell.
  row[row::rainHour] = row[row::rain24h] = "---";
  const UploadValues unknown = UploadValuesOf(row, kReadTime, std::nullopt);
  EXPECT_EQ(WuQuery(unknown, "I", "k", "S").find("rain"), std::string::npos);
  EXPECT_EQ(AprsPacket(unknown, "CW1", 0, 0), "CW1>APRS,TCPIP*:@060503z0000.00N/00000.00E_135/004g016t050r...p...P...h71b10012");
}

TEST(UploadAnswers, LoggedWithoutKeyOrControlsAndCut) {
  const std::string page(300, 'x');
  const struct {
    std::string answer;
    std::string key;
    std::string logged;
  } rows[] = {
      {"HTTP 500: \x1b[2J\x1b[Hgone\a", "k3y", "HTTP 500: \\x1b[2J\\x1b[Hgone\\x07"},
      {"raw s3 cr/t, plus s3+cr%2Ft, upper s3%20cr%2Ft, lower s3%20cr%2ft", "s3 cr/t",
       "raw ***, plus ***, upper ***, lower ***"},
      {"mixed %73%33 cr/t and s3 cr almost", "s3 cr/t", "mixed *** and s3 cr almost"},
      {"tab\there \\ Gr\xc3\xbc\xc3\x9f" "e \xc2\x9b" "2J \xff", "",
       "tab\\x09here \\\\ Gr\xc3\xbc\xc3\x9f" "e \\xc2\\x9b2J \\xff"},
      {page, "", std::string(195, 'x') + "[cut]"},
      {std::string(199, 'x') + "\x1b", "", std::string(195, 'x') + "[cut]"},
      {std::string(200, 'y'), "", std::string(200, 'y')},
      {std::string(190, 'z') + "secret!!", "secret", std::string(190, 'z') + "***!!"},
  };
  for (const auto& r : rows) EXPECT_EQ(LoggedAnswer(r.answer, r.key), r.logged) << r.answer;
  EXPECT_EQ(WithoutPassword("GET /?ID=a&PASSWORD=k%26y said k&y", "k&y"), "GET /?ID=a&PASSWORD=*** said ***");
}

class UploadConfigTest : public ::testing::Test {
 protected:
  std::vector<UploadTarget> Read(const std::string& ini, std::vector<std::string>& problems) {
    WriteFileBytes(dir / "Skyvane.ini", ini);
    return ReadUploadTargets(IniFile(dir / "Skyvane.ini"), problems);
  }
  std::string Key(const char* name, mode_t mode) {
    WriteFileBytes(dir / name, "s3cret\n");
    ::chmod((dir / name).c_str(), mode);
    return (dir / name).string();
  }
  ScratchFolder dir;
};

TEST_F(UploadConfigTest, TargetsFromTheirSections) {
  std::vector<std::string> problems;
  const auto targets = Read(
      "[mqtt]\nUrl=x\n"
      "[upload:wx]\nProtocol=wu\nUrl=http://127.0.0.1:1/update\nStationId=IX1\nKeyFile=" + Key("k", 0600) +
          "\n"
          "[upload:cwop]\nProtocol=APRS\nServer=cwop.example:23\nCallsign=CW0001\nLatitude=-33.8688\n"
          "Longitude=151.2\nInterval=5\n"
          "[upload:off]\nProtocol=wu\nEnabled=0\n",
      problems);
  ASSERT_EQ(targets.size(), 2u);
  EXPECT_EQ(targets[0].name, "wx");
  EXPECT_EQ(targets[0].key, "s3cret");
  EXPECT_EQ(targets[0].intervalSeconds, 300);
  EXPECT_EQ(targets[1].protocol, UploadProtocol::kAprs);
  EXPECT_EQ(targets[1].host, "cwop.example");
  EXPECT_EQ(targets[1].port, 23);
  EXPECT_EQ(targets[1].passcode, -1);
  EXPECT_DOUBLE_EQ(targets[1].latitude, -33.8688);
  EXPECT_EQ(targets[1].intervalSeconds, 300);
  EXPECT_EQ(problems, std::vector<std::string>{"[upload:cwop]: Interval 5 is raised to 300 seconds (the "
                                               "network takes at most one packet in 5 minutes)"});
}

TEST_F(UploadConfigTest, ServersAndIntervalsOfAprs) {
  const struct {
    const char* lines;
    const char* host;  // nullptr: the section is refused
    int port;
    int interval;
    const char* problem;
  } rows[] = {
      {"Server=[::1]:14581\nInterval=299", "::1", 14581, 300,
       "Interval 299 is raised to 300 seconds (the network takes at most one packet in 5 minutes)"},
      {"Server=::1\nInterval=300", "::1", 14580, 300, nullptr},
      {"Server=[2001:db8::7]", "2001:db8::7", 14580, 600, nullptr},
      {"Server=cwop.example\nInterval=900", "cwop.example", 14580, 900, nullptr},
      {"Server=[::1]14580", nullptr, 0, 0, "Server must be host, host:port or [IPv6]:port"},
      {"Server=[::1", nullptr, 0, 0, "Server must be host, host:port or [IPv6]:port"},
      {"Server=[::1]:", nullptr, 0, 0, "Server must be host, host:port or [IPv6]:port"},
      {"Server=h:", nullptr, 0, 0, "Server must be host, host:port or [IPv6]:port"},
      {"Server=[]:1", nullptr, 0, 0, "Server is missing"},
  };
  for (const auto& r : rows) {
    std::vector<std::string> problems;
    const auto targets =
        Read(std::string("[upload:x]\nProtocol=aprs\nCallsign=CW1\nLatitude=1\nLongitude=1\n") + r.lines + "\n",
             problems);
    const std::vector<std::string> told =
        r.problem ? std::vector<std::string>{std::string("[upload:x]: ") + r.problem} : std::vector<std::string>{};
    EXPECT_EQ(problems, told) << r.lines;
    ASSERT_EQ(targets.size(), r.host ? 1u : 0u) << r.lines;
    if (!r.host) continue;
    EXPECT_EQ(targets[0].host, r.host);
    EXPECT_EQ(targets[0].port, r.port);
    EXPECT_EQ(targets[0].intervalSeconds, r.interval);
  }
}

TEST_F(UploadConfigTest, UnusableSectionsAreLeftOutWithAReason) {
  const std::string open = Key("open", 0644);
  const struct {
    std::string section;
    std::string problem;
  } rows[] = {
      {"Protocol=ftp", "Protocol must be wu or aprs"},
      {"Protocol=wu\nUrl=http://h/u\nStationId=I\nKeyFile=" + open,
       "the key file " + open + " may be read by other users; make it private (chmod 600 " + open + ")"},
      {"Protocol=wu\nUrl=http://h/u\nStationId=I", "KeyFile is missing"},
      {"Protocol=wu\nUrl=ftp://h/u\nStationId=I", "Url must be an http:// or https:// address"},
      {"Protocol=aprs\nServer=h:0\nCallsign=C\nLatitude=1\nLongitude=1", "Server must be host, host:port or [IPv6]:port"},
      {"Protocol=aprs\nServer=h\nCallsign=C\nLatitude=91\nLongitude=1",
       "Latitude must be decimal degrees from -90 to 90"},
      {"Protocol=aprs\nServer=h\nCallsign=C D\nLatitude=1\nLongitude=1", "Callsign is missing or not a callsign"},
  };
  for (const auto& r : rows) {
    std::vector<std::string> problems;
    EXPECT_TRUE(Read("[upload:x]\n" + r.section + "\n", problems).empty()) << r.section;
    EXPECT_EQ(problems, std::vector<std::string>{"[upload:x]: " + r.problem});
  }
}

// A key under /etc/skyvane is root's, readable by the service's own group.
TEST_F(UploadConfigTest, KeyFileOfTheOwnGroupIsReadAndOthersAreTold) {
  const std::string missing = (dir / "none.key").string();
  const struct {
    std::string keyFile;
    std::string problem;  // empty: the key is read
  } rows[] = {
      {Key("grouped", 0640), ""},
      {Key("owner-only", 0400), ""},
      {Key("group-writable", 0660), "may be read by other users"},
      {missing, "cannot read the key file " + missing + ": No such file or directory"},
  };
  for (const auto& r : rows) {
    std::vector<std::string> problems;
    const auto targets = Read("[upload:x]\nProtocol=wu\nUrl=http://h/u\nStationId=I\nKeyFile=" + r.keyFile + "\n",
                              problems);
    if (r.problem.empty()) {
      ASSERT_EQ(targets.size(), 1u) << r.keyFile;
      EXPECT_EQ(targets[0].key, "s3cret");
      EXPECT_TRUE(problems.empty());
    } else {
      EXPECT_TRUE(targets.empty()) << r.keyFile;
      ASSERT_EQ(problems.size(), 1u) << r.keyFile;
      EXPECT_NE(problems[0].find(r.problem), std::string::npos) << problems[0];
    }
  }
}

TEST(UploadValuesTest, RainSinceMidnightFromTheDataFile) {
  ScratchFolder dir;
  std::filesystem::copy_file(test::GoldenFolder() / "Skyvane.dat", dir / "Skyvane.dat");
  FixedClock clock(test::LocalTime(2024, 5, 7));
  HistoryFile file(clock);
  ASSERT_TRUE(file.OpenFile((dir / "Skyvane.dat").string()));
  HistoryRow current;
  ASSERT_TRUE(file.LoadLastRow(current));
  // The file begins on the 6th: all it holds fell that day, from the first
  // record's rain on.
  auto rain = RainSinceMidnight(file, current, test::LocalTime(2024, 5, 6, 7, 10));
  ASSERT_TRUE(rain);
  EXPECT_NEAR(*rain, 13.8, 1e-9);
  // Past midnight the day starts from the last record before it.
  current[row::rainTotal] = "15.0";
  rain = RainSinceMidnight(file, current, test::LocalTime(2024, 5, 7, 1, 0));
  ASSERT_TRUE(rain);
  EXPECT_NEAR(*rain, 1.2, 1e-9);
  current[row::rainTotal] = "---";
  EXPECT_FALSE(RainSinceMidnight(file, current, test::LocalTime(2024, 5, 7, 1, 0)));
}

TEST(UploadValuesTest, RainSinceMidnightAtTheDaysEdges) {
  // Each day's rain from the records around midnight: a record covers the
  // minutes before its time, so one stamped 00:00:00 belongs to the day before.
  const struct {
    const char* what;
    std::vector<std::pair<const char*, const char*>> records;  // time, total; increment from the one before
    double first;                                              // the first record's increment
    const char* total;                                         // the reading's
    double expected;
  } rows[] = {
      {"a file that begins today", {{"2024-05-07 00:30:00", "50.0"}, {"2024-05-07 01:00:00", "50.5"}}, 0.7,
       "50.5", 1.2},
      {"a record at midnight",
       {{"2024-05-06 23:30:00", "100.0"}, {"2024-05-07 00:00:00", "100.6"}, {"2024-05-07 00:30:00", "101.0"}},
       0.0, "101.0", 0.4},
      {"a file that begins at midnight", {{"2024-05-07 00:00:00", "80.0"}, {"2024-05-07 00:30:00", "80.3"}}, 0.9,
       "80.5", 0.5},
  };
  for (const auto& r : rows) {
    ScratchFolder dir;
    FixedClock clock(test::LocalTime(2024, 5, 7, 1, 10));
    HistoryFile file(clock);
    ASSERT_TRUE(file.OpenFile((dir / "Skyvane.dat").string()));
    HistoryRowArray stored;  // newest first
    double before = std::stod(r.records.front().second) - r.first;
    for (const auto& [time, total] : r.records) {
      HistoryRow row;
      row[row::recordTime] = time;
      row[row::rainTotal] = total;
      row[row::rainIncrement] = std::to_string(std::stod(total) - before);
      before = std::stod(total);
      stored.insert(stored.begin(), row);
    }
    ASSERT_TRUE(file.AppendRows(stored)) << r.what;
    HistoryRow current;
    current[row::rainTotal] = r.total;
    const auto rain = RainSinceMidnight(file, current, test::LocalTime(2024, 5, 7, 1, 10));
    ASSERT_TRUE(rain) << r.what;
    EXPECT_NEAR(*rain, r.expected, 1e-9) << r.what;
  }
}

TEST(UploaderTest, ASilentServerTimesOutAndIsToldOnce) {
  test::LoopbackServer silent([](int fd) {
    test::ReceiveLine(fd);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    return std::string();
  });
  ScratchFolder dir;
  FixedClock clock;
  HistoryFile file(clock);
  ASSERT_TRUE(file.OpenFile((dir / "Skyvane.dat").string()));
  UploadTarget target;
  target.name = "slow";
  target.protocol = UploadProtocol::kAprs;
  target.host = "127.0.0.1";
  target.port = silent.port();
  target.callsign = "CW0001";
  target.intervalSeconds = 10;
  std::mutex mutex;
  std::vector<std::string> told;
  const auto tell = [&](const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex);
    told.push_back(text);
  };
  {
    Uploader uploader({target}, file, tell, tell, Uploader::Options{std::chrono::seconds(1), "1.0.0"});
    uploader.OnReading(HistoryRow(), LampStates{}, kReadTime);
    silent.WaitFor(1, std::chrono::seconds(5));
    uploader.Stop();
    EXPECT_EQ(uploader.Delivered(), 0);
  }
  EXPECT_EQ(told, std::vector<std::string>{"Upload to slow failed: no login response from 127.0.0.1:" +
                                           std::to_string(silent.port())});
}

}  // namespace
}  // namespace skyvane
