// The publisher against a real mosquitto broker on loopback, with a
// subscriber that sees what Home Assistant or any other client would.
#include "core/publish/mqtt/mqtt_publisher.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "core/history/history_line.h"
#include "core/publish/reading_json.h"
#include "support/golden.h"
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
    ASSERT_TRUE(WaitFor([&] { return late.Messages().size() >= 2 + ReadingKeys().size() + kLampCount; }));
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
      EXPECT_NE(m.payload.find("\"availability_topic\":\"wx/status\""), std::string::npos);
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

}  // namespace
}  // namespace skyvane
