// skyvane-cli run --mqtt against a real broker: the broker's last will when
// the logger is killed, and the records of a logger killed while the broker
// was away, published after its restart, each once and in file order.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "core/history/history_file.h"
#include "support/mqtt_broker.h"

namespace skyvane {
namespace {

using test::MqttBroker;
using test::MqttSubscriber;
using test::ReadFileBytes;
using test::ScratchFolder;
using test::WaitFor;

std::vector<int> SequencesInDataFile(const std::filesystem::path& folder) {
  std::vector<int> out;
  std::istringstream lines(ReadFileBytes(folder / "Skyvane.dat"));
  std::string line;
  while (std::getline(lines, line)) {
    HistoryRow row;
    if (HistoryFile::ParseLine(row, line) > 0) out.push_back(std::stoi(row[row::sequenceNo]));
  }
  return out;
}

TEST(MqttRun, RecordsOfAKilledLoggerFollowAfterItsRestartAndTheWillSaysOffline) {
  ScratchFolder folder;
  const int port = test::FreeLoopbackPort();
  const std::vector<std::string> args{"--folder", folder.path().string(),
                                      "--simulate=" + (folder / "sim").string(), "--sim-speed",
                                      "600", "--sim-seed", "5", "run", "--mqtt",
                                      "mqtt://127.0.0.1:" + std::to_string(port) + "/wx"};
  // No broker yet: the records wait in the queue file.
  pid_t pid = test::StartCliProgram(args, folder / "run1.out", folder / "run1.err");
  ASSERT_NE(pid, 0);
  // The cycle's summary comes after its records were handed to the queue.
  ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(folder / "run1.out").find("Read Records:") != std::string::npos; }));
  ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(folder / "run1.err").find("MQTT: cannot connect") != std::string::npos; }));
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  const std::size_t queuedBeforeRestart = SequencesInDataFile(folder.path()).size();

  {
    MqttBroker broker;  // on its own port; the logger's address changes to it
    MqttSubscriber sub(broker.port());
    std::vector<std::string> again = args;
    again.back() = "mqtt://127.0.0.1:" + std::to_string(broker.port()) + "/wx";
    pid = test::StartCliProgram(again, folder / "run2.out", folder / "run2.err");
    ASSERT_NE(pid, 0);
    ASSERT_TRUE(sub.WaitForLast("wx/status", "online"));
    ASSERT_TRUE(sub.WaitForCount("wx/record", queuedBeforeRestart))
        << sub.On("wx/record").size() << " of " << queuedBeforeRestart << "\n" << ReadFileBytes(folder / "run1.err") << ReadFileBytes(folder / "run2.err") << ReadFileBytes(folder / "Skyvane.mqtt-queue").size();
    ASSERT_TRUE(sub.WaitForCount("wx/current", 1));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ASSERT_TRUE(sub.WaitForLast("wx/status", "offline")) << "the broker's last will";

    // Every record of the data file published once, in file order; the
    // newest may not have been sent before the kill.
    std::vector<int> published;
    for (const auto& m : sub.On("wx/record")) {
      published.push_back(nlohmann::json::parse(m.payload).at("sequence").get<int>());
    }
    const std::vector<int> stored = SequencesInDataFile(folder.path());
    ASSERT_LE(published.size(), stored.size());
    EXPECT_EQ(published, std::vector<int>(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(published.size())));
    EXPECT_EQ(stored.front(), published.front());
  }
}

// The station unplugged under a running logger: its entities turn unavailable
// after the next cycle, and come back when it is plugged in again. The
// dashboard `run` serves is the device's configuration URL.
TEST(MqttRun, AStationUnpluggedTurnsOfflineAndTheDashboardIsTheDevicesPage) {
  ScratchFolder folder;
  MqttBroker broker;
  MqttSubscriber sub(broker.port());
  const auto station = folder / "sim";
  const pid_t pid = test::StartCliProgram(
      {"--folder", folder.path().string(), "--simulate=" + station.string(), "--sim-speed", "600",
       "--sim-seed", "5", "run", "--http", "127.0.0.1:0", "--mqtt",
       "mqtt://127.0.0.1:" + std::to_string(broker.port()) + "/wx"},
      folder / "run.out", folder / "run.err");
  ASSERT_NE(pid, 0);
  ASSERT_TRUE(sub.WaitForLast("wx/station", "online")) << ReadFileBytes(folder / "run.err");
  test::WriteFileBytes(station / "faults", "unplugged\n");
  EXPECT_TRUE(sub.WaitForLast("wx/station", "offline")) << ReadFileBytes(folder / "run.err");
  EXPECT_EQ(sub.On("wx/status").back().payload, "online") << "the program itself is still there";
  std::filesystem::remove(station / "faults");
  EXPECT_TRUE(sub.WaitForLast("wx/station", "online"));
  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);
  EXPECT_EQ(sub.On("wx/station").back().payload, "offline");

  const std::string err = ReadFileBytes(folder / "run.err");
  const std::string served = "serving http://127.0.0.1:";
  const std::size_t at = err.find(served);
  ASSERT_NE(at, std::string::npos) << err;
  const std::string url = err.substr(at + 8, err.find('\n', at) - at - 8);
  const auto config = sub.On("homeassistant/sensor/skyvane/outdoor_temperature/config");
  ASSERT_FALSE(config.empty());
  EXPECT_EQ(nlohmann::json::parse(config.back().payload).at("device").at("configuration_url"), url);
}

}  // namespace
}  // namespace skyvane
