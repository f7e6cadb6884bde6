#pragma once
// InfluxWriter: writes each record appended to the data file, once and in
// file order, as one point to a time-series database that speaks the
// InfluxDB line protocol over HTTP. The points wait in a queue file beside
// the data file (the record queue MQTT uses too) until the database has
// taken them, so neither a database away for a while nor a restart of the
// logger loses one.
//
// The monitor thread only queues; the database is written to on a thread of
// its own in batches, so a slow or absent database never holds up a polling
// cycle. A 2xx answer takes the batch out of the queue. A 400 or 422 answer
// means the database refuses a point: the batch is sent again a point at a
// time, and a point refused alone is set aside in a file of its own and told
// once with the server's message. Other answers and network errors are tried
// again with a wait that doubles up to a limit. A stop ends a write at once.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "core/publish/publishing_front_end.h"
#include "core/publish/record_queue.h"
#include "core/publish/upload/transfer_stop.h"

namespace skyvane {

class HistoryFile;

inline constexpr const char* kInfluxQueueFileName = "Skyvane.influx-queue";
inline constexpr const char* kInfluxRefusedFileName = "Skyvane.influx-refused";
inline constexpr std::size_t kDefaultInfluxQueueCapacity = 10000;

struct InfluxOptions {
  std::string writeUrl;   // the whole write address, query included
  std::string where;      // the database's address for the log, without secrets
  std::string token;      // sent as "Authorization: Token ..."; empty: none
  std::string measurement = "weather";
  std::string station = "skyvane";
  std::filesystem::path queueFile;    // empty: the queue lives in memory only
  std::filesystem::path refusedFile;  // empty: refused points are only told
  std::size_t queueCapacity = kDefaultInfluxQueueCapacity;
  std::size_t batchSize = 500;
  std::chrono::milliseconds firstRetry{1000};
  std::chrono::milliseconds lastRetry{60000};
  std::chrono::seconds timeout{10};
};

// One line without its line break; error lines are problems. Called on the
// writer's thread and on the threads that call Start and CatchUp.
using InfluxLog = std::function<void(bool error, const std::string& line)>;

class InfluxWriter final : public ReadingListener {
 public:
  InfluxWriter(InfluxOptions options, InfluxLog log);
  ~InfluxWriter() override;  // Stop()
  InfluxWriter(const InfluxWriter&) = delete;
  InfluxWriter& operator=(const InfluxWriter&) = delete;

  // Opens the queue (what a previous run left waits in it) and starts the
  // writing thread. False when the thread could not be started.
  bool Start();
  // Ends a write under way and the thread; what is queued stays for the next start.
  void Stop();
  // Queues the records of the data file saved after the newest one queued by
  // an earlier run. Call after Start() and before the monitor starts.
  void CatchUp(HistoryFile& file);

  // ReadingListener, on the monitor thread.
  void OnRecordsSaved(const HistoryRowArray& rows) override;

  // Points waiting for the database.
  std::size_t QueuedPoints() const;

 private:
  enum class Answer { kTaken, kRefused, kFailed, kStopped };
  void Loop();
  Answer Write(const std::vector<RecordQueue::Entry>& batch, std::string& said);
  void SetAside(const RecordQueue::Entry& point, const std::string& said);
  void LogFailure(const std::string& reason);
  void LogQueueTrouble();

  const InfluxOptions options_;
  const InfluxLog log_;
  TransferStop stop_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  RecordQueue queue_;

  // The writing thread's own.
  std::thread thread_;
  std::uint64_t onePointUpTo_ = 0;  // points up to this id go one at a time
  std::string lastFailure_;
  bool writeFailureLogged_ = false;
};

// The shared queue's description of points of line protocol.
RecordQueueKind InfluxQueueKind();

}  // namespace skyvane
