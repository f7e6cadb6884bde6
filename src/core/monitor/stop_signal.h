#pragma once
// StopSignal: a stop request that also ends every sleep waiting on it at once,
// so a worker asleep for minutes stops within a fraction of a second. A wake
// ends the current (or next) sleep early without stopping the worker.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace skyvane {

class StopSignal {
 public:
  // Sets the request and wakes every sleeper. Safe from any thread, repeatable.
  void Request() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requested_ = true;
    }
    wake_.notify_all();
  }

  // Ends the sleep going on, or the next one, as if its pause had passed.
  void Wake() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      woken_ = true;
    }
    wake_.notify_all();
  }

  bool Requested() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requested_;
  }

  // Sleeps for the pause, until a wake or until a stop is requested. True when
  // the pause passed or a wake ended it, false when the sleep ended (or never
  // began) because of a stop.
  bool SleepFor(std::chrono::milliseconds pause) {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait_for(lock, pause, [this] { return requested_ || woken_; });
    woken_ = false;
    return !requested_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool requested_ = false;
  bool woken_ = false;
};

}  // namespace skyvane
