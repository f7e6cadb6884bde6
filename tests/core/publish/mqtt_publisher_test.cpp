// The publisher against a real mosquitto broker on loopback, with a
// subscriber that sees what Home Assistant or any other client would.
#include "core/publish/mqtt/mqtt_publisher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <mutex>
#include <string>
#include <vector>

#include "core/climate/climate_book.h"
#include "core/history/history_line.h"
#include "core/publish/climate_json.h"
#include "core/publish/mqtt/mqtt_queue.h"
#include "core/publish/reading_json.h"
#include "support/golden.h"
#include "support/local_time.h"
#include "support/mqtt_broker.h"

namespace skyvane {
namespace {

using test::MqttBroker;
using test::MqttSubscriber;
using test::WaitFor;

HistoryRowArray GoldenRows() {
  HistoryRowArray rows;
  std::ifstream file(test::GoldenFolder() / "Skyvane.dat");
  std::string line;
  while (std::getline(file, line)) {
    HistoryRow row;
    if (ParseLine(row, line) > 0) rows.push_back(row);
  }
  return rows;
}

struct LogLines {
  std::mutex mutex;
  std::vector<std::string> lines;
  MqttLog Sink() {
    return [this](MqttLogLevel level, const std::string& line) {
      std::lock_guard lock(mutex);
      lines.push_back((level == MqttLogLevel::kError ? "E " : "I ") + line);
    };
  }
  bool Has(const std::string& part) {
    std::lock_guard lock(mutex);
    for (const auto& l : lines) {
      if (l.find(part) != std::string::npos) return true;
    }
    return false;
  }
  std::string All() {
    std::lock_guard lock(mutex);
    std::string all;
    for (const auto& l : lines) all += l + "\n";
    return all;
  }
  std::size_t Count(const std::string& part) {
    std::lock_guard lock(mutex);
    std::size_t n = 0;
    for (const auto& l : lines) n += l.find(part) != std::string::npos;
    return n;
  }
};

MqttOptions Options(int port, const test::ScratchFolder& folder) {
  MqttOptions o;
  o.url.host = "127.0.0.1";
  o.url.port = port;
  o.url.prefix = "wx";
  o.version = "9.8.7";
  o.queueFile = folder / "Skyvane.mqtt-queue";
  o.announcedFile = folder / "Skyvane.mqtt-announced";
  o.firstRetry = std::chrono::milliseconds(20);
  o.lastRetry = std::chrono::milliseconds(100);
  return o;
}

std::vector<std::string> Payloads(const std::vector<test::MqttMessage>& messages) {
  std::vector<std::string> out;
  for (const auto& m : messages) out.push_back(m.payload);
  return out;
}

TEST(MqttPublisher, PublishesDiscoveryStatusTheReadingAndEachRecordOnceInOrder) {
  MqttBroker broker;
  MqttSubscriber sub(broker.port());
  test::ScratchFolder folder;
  LogLines log;
  const HistoryRowArray rows = GoldenRows();
  ASSERT_GE(rows.size(), 3u);
  {
    MqttPublisher publisher(Options(broker.port(), folder), log.Sink());
    ASSERT_TRUE(publisher.Start());
    ASSERT_TRUE(sub.WaitForLast("wx/status", "online"));

    LampStates lamps{};
    lamps[2] = LampState::kTriggered;
    publisher.OnReading(rows.back(), lamps, 1700000000);
    publisher.OnRecordsSaved(rows);
    ASSERT_TRUE(sub.WaitForCount("wx/current", 1));
    EXPECT_EQ(sub.On("wx/current")[0].payload, CurrentReadingJson(rows.back(), lamps, 1700000000));
    ASSERT_TRUE(sub.WaitForCount("wx/record", rows.size()));
    ASSERT_TRUE(WaitFor([&] { return publisher.QueuedRecords() == 0; })) << "all acknowledged";
    EXPECT_TRUE(log.Has("I MQTT: connected to mqtt://127.0.0.1:" + std::to_string(broker.port()) + "/wx"));

    // A client that comes later gets the status, the reading and the
    // discovery from the broker's retained copies; the records are not kept.
    MqttSubscriber late(broker.port());
    ASSERT_TRUE(WaitFor([&] { return late.Messages().size() >= 3 + ReadingKeys().size() + kLampCount; }));
    for (const auto& m : late.Messages()) EXPECT_TRUE(m.retained) << m.topic;
    EXPECT_EQ(late.On("wx/status").at(0).payload, "online");
    EXPECT_EQ(late.On("wx/current").size(), 1u);
    EXPECT_TRUE(late.On("wx/record").empty());
  }
  ASSERT_TRUE(sub.WaitForLast("wx/status", "offline"));  // the clean stop says so itself

  std::vector<std::string> expected;
  for (const HistoryRow& row : rows) expected.push_back(RecordJson(row));
  const auto records = sub.On("wx/record");
  EXPECT_EQ(Payloads(records), expected);
  for (const auto& m : records) EXPECT_FALSE(m.retained);

  // Home Assistant: a retained config per number and per lamp, all of one device.
  std::size_t sensors = 0, binary = 0;
  for (const auto& m : sub.Messages()) {
    if (m.topic.starts_with("homeassistant/sensor/skyvane/")) ++sensors;
    if (m.topic.starts_with("homeassistant/binary_sensor/skyvane/")) ++binary;
    if (m.topic.starts_with("homeassistant/")) {
      EXPECT_NE(m.payload.find("\"state_topic\":\"wx/current\""), std::string::npos) << m.payload;
      EXPECT_NE(m.payload.find("{\"topic\":\"wx/status\","), std::string::npos);
      EXPECT_NE(m.payload.find("\"sw_version\":\"9.8.7\""), std::string::npos);
    }
  }
  EXPECT_EQ(sensors, ReadingKeys().size());
  EXPECT_EQ(binary, static_cast<std::size_t>(kLampCount));
  const auto rain = sub.On("homeassistant/sensor/skyvane/rain_total/config");
  ASSERT_EQ(rain.size(), 1u);
  EXPECT_NE(rain[0].payload.find("\"state_class\":\"total_increasing\""), std::string::npos);
  EXPECT_NE(rain[0].payload.find("\"value_template\":\"{{ value_json.rain_total }}\""), std::string::npos);
  const auto lamp = sub.On("homeassistant/binary_sensor/skyvane/indoor_temperature_high/config");
  ASSERT_EQ(lamp.size(), 1u);
  EXPECT_NE(lamp[0].payload.find("value_json.alarms.indoor_temperature_high == 'triggered'"),
            std::string::npos);
}

TEST(MqttPublisher, RecordsOfATimeWithoutBrokerFollowAfterItReturnsAndAfterARestart) {
  auto broker = std::make_unique<MqttBroker>("", true);
  const int port = broker->port();
  test::ScratchFolder folder;
  LogLines log;
  const HistoryRowArray rows = GoldenRows();
  ASSERT_GE(rows.size(), 6u);
  auto first = [&](std::size_t from, std::size_t to) {
    return HistoryRowArray(rows.begin() + static_cast<std::ptrdiff_t>(from),
                           rows.begin() + static_cast<std::ptrdiff_t>(to));
  };
  {
    auto sub = std::make_unique<MqttSubscriber>(port);
    MqttPublisher publisher(Options(port, folder), log.Sink());
    ASSERT_TRUE(publisher.Start());
    publisher.OnRecordsSaved(first(0, 2));
    ASSERT_TRUE(sub->WaitForCount("wx/record", 2));
    ASSERT_TRUE(WaitFor([&] { return publisher.QueuedRecords() == 0; }));
    sub.reset();

    // Subscribed before the broker goes, so that what the publisher sends
    // the moment it is back reaches the subscriber whichever reconnects first.
    MqttSubscriber back(port, "back");
    broker->Stop(SIGTERM);
    ASSERT_TRUE(WaitFor([&] { return !publisher.Connected(); }));
    publisher.OnRecordsSaved(first(2, 4));
    ASSERT_TRUE(WaitFor([&] { return log.Has("E MQTT: lost the connection"); }));
    broker->Start();
    ASSERT_TRUE(back.WaitForCount("wx/record", 2));
    EXPECT_EQ(Payloads(back.On("wx/record")), (std::vector<std::string>{RecordJson(rows[2]), RecordJson(rows[3])}));

    // Broker gone again, then the publisher stops with records still waiting.
    broker->Stop();
    ASSERT_TRUE(WaitFor([&] { return !publisher.Connected(); }));
    publisher.OnRecordsSaved(first(4, 6));
    EXPECT_EQ(publisher.QueuedRecords(), 2u);
  }
  // One line per change of the connection, not one per attempt.
  EXPECT_EQ(log.Count("lost the connection"), 2u);
  EXPECT_LE(log.Count("cannot connect"), 2u);

  broker->Start();
  MqttSubscriber sub(port);
  MqttPublisher restarted(Options(port, folder), log.Sink());
  ASSERT_TRUE(restarted.Start());
  ASSERT_TRUE(sub.WaitForCount("wx/record", 2));
  ASSERT_TRUE(WaitFor([&] { return restarted.QueuedRecords() == 0; }));
  restarted.Stop();
  EXPECT_EQ(Payloads(sub.On("wx/record")), (std::vector<std::string>{RecordJson(rows[4]), RecordJson(rows[5])}));
}

TEST(MqttPublisher, WrongCredentialsAndAnUnreachableBrokerAreLoggedOnceWithTheirReason) {
  test::ScratchFolder folder;
  const std::string passwords = (folder / "passwords").string();
  ASSERT_EQ(std::system(("mosquitto_passwd -c -b " + passwords + " station right >/dev/null 2>&1").c_str()), 0);
  MqttBroker broker("allow_anonymous false\npassword_file " + passwords + "\n");
  struct Row {
    std::string user, password, expected;
  };
  const Row rows[] = {
      {"station", "wrong", "refused the connection: Connection Refused: not authorised."},
      {"station", "right", "I MQTT: connected"},
  };
  for (const Row& r : rows) {
    LogLines log;
    MqttOptions o = Options(broker.port(), folder);
    o.url.user = r.user;
    o.password = r.password;
    MqttPublisher publisher(o, log.Sink());
    ASSERT_TRUE(publisher.Start());
    EXPECT_TRUE(WaitFor([&] { return log.Has(r.expected); })) << r.password << "\n" << log.All() << test::ReadFileBytes(broker.folder() / "broker.log");
    publisher.Stop();
    EXPECT_EQ(log.Count("refused"), r.password == "wrong" ? 1u : 0u);
  }

  LogLines log;
  MqttOptions o = Options(test::FreeLoopbackPort(), folder);
  MqttPublisher nobody(o, log.Sink());
  ASSERT_TRUE(nobody.Start());
  EXPECT_TRUE(WaitFor([&] { return log.Has("E MQTT: cannot connect to mqtt://127.0.0.1:"); }));
  nobody.OnRecordsSaved(GoldenRows());
  nobody.Stop();
  EXPECT_EQ(log.Count("cannot connect"), 1u);
  EXPECT_EQ(nobody.QueuedRecords(), GoldenRows().size());
}

// The discovery configurations the broker keeps for whoever subscribes.
std::vector<std::string> RetainedConfigTopics(const MqttSubscriber& sub) {
  std::vector<std::string> out;
  for (const auto& m : sub.Messages()) {
    if (m.topic.starts_with("homeassistant/") && !m.payload.empty() && m.retained) {
      out.push_back(m.topic);
    }
  }
  return out;
}

TEST(MqttPublisher, TheStationIsOfflineUntilACycleReadsItAndAfterOneThatCouldNot) {
  MqttBroker broker;
  MqttSubscriber sub(broker.port());
  test::ScratchFolder folder;
  LogLines log;
  const HistoryRowArray rows = GoldenRows();
  auto stationStates = [&] {
    std::vector<std::string> out;
    for (const auto& m : sub.On("wx/station")) out.push_back(m.payload);
    return out;
  };
  {
    MqttPublisher publisher(Options(broker.port(), folder), log.Sink());
    ASSERT_TRUE(publisher.Start());
    ASSERT_TRUE(sub.WaitForLast("wx/station", "offline")) << "not read yet";
    // Each step, then a reading that shows it went out after the step's state.
    const struct {
      StationSeen seen;
      const char* state;
    } steps[] = {
        {StationSeen::kUntried, "offline"}, {StationSeen::kRead, "online"},
        {StationSeen::kRead, "online"},     {StationSeen::kUntried, "online"},
        {StationSeen::kNotRead, "offline"}, {StationSeen::kNotRead, "offline"},
        {StationSeen::kRead, "online"},
    };
    std::size_t readings = 0;
    for (const auto& step : steps) {
      publisher.OnCycleEnded(step.seen);
      publisher.OnReading(rows.at(readings), LampStates{}, 1700000000 + static_cast<std::time_t>(readings));
      ++readings;
      ASSERT_TRUE(sub.WaitForCount("wx/current", readings));
      ASSERT_TRUE(sub.WaitForLast("wx/station", step.state)) << static_cast<int>(step.seen);
    }
    // Told once per change, not once per cycle.
    EXPECT_EQ(stationStates(), (std::vector<std::string>{"offline", "online", "offline", "online"}));
  }
  ASSERT_TRUE(sub.WaitForLast("wx/status", "offline"));
  EXPECT_EQ(stationStates().back(), "offline") << "a clean stop reads the station no more";

  // Home Assistant shows the values only while both are online.
  for (const auto& m : sub.Messages()) {
    if (!m.topic.starts_with("homeassistant/")) continue;
    EXPECT_NE(m.payload.find("\"availability\":[{\"topic\":\"wx/status\",\"payload_available\":\"online\","
                             "\"payload_not_available\":\"offline\"},{\"topic\":\"wx/station\","),
              std::string::npos)
        << m.payload;
    EXPECT_NE(m.payload.find("\"availability_mode\":\"all\""), std::string::npos);
  }
}

TEST(MqttPublisher, ConfigurationsAnnouncedBeforeAndNoLongerAreCleared) {
  MqttBroker broker;
  test::ScratchFolder folder;
  LogLines log;
  const std::size_t perNode = ReadingKeys().size() + kLampCount;
  struct Run {
    const char* node;
    bool discovery;
    std::size_t cleared;  // empty retained payloads sent for the run before
  };
  const Run runs[] = {{"skyvane", true, 0}, {"skyvane", true, 0}, {"roof", true, perNode}, {"roof", false, perNode}};
  for (const Run& run : runs) {
    SCOPED_TRACE(std::string(run.node) + (run.discovery ? " on" : " off"));
    MqttSubscriber sub(broker.port());
    MqttOptions o = Options(broker.port(), folder);
    o.node = run.node;
    o.discovery = run.discovery;
    MqttPublisher publisher(o, log.Sink());
    ASSERT_TRUE(publisher.Start());
    ASSERT_TRUE(sub.WaitForLast("wx/status", "online"));
    auto cleared = [&] {
      std::size_t n = 0;
      for (const auto& m : sub.Messages()) n += m.topic.starts_with("homeassistant/") && m.payload.empty();
      return n;
    };
    const std::string record = (folder / "Skyvane.mqtt-announced").string();
    const std::string expected = run.discovery ? "homeassistant/sensor/" + std::string(run.node) + "/" : "";
    // The record forgets the cleared ones once the broker took them.
    ASSERT_TRUE(WaitFor([&] { return test::ReadFileBytes(record).starts_with(expected) &&
                                     (run.discovery || !std::filesystem::exists(record)); }));
    // The broker's acknowledgement can come before the subscriber has them all.
    EXPECT_TRUE(WaitFor([&] { return cleared() >= run.cleared; }));
    EXPECT_EQ(cleared(), run.cleared);
    publisher.Stop();

    // What the broker keeps for Home Assistant: this run's configurations only.
    MqttSubscriber late(broker.port());
    ASSERT_TRUE(late.WaitForLast("wx/status", "offline"));
    // The retained configurations may follow the status.
    const std::size_t kept = run.discovery ? perNode : 0u;
    EXPECT_TRUE(WaitFor([&] { return RetainedConfigTopics(late).size() >= kept; }));
    auto retained = RetainedConfigTopics(late);
    std::sort(retained.begin(), retained.end());
    EXPECT_EQ(retained.size(), kept);
    for (const std::string& topic : retained) EXPECT_NE(topic.find("/" + std::string(run.node) + "/"), std::string::npos);
    std::vector<std::string> listed;
    std::istringstream lines(test::ReadFileBytes(record));
    for (std::string line; std::getline(lines, line);) listed.push_back(line);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, retained);
  }
}

// A logger that never restarts: the queue file is rewritten with only the
// waiting records as it goes, so that acknowledged records do not pile up.
TEST(MqttPublisher, TheQueueFileStaysSmallWhileRecordsAreAcknowledged) {
  MqttBroker broker;
  MqttSubscriber sub(broker.port());
  test::ScratchFolder folder;
  LogLines log;
  const HistoryRowArray rows = GoldenRows();
  MqttPublisher publisher(Options(broker.port(), folder), log.Sink());
  ASSERT_TRUE(publisher.Start());
  const auto queueFile = folder / "Skyvane.mqtt-queue";
  std::size_t sent = 0, largest = 0, recordBytes = 0;
  for (const HistoryRow& row : rows) recordBytes = std::max(recordBytes, RecordJson(row).size() + 16);
  for (int batch = 0; batch < 60; ++batch) {
    publisher.OnRecordsSaved(rows);
    sent += rows.size();
    ASSERT_TRUE(sub.WaitForCount("wx/record", sent));
    ASSERT_TRUE(WaitFor([&] { return publisher.QueuedRecords() == 0; }));
    largest = std::max<std::size_t>(largest, std::filesystem::file_size(queueFile));
  }
  publisher.Stop();
  // Twice the waiting records and a slack of a few hundred lines at most.
  const std::size_t bound = (2 * rows.size() + 300) * recordBytes;
  ASSERT_GT(sent * recordBytes, 2 * bound) << "enough records to need compacting";
  EXPECT_LT(largest, bound) << "the journal is compacted as it grows";
  MqttQueue left(queueFile, 100);
  std::vector<std::string> notes;
  ASSERT_TRUE(left.Open(notes));
  EXPECT_EQ(left.Size(), 0u);
}

TEST(MqttPublisher, AQueueFileThatCannotBeReadLeavesLiveValuesPublishedAndIsToldOnce) {
  MqttBroker broker;
  MqttSubscriber sub(broker.port());
  test::ScratchFolder folder;
  LogLines log;
  std::filesystem::create_directory(folder / "Skyvane.mqtt-queue");
  const HistoryRowArray rows = GoldenRows();
  {
    MqttPublisher publisher(Options(broker.port(), folder), log.Sink());
    ASSERT_TRUE(publisher.Start());
    publisher.OnRecordsSaved(rows);
    publisher.OnReading(rows.back(), LampStates{}, 1700000000);
    publisher.OnCycleEnded(StationSeen::kRead);
    ASSERT_TRUE(sub.WaitForCount("wx/current", 1));
    ASSERT_TRUE(sub.WaitForLast("wx/station", "online"));
    publisher.OnRecordsSaved(rows);
    EXPECT_EQ(publisher.QueuedRecords(), 0u);
  }
  EXPECT_TRUE(sub.On("wx/record").empty()) << "records wait in the data file until the queue is mended";
  EXPECT_EQ(log.Count("E MQTT: cannot read the MQTT queue"), 1u) << log.All();
  EXPECT_TRUE(log.Has("Is a directory; records are not published until it can be read")) << log.All();
  EXPECT_TRUE(std::filesystem::is_directory(folder / "Skyvane.mqtt-queue"));
}

// The day's climate of the data file after each reading: high, low, rain
// today and the pressure trend, brought up to date with what was appended.
TEST(MqttPublisher, TodaysClimateFollowsEachReading) {
  const test::FixedZone utc("UTC0");
  MqttBroker broker;
  MqttSubscriber sub(broker.port());
  test::ScratchFolder folder;
  LogLines log;
  std::filesystem::copy_file(test::GoldenFolder() / "Skyvane.dat", folder / "Skyvane.dat");
  MqttOptions options = Options(broker.port(), folder);
  options.dataFile = folder / "Skyvane.dat";
  const HistoryRowArray rows = GoldenRows();
  const std::time_t read = test::LocalTime(2024, 5, 6, 7, 10);
  const auto expected = [&] {
    climate::ClimateBook book;
    std::string error;
    EXPECT_TRUE(book.Refresh(options.dataFile.string(), error)) << error;
    return TodayJson(book.Today("2024-05-06 07:10:00"));
  };
  MqttPublisher publisher(options, log.Sink());
  ASSERT_TRUE(publisher.Start());
  publisher.OnReading(rows.back(), LampStates{}, read);
  ASSERT_TRUE(sub.WaitForCount("wx/today", 1));
  const std::string first = sub.On("wx/today")[0].payload;
  EXPECT_EQ(first, expected());
  EXPECT_NE(first.find("\"rain_today\":13.8,"), std::string::npos) << first;

  HistoryRow later = rows.back();
  later[row::recordTime] = "2024-05-06 07:09:00";
  later[row::outdoorTemperature] = "31.5";
  later[row::rainIncrement] = "1.2";
  std::ofstream(folder / "Skyvane.dat", std::ios::binary | std::ios::app) << FormatRowLine(later, "2024-05-06 07:09:30");
  publisher.OnReading(later, LampStates{}, read);
  ASSERT_TRUE(sub.WaitForCount("wx/today", 2));
  const std::string second = sub.On("wx/today")[1].payload;
  EXPECT_EQ(second, expected());
  EXPECT_NE(second.find("\"outdoor_temperature_high\":31.5,"), std::string::npos) << second;
  EXPECT_NE(second.find("\"rain_today\":15.0,"), std::string::npos) << second;
  const auto config = sub.On("homeassistant/sensor/skyvane/rain_today/config");
  ASSERT_EQ(config.size(), 1u);
  EXPECT_NE(config[0].payload.find("\"state_topic\":\"wx/today\""), std::string::npos);
}

}  // namespace
}  // namespace skyvane
