#pragma once
// The open /api/events streams and the one thread that feeds them all: an
// event "current" after every cycle of the source, a heartbeat comment when a
// cycle is long in coming. A client costs a parked connection, not a thread.
#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/publish/http/current_source.h"
#include "core/publish/http/stream_answer.h"

namespace skyvane {

class EventStreams {
 public:
  EventStreams(CurrentSource& current, std::size_t most, std::chrono::milliseconds every)
      : current_(current), most_(most), heartbeat_(every) {}
  ~EventStreams() { Stop(); }
  EventStreams(const EventStreams&) = delete;
  EventStreams& operator=(const EventStreams&) = delete;

  void Start();
  // Ends every stream, stops the source and waits for the thread.
  void Stop();
  // A new stream for connection, beginning with the state so far; null when
  // the most streams are open.
  std::shared_ptr<StreamAnswer> Open(MHD_Connection* connection);

 private:
  void Feed(std::uint64_t seen);
  // Hands text to every open stream, dropping those that ended.
  void Send(const std::string& text);

  CurrentSource& current_;
  const std::size_t most_;
  const std::chrono::milliseconds heartbeat_;
  std::mutex mutex_;
  std::vector<std::shared_ptr<StreamAnswer>> streams_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace skyvane
