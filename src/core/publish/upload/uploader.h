#pragma once
// Uploader: sends the latest reading to each weather-network target at its
// interval, each target on a thread of its own, so that a slow or failing
// network never delays a polling cycle nor another target's uploads. A failure is told once when it begins (with the
// server's answer, never the key) and once when uploads work again; the next
// interval simply tries again.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/publish/publishing_front_end.h"
#include "core/publish/upload/transfer_stop.h"
#include "core/publish/upload/upload_config.h"
#include "core/publish/upload/upload_values.h"

namespace skyvane {

class HistoryFile;

class Uploader final : public ReadingListener {
 public:
  using Tell = std::function<void(const std::string&)>;
  struct Options {
    std::chrono::seconds timeout{10};
    std::string version;  // the program's, for the login and softwaretype
  };

  // problem and status are called on the targets' threads (any of them at
  // once); file is read for the rain since midnight.
  Uploader(std::vector<UploadTarget> targets, HistoryFile& file, Tell problem, Tell status,
           Options options);
  ~Uploader() override;
  Uploader(const Uploader&) = delete;
  Uploader& operator=(const Uploader&) = delete;

  void OnReading(const HistoryRow& stored, const LampStates& lamps, std::time_t readTime) override;
  // Ends the threads; an upload under way is given up at once.
  void Stop();
  // Uploads the servers took, all targets together.
  int Delivered() const;

 private:
  struct Target {
    UploadTarget config;
    std::chrono::steady_clock::time_point due;
    std::time_t lastSent = 0;  // time of the reading last sent
    int failing = -1;          // -1 not tried yet, 0 working, 1 failing
  };
  void Loop(Target& target);
  void Upload(Target& target, const HistoryRow& stored, std::time_t readTime);
  UploadValues ValuesOf(const HistoryRow& stored, std::time_t readTime);

  std::vector<Target> targets_;  // each touched by its own thread only
  HistoryFile& file_;
  Tell problem_;
  Tell status_;
  Options options_;

  std::mutex fileMutex_;  // one reader of the data file at a time
  TransferStop stopSignal_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  HistoryRow latest_;
  std::time_t latestTime_ = 0;
  int delivered_ = 0;
  std::vector<std::thread> threads_;
};

}  // namespace skyvane
