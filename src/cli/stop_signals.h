#pragma once
// SIGINT and SIGTERM for the commands that run until asked to stop. They are
// taken by sigtimedwait on the main thread alone: blocked here before any
// other thread starts, so those inherit the mask and no handler ever runs in
// the middle of a write.
#include <pthread.h>
#include <signal.h>

#include <ctime>

namespace skyvane {

class StopSignals {
 public:
  StopSignals() {
    sigemptyset(&set_);
    sigaddset(&set_, SIGINT);
    sigaddset(&set_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set_, &previous_);
  }
  ~StopSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Waits up to one second; true when a stop signal arrived.
  bool WaitOneSecond() const {
    const timespec second{1, 0};
    return sigtimedwait(&set_, nullptr, &second) > 0;
  }

 private:
  sigset_t set_;
  sigset_t previous_;
};

}  // namespace skyvane
