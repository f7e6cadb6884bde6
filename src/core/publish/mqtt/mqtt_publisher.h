#pragma once
// MqttPublisher: sends the station's readings to an MQTT broker.
//   PREFIX/status   "online" retained while connected; the broker's last will
//                   and a clean stop set "offline"
//   PREFIX/station  "online" retained once a cycle read the station, "offline"
//                   before that, after a cycle that could not read it and at
//                   a clean stop
//   PREFIX/current  the live reading after each cycle that read it, retained
//   PREFIX/today    the day's high and low, rain and pressure trend from the
//                   data file (when one is named), after each such cycle,
//                   retained
//   PREFIX/record   each record appended to the data file, in file order,
//                   QoS 1, not retained; kept in a queue file until the broker
//                   acknowledged it, so neither a broker away for a while nor a
//                   restart of the logger loses one
// plus Home Assistant discovery when switched on, and the clearing of the
// discovery configurations announced before and no longer (announcedFile).
//
// The monitor thread only hands things over (the records into the queue);
// the broker is spoken to on a network thread of its own, so a slow or absent
// broker never holds up a polling cycle.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/climate/climate_book.h"
#include "core/publish/mqtt/mqtt_queue.h"
#include "core/publish/mqtt/mqtt_url.h"
#include "core/publish/publishing_front_end.h"

struct mosquitto;

namespace skyvane {

class HistoryFile;

struct MqttOptions {
  MqttUrl url;
  std::string password;                  // empty: none
  std::string caFile;                    // empty: the system's CA folder below
  std::string caPath = "/etc/ssl/certs";
  bool discovery = true;
  std::string discoveryPrefix = "homeassistant";
  std::string node = "skyvane";
  std::string version;                   // the program's, for the discovery device
  std::string configurationUrl;          // the dashboard, for the discovery device; empty: none
  std::filesystem::path announcedFile;   // empty: nothing announced before is cleared
  std::filesystem::path queueFile;       // empty: the queue lives in memory only
  std::filesystem::path dataFile;        // empty: no PREFIX/today
  climate::ClimateOptions climate;
  std::size_t queueCapacity = kDefaultMqttQueueCapacity;
  // Waits between connection attempts: the first, doubled after each failure
  // up to the last.
  std::chrono::milliseconds firstRetry{1000};
  std::chrono::milliseconds lastRetry{60000};
  // How long a broker may take to answer a connection attempt.
  std::chrono::milliseconds answerTimeout{10000};
  // How long a stop waits for the broker to take the "offline" status.
  std::chrono::milliseconds stopTimeout{2000};
  int keepAliveSeconds = 60;
};

enum class MqttLogLevel { kInfo, kError };
// One line without its line break; called on the network thread, and on the
// thread that calls Start.
using MqttLog = std::function<void(MqttLogLevel level, const std::string& line)>;

class MqttPublisher final : public ReadingListener {
 public:
  MqttPublisher(MqttOptions options, MqttLog log);
  ~MqttPublisher() override;  // Stop()
  MqttPublisher(const MqttPublisher&) = delete;
  MqttPublisher& operator=(const MqttPublisher&) = delete;

  // Opens the queue (what a previous run left waits in it) and starts the
  // network thread. False when the thread could not be started.
  bool Start();
  // Publishes "offline" (waiting at most stopTimeout for the broker),
  // disconnects and ends the network thread. Records not yet acknowledged
  // stay in the queue file for the next start.
  void Stop();

  // Queues the records of the data file newer than the last one queued by an
  // earlier run (saved by a logger killed before it could queue them). The
  // first run with a queue only notes where the file ends. Call after Start()
  // and before the monitor starts.
  void CatchUp(HistoryFile& file);

  // ReadingListener, on the monitor thread.
  void OnReading(const HistoryRow& stored, const LampStates& lamps, std::time_t readTime) override;
  void OnRecordsSaved(const HistoryRowArray& rows) override;
  void OnCycleEnded(StationSeen seen) override;

  // Records waiting for the broker's acknowledgement.
  std::size_t QueuedRecords() const;
  // Whether the network thread holds a connection the broker accepted.
  bool Connected() const;

 private:
  struct Reading {
    HistoryRow stored;
    LampStates lamps{};
    std::time_t readTime = 0;
  };
  enum class Outcome { kStopped, kLost, kFailed };

  void Loop();
  // One connection from attempt to end.
  Outcome Session(bool& wasConnected);
  void PublishOnConnect(mosquitto* mosq);
  void Announce(mosquitto* mosq);
  void RecordAnnounced(const std::vector<std::string>& topics);
  void PublishPending(mosquitto* mosq);
  void PublishOffline(mosquitto* mosq);
  void LogFailure(const std::string& reason);
  void LogDropped();
  bool Stopping();

  static void OnConnect(mosquitto* mosq, void* self, int rc);
  static void OnDisconnect(mosquitto* mosq, void* self, int rc);
  static void OnPublish(mosquitto* mosq, void* self, int mid);

  const MqttOptions options_;
  const MqttLog log_;
  const std::string statusTopic_;
  const std::string currentTopic_;
  const std::string recordTopic_;
  const std::string stationTopic_;
  const std::string todayTopic_;

  // Shared with the monitor thread.
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::optional<Reading> reading_;
  MqttQueue queue_;
  bool connected_ = false;
  bool stationOnline_ = false;  // unknown counts as offline until a cycle read it

  // The network thread's own.
  std::thread thread_;
  bool started_ = false;
  int connackCode_ = -1;  // -1: no answer yet
  bool disconnected_ = false;
  int disconnectCode_ = 0;
  std::uint64_t sentUpTo_ = 0;               // the last queued record sent this connection
  std::map<int, std::uint64_t> inFlight_;     // message id → queued record id
  int offlineMid_ = -1;
  bool offlineAcked_ = false;
  std::optional<bool> stationSent_;          // the station state published this connection
  std::set<int> clearing_;                   // message ids of configurations being cleared
  std::vector<std::string> announced_;       // the configuration topics of this run
  std::string lastFailure_;                  // logged once until it changes
  bool writeFailureLogged_ = false;
  std::unique_ptr<climate::ClimateBook> climate_;  // the days of dataFile, read once then appended to
};

}  // namespace skyvane
