#pragma once
// Keeps the logger's LiveState file (see live_state.h) up to date: after each
// cycle that read the station it is written again when the units or a lamp
// changed, or when the time it names is an hour old. The writing happens on a
// thread of its own, so a slow or failing disk never holds up a cycle; a
// failure is told once until a write succeeds again.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/publish/http/live_state.h"
#include "core/publish/publishing_front_end.h"

namespace skyvane {

class LiveStateKeeper final : public ReadingListener {
 public:
  using Problem = std::function<void(const std::string& line)>;
  LiveStateKeeper(std::string path, Problem problem);
  ~LiveStateKeeper() override;  // Stop()
  LiveStateKeeper(const LiveStateKeeper&) = delete;
  LiveStateKeeper& operator=(const LiveStateKeeper&) = delete;

  void OnLiveValues(const HistoryRow& display, const HeaderRecord& header) override;
  void OnReading(const HistoryRow& stored, const LampStates& lamps, std::time_t readTime) override;
  void OnCycleEnded(StationSeen seen) override;

  // Writes what is still waiting and ends the thread.
  void Stop();

 private:
  void Work();

  const std::string path_;
  const Problem problem_;
  std::mutex mutex_;
  std::condition_variable wake_;
  LiveState cycle_;           // what the running cycle has seen
  bool haveUnits_ = false;
  bool haveLamps_ = false;
  std::optional<LiveState> pending_;  // to be written
  std::optional<LiveState> written_;  // on the disk (or handed to the thread)
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace skyvane
