#include "core/publish/mqtt/mqtt_publisher.h"

#include <mosquitto.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "core/app/number_text.h"
#include "core/app/time_text.h"
#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/publish/climate_json.h"
#include "core/publish/mqtt/announced_topics.h"
#include "core/publish/mqtt/ha_discovery.h"
#include "core/publish/reading_json.h"
#include "core/publish/record_catch_up.h"

namespace skyvane {

namespace {

constexpr int kLoopMillis = 50;         // how long one pass of the network loop may wait
constexpr std::size_t kSendWindow = 64;  // queued records sent before their acknowledgements

void InitLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] { mosquitto_lib_init(); });
}

std::string ReasonOf(int rc) {
  if (rc == MOSQ_ERR_ERRNO) return std::strerror(errno);
  return mosquitto_strerror(rc);
}

bool Publish(mosquitto* mosq, int* mid, const std::string& topic, const std::string& payload,
             int qos, bool retain) {
  return mosquitto_publish(mosq, mid, topic.c_str(), static_cast<int>(payload.size()),
                           payload.data(), qos, retain) == MOSQ_ERR_SUCCESS;
}

// The handle of one connection, destroyed with it: a new connection starts
// without anything the library kept of the last one, and the queue alone
// decides what is sent again.
struct Handle {
  explicit Handle(mosquitto* m) : mosq(m) {}
  ~Handle() {
    if (mosq != nullptr) mosquitto_destroy(mosq);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  mosquitto* mosq;
};

// The library's own error lines say what went wrong inside TLS.
thread_local std::string libraryError;

void OnLibraryLog(mosquitto*, void*, int level, const char* text) {
  if (level == MOSQ_LOG_ERR && text != nullptr) libraryError = text;
}

}  // namespace

MqttPublisher::MqttPublisher(MqttOptions options, MqttLog log)
    : options_(std::move(options)),
      log_(std::move(log)),
      statusTopic_(options_.url.prefix + "/status"),
      currentTopic_(options_.url.prefix + "/current"),
      recordTopic_(options_.url.prefix + "/record"),
      stationTopic_(options_.url.prefix + "/station"),
      todayTopic_(options_.url.prefix + "/today"),
      queue_(options_.queueFile, options_.queueCapacity) {
  if (!options_.dataFile.empty()) climate_ = std::make_unique<climate::ClimateBook>(options_.climate);
}

MqttPublisher::~MqttPublisher() { Stop(); }

bool MqttPublisher::Start() {
  if (started_) return false;
  InitLibraryOnce();
  std::vector<std::string> notes;
  {
    std::lock_guard lock(mutex_);
    queue_.Open(notes);
  }
  for (const std::string& note : notes) log_(MqttLogLevel::kError, "MQTT: " + note);
  try {
    thread_ = std::thread([this] { Loop(); });
  } catch (const std::system_error&) {
    log_(MqttLogLevel::kError, "MQTT: cannot start the network thread");
    return false;
  }
  started_ = true;
  return true;
}

void MqttPublisher::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void MqttPublisher::OnReading(const HistoryRow& stored, const LampStates& lamps,
                              std::time_t readTime) {
  std::lock_guard lock(mutex_);
  reading_ = Reading{stored, lamps, readTime};  // only the newest matters
}

void MqttPublisher::OnRecordsSaved(const HistoryRowArray& rows) {
  std::vector<std::string> payloads;
  payloads.reserve(rows.size());
  for (const HistoryRow& row : rows) payloads.push_back(RecordJson(row));
  long long sequence = 0;
  const bool numbered = !rows.empty() && ReadNumberText(TrimLine(rows.back()[row::sequenceNo]), sequence);
  std::lock_guard lock(mutex_);
  for (const std::string& payload : payloads) queue_.Push(payload);
  if (numbered) queue_.NoteSequence(sequence);
}

void MqttPublisher::OnCycleEnded(StationSeen seen) {
  if (seen == StationSeen::kUntried) return;  // nothing new is known of it
  std::lock_guard lock(mutex_);
  stationOnline_ = seen == StationSeen::kRead;
}

