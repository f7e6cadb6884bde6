#include "core/publish/http/request_deadlines.h"

#include <sys/socket.h>

namespace skyvane {

void RequestDeadlines::Start() {
  stopping_ = false;
  thread_ = std::thread([this] { Watch(); });
}

void RequestDeadlines::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void RequestDeadlines::Awaiting(std::uintptr_t connection, int fd) {
  std::lock_guard<std::mutex> lock(mutex_);
  Waiting& w = connections_[connection];
  if (fd >= 0) w.fd = fd;
  w.since = std::chrono::steady_clock::now();
  w.awaiting = true;
}

void RequestDeadlines::Arrived(std::uintptr_t connection) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = connections_.find(connection);
  if (it != connections_.end()) it->second.awaiting = false;
}

void RequestDeadlines::Closed(std::uintptr_t connection) {
  std::lock_guard<std::mutex> lock(mutex_);
  connections_.erase(connection);
}

void RequestDeadlines::Watch() {
  // Checked a few times a second: a late request ends at most this much
  // after its deadline.
  const auto every = std::chrono::milliseconds(250);
  std::unique_lock<std::mutex> lock(mutex_);
  while (!wake_.wait_for(lock, every, [this] { return stopping_; })) {
    const auto now = std::chrono::steady_clock::now();
    for (auto& [connection, w] : connections_) {
      if (!w.awaiting || w.fd < 0 || now - w.since < deadline_) continue;
      // The server's loop sees the connection end and closes it. The socket
      // is still the connection's: Closed comes before it is closed, and
      // both hold the mutex.
      ::shutdown(w.fd, SHUT_RDWR);
      w.awaiting = false;
    }
  }
}

}  // namespace skyvane
