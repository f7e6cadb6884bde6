#include "core/publish/http/event_streams.h"

#include <algorithm>
#include <string>

namespace skyvane {
namespace {

std::string SseEvent(const std::string& json) { return "event: current\ndata: " + json + "\n\n"; }

// What a stream may hold unread before its client counts as gone.
constexpr std::size_t kUnreadBound = 256 * 1024;

}  // namespace

void EventStreams::Start() {
  stopping_ = false;
  // Taken here, not in the new thread: a cycle that ends before that thread
  // first runs must still reach the streams.
  const std::uint64_t seen = current_.Cycle();
  thread_ = std::thread([this, seen] { Feed(seen); });
}

void EventStreams::Stop() {
  std::vector<std::shared_ptr<StreamAnswer>> streams;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    streams.swap(streams_);
  }
  for (const auto& stream : streams) stream->Close();
  // Only a running feeder waits on the source; a server that never started
  // may outlive its source, which must not be called then.
  if (!thread_.joinable()) return;
  current_.Stop();
  thread_.join();
}

std::shared_ptr<StreamAnswer> EventStreams::Open(MHD_Connection* connection) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::erase_if(streams_, [](const auto& s) { return s->closed(); });
  if (stopping_ || streams_.size() >= most_) return nullptr;
  auto stream = std::make_shared<StreamAnswer>(connection, kUnreadBound);
  // The state so far at once, so a page need not wait a whole cycle.
  stream->Offer("retry: 3000\n\n" + SseEvent(current_.CurrentJson()));
  streams_.push_back(stream);
  return stream;
}

void EventStreams::Send(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::erase_if(streams_, [&text](const auto& s) { return !s->Offer(text); });
}

void EventStreams::Feed(std::uint64_t seen) {
  for (;;) {
    const bool cycle = current_.WaitForCycle(seen, heartbeat_);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_) return;
    }
    // A heartbeat keeps proxies from dropping a quiet stream and finds
    // clients gone.
    Send(cycle ? SseEvent(current_.CurrentJson()) : std::string(": heartbeat\n\n"));
  }
}

}  // namespace skyvane