void MqttPublisher::CatchUp(HistoryFile& file) {
  const HistoryRowArray missed = MissedRecords(queue_, mutex_, file, options_.queueCapacity);
  if (missed.empty()) return;
  log_(MqttLogLevel::kInfo, "MQTT: " + std::to_string(missed.size()) +
                                " record(s) saved while nothing could queue them are queued");
  OnRecordsSaved(missed);
}

std::size_t MqttPublisher::QueuedRecords() const {
  std::lock_guard lock(mutex_);
  return queue_.Size();
}

bool MqttPublisher::Connected() const {
  std::lock_guard lock(mutex_);
  return connected_;
}

bool MqttPublisher::Stopping() {
  std::lock_guard lock(mutex_);
  return stopping_;
}

void MqttPublisher::LogFailure(const std::string& reason) {
  if (reason == lastFailure_) return;
  lastFailure_ = reason;
  log_(MqttLogLevel::kError, "MQTT: " + reason + "; trying again in the background");
}

void MqttPublisher::LogDropped() {
  std::size_t dropped = 0;
  bool writeFailed = false;
  {
    std::lock_guard lock(mutex_);
    dropped = queue_.TakeDropped();
    writeFailed = queue_.WriteFailed();
  }
  if (dropped > 0) {
    log_(MqttLogLevel::kError, "MQTT: the queue of records for the broker is full (" +
                                   std::to_string(options_.queueCapacity) + "); dropped the " +
                                   std::to_string(dropped) + " oldest");
  }
  if (writeFailed && !writeFailureLogged_) {
    writeFailureLogged_ = true;
    log_(MqttLogLevel::kError, "MQTT: cannot write the queue file " + options_.queueFile.string() +
                                   "; records waiting for the broker are kept in memory only");
  }
}

void MqttPublisher::Loop() {
  auto retry = options_.firstRetry;
  while (!Stopping()) {
    bool wasConnected = false;
    const Outcome outcome = Session(wasConnected);
    if (outcome == Outcome::kStopped) break;
    if (wasConnected) retry = options_.firstRetry;
    std::unique_lock lock(mutex_);
    if (wake_.wait_for(lock, retry, [this] { return stopping_; })) break;
    lock.unlock();
    retry = std::min(retry * 2, options_.lastRetry);
    LogDropped();
  }
}

