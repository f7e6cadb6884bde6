#pragma once
// The total deadline of a request: a connection whose request is not
// complete within it is shut, however steadily the client dribbles bytes (a
// read timeout alone restarts with each byte). Told by the server's
// callbacks when a connection opens, when its request is complete and when
// its answer is done (the next request's time starts); a thread of its own
// shuts the late ones.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

namespace skyvane {

class RequestDeadlines {
 public:
  explicit RequestDeadlines(std::chrono::milliseconds deadline) : deadline_(deadline) {}
  ~RequestDeadlines() { Stop(); }
  RequestDeadlines(const RequestDeadlines&) = delete;
  RequestDeadlines& operator=(const RequestDeadlines&) = delete;

  void Start();
  void Stop();

  // A connection on socket fd opened, or its answer was sent: a request is
  // awaited from now on.
  void Awaiting(std::uintptr_t connection, int fd);
  // The request arrived whole: no deadline while it is answered.
  void Arrived(std::uintptr_t connection);
  // The connection closed (before its socket is closed).
  void Closed(std::uintptr_t connection);

 private:
  void Watch();

  struct Waiting {
    int fd = -1;
    std::chrono::steady_clock::time_point since;
    bool awaiting = false;
  };
  const std::chrono::milliseconds deadline_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::map<std::uintptr_t, Waiting> connections_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace skyvane