MqttPublisher::Outcome MqttPublisher::Session(bool& wasConnected) {
  const std::string where = MqttUrlText(options_.url);
  const std::string clientId = "skyvane-" + options_.node + "-" + std::to_string(::getpid());
  Handle handle(mosquitto_new(clientId.c_str(), true, this));
  mosquitto* mosq = handle.mosq;
  if (mosq == nullptr) {
    LogFailure("cannot set up a connection to " + where);
    return Outcome::kFailed;
  }
  connackCode_ = -1;
  disconnected_ = false;
  sentUpTo_ = 0;
  inFlight_.clear();
  offlineMid_ = -1;
  offlineAcked_ = false;
  stationSent_.reset();
  clearing_.clear();
  libraryError.clear();
  mosquitto_int_option(mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
  mosquitto_connect_callback_set(mosq, &MqttPublisher::OnConnect);
  mosquitto_disconnect_callback_set(mosq, &MqttPublisher::OnDisconnect);
  mosquitto_publish_callback_set(mosq, &MqttPublisher::OnPublish);
  mosquitto_log_callback_set(mosq, &OnLibraryLog);
  if (!options_.url.user.empty()) {
    mosquitto_username_pw_set(mosq, options_.url.user.c_str(),
                              options_.password.empty() ? nullptr : options_.password.c_str());
  }
  if (options_.url.tls) {
    const char* caFile = options_.caFile.empty() ? nullptr : options_.caFile.c_str();
    const char* caPath = caFile != nullptr ? nullptr : options_.caPath.c_str();
    const int rc = mosquitto_tls_set(mosq, caFile, caPath, nullptr, nullptr, nullptr);
    if (rc != MOSQ_ERR_SUCCESS) {
      LogFailure("cannot use the TLS certificates " + std::string(caFile ? caFile : caPath) +
                 " for " + where + ": " + ReasonOf(rc));
      return Outcome::kFailed;
    }
  }
  static const std::string kOffline = "offline";
  mosquitto_will_set(mosq, statusTopic_.c_str(), static_cast<int>(kOffline.size()), kOffline.data(),
                     1, true);

  int rc = mosquitto_connect_async(mosq, options_.url.host.c_str(), options_.url.port,
                                   options_.keepAliveSeconds);
  const auto deadline = std::chrono::steady_clock::now() + options_.answerTimeout;
  // Until the broker accepts or refuses us.
  while (rc == MOSQ_ERR_SUCCESS && connackCode_ < 0) {
    if (Stopping()) return Outcome::kStopped;
    if (std::chrono::steady_clock::now() >= deadline) {
      LogFailure("the broker at " + where + " did not answer");
      return Outcome::kFailed;
    }
    rc = mosquitto_loop(mosq, kLoopMillis, 1);
  }
  if (connackCode_ > 0) {
    LogFailure("the broker at " + where + " refused the connection: " +
               mosquitto_connack_string(connackCode_));
    return Outcome::kFailed;
  }
  if (rc != MOSQ_ERR_SUCCESS) {
    std::string reason = ReasonOf(rc);
    if (rc == MOSQ_ERR_TLS && !libraryError.empty()) reason += " (" + libraryError + ")";
    LogFailure("cannot connect to " + where + ": " + reason);
    return Outcome::kFailed;
  }

  wasConnected = true;
  lastFailure_.clear();
  {
    std::lock_guard lock(mutex_);
    connected_ = true;
  }
  log_(MqttLogLevel::kInfo, "MQTT: connected to " + where);
  PublishOnConnect(mosq);

  Outcome outcome = Outcome::kLost;
  while (true) {
    if (Stopping()) {
      outcome = Outcome::kStopped;
      break;
    }
    PublishPending(mosq);
    LogDropped();
    rc = mosquitto_loop(mosq, kLoopMillis, 1);
    if (rc != MOSQ_ERR_SUCCESS || disconnected_) break;
  }
  {
    std::lock_guard lock(mutex_);
    connected_ = false;
  }
  if (outcome == Outcome::kStopped) {
    PublishPending(mosq);  // the last cycle's records, acknowledged while "offline" goes out
    PublishOffline(mosq);
    log_(MqttLogLevel::kInfo, "MQTT: disconnected from " + where);
    return outcome;
  }
  const std::string reason = rc != MOSQ_ERR_SUCCESS ? ReasonOf(rc) : ReasonOf(disconnectCode_);
  lastFailure_.clear();
  LogFailure("lost the connection to " + where + ": " + reason);
  return outcome;
}

void MqttPublisher::PublishOnConnect(mosquitto* mosq) {
  Publish(mosq, nullptr, statusTopic_, "online", 1, true);
  Announce(mosq);
}

void MqttPublisher::Announce(mosquitto* mosq) {
  std::vector<TopicMessage> configs;
  if (options_.discovery) {
    DiscoverySettings settings{options_.discoveryPrefix, options_.node, options_.url.prefix,
                               options_.version, options_.configurationUrl, climate_ != nullptr};
    configs = HomeAssistantDiscovery(settings);
  }
  announced_.clear();
  for (const TopicMessage& m : configs) announced_.push_back(m.topic);
  std::vector<std::string> before;
  if (!options_.announcedFile.empty()) {
    std::string error;
    if (!ReadAnnouncedTopics(options_.announcedFile, before, error)) {
      log_(MqttLogLevel::kError, "MQTT: " + error + "; Home Assistant entities announced before stay");
    }
  }
  const std::set<std::string> now(announced_.begin(), announced_.end());
  std::vector<std::string> stale;
  std::vector<std::string> both = before;
  for (const std::string& topic : before) {
    if (!now.contains(topic)) stale.push_back(topic);
  }
  const std::set<std::string> known(before.begin(), before.end());
  for (const std::string& topic : announced_) {
    if (!known.contains(topic)) both.push_back(topic);
  }
  // Recorded before they go out, so that a kill in between still knows them.
  if (both.size() != before.size()) RecordAnnounced(both);
  for (const std::string& topic : stale) {
    int mid = 0;
    if (Publish(mosq, &mid, topic, "", 1, true)) clearing_.insert(mid);
  }
  if (!stale.empty()) {
    log_(MqttLogLevel::kInfo, "MQTT: clearing " + std::to_string(stale.size()) +
                                  " Home Assistant entities announced before and no longer");
  }
  for (const TopicMessage& m : configs) Publish(mosq, nullptr, m.topic, m.payload, 1, true);
}

void MqttPublisher::RecordAnnounced(const std::vector<std::string>& topics) {
  if (options_.announcedFile.empty()) return;
  std::string error;
  if (!WriteAnnouncedTopics(options_.announcedFile, topics, error)) log_(MqttLogLevel::kError, "MQTT: " + error);
}

void MqttPublisher::PublishPending(mosquitto* mosq) {
  std::optional<Reading> reading;
  std::vector<MqttQueue::Entry> records;
  bool stationOnline = false;
  {
    std::lock_guard lock(mutex_);
    reading.swap(reading_);
    stationOnline = stationOnline_;
    if (inFlight_.size() < kSendWindow) records = queue_.After(sentUpTo_, kSendWindow - inFlight_.size());
  }
  if (reading) {
    Publish(mosq, nullptr, currentTopic_,
            CurrentReadingJson(reading->stored, reading->lamps, reading->readTime), 0, true);
    // The day's values on this thread: a first read of a long file never
    // holds up a polling cycle, and later ones read only the appended records.
    std::string error;
    if (climate_ && climate_->Refresh(options_.dataFile.string(), error)) {
      Publish(mosq, nullptr, todayTopic_,
              TodayJson(climate_->Today(LocalTimeText(reading->readTime))), 0, true);
    }
  }
  if (stationSent_ != stationOnline &&
      Publish(mosq, nullptr, stationTopic_, stationOnline ? "online" : "offline", 1, true)) {
    stationSent_ = stationOnline;
  }
  for (const MqttQueue::Entry& e : records) {
    int mid = 0;
    if (!Publish(mosq, &mid, recordTopic_, e.payload, 1, false)) break;  // sent again on the next connection
    inFlight_[mid] = e.id;
    sentUpTo_ = e.id;
  }
}

void MqttPublisher::PublishOffline(mosquitto* mosq) {
  // Nobody reads the station any more; the status after it is what the wait covers.
  Publish(mosq, nullptr, stationTopic_, "offline", 1, true);
  int mid = 0;
  if (Publish(mosq, &mid, statusTopic_, "offline", 1, true)) {
    offlineMid_ = mid;
    const auto deadline = std::chrono::steady_clock::now() + options_.stopTimeout;
    while (!offlineAcked_ && !disconnected_ && std::chrono::steady_clock::now() < deadline) {
      if (mosquitto_loop(mosq, kLoopMillis, 1) != MOSQ_ERR_SUCCESS) break;
    }
  }
  mosquitto_disconnect(mosq);
  mosquitto_loop(mosq, kLoopMillis, 1);  // sends the DISCONNECT
}

void MqttPublisher::OnConnect(mosquitto*, void* self, int rc) {
  static_cast<MqttPublisher*>(self)->connackCode_ = rc;
}

void MqttPublisher::OnDisconnect(mosquitto*, void* self, int rc) {
  auto* p = static_cast<MqttPublisher*>(self);
  p->disconnected_ = true;
  p->disconnectCode_ = rc;
}

void MqttPublisher::OnPublish(mosquitto*, void* self, int mid) {
  auto* p = static_cast<MqttPublisher*>(self);
  if (mid == p->offlineMid_) p->offlineAcked_ = true;
  // The broker dropped the last cleared configuration: the record may forget them.
  if (p->clearing_.erase(mid) > 0 && p->clearing_.empty()) p->RecordAnnounced(p->announced_);
  const auto it = p->inFlight_.find(mid);
  if (it == p->inFlight_.end()) return;
  // The broker has it: only now may it leave the queue.
  {
    std::lock_guard lock(p->mutex_);
    p->queue_.Remove(it->second);
  }
  p->inFlight_.erase(it);
}

}  // namespace skyvane
