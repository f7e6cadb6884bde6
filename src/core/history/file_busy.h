#pragma once
// FileBusy: the guard of the data file shared by the monitor thread and the
// user-interface thread: a lock whose waits are timed, so a store operation
// can give up after its waits instead of blocking the thread that asked. Two
// threads can never both hold it; the thread that holds it may take it again
// (the last-line reads run inside a store operation as well as on their own).
// A waiting thread is woken when the holder lets go; nobody polls.
//
// Built on a mutex and a condition variable rather than std::timed_mutex:
// that one's timed lock goes through pthread_mutex_clocklock, which the
// thread sanitizer of our compiler cannot see.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace skyvane {

class FileBusy {
 public:
  static constexpr int kWaits = 3;
  static constexpr std::chrono::milliseconds kPause{100};

  FileBusy() = default;
  FileBusy(const FileBusy&) = delete;
  FileBusy& operator=(const FileBusy&) = delete;

  // One attempt; true when the calling thread now holds the lock.
  bool TryTake();
  // An attempt, then up to `waits` waits of `pause` each for the holder to let
  // go; false when it still holds the lock after the last one.
  bool Take(int waits = kWaits, std::chrono::milliseconds pause = kPause);
  // Waits as long as the other thread holds it.
  void TakeWhenFree();
  // Gives back one taking; the lock is free when the last one is given back.
  // A thread that does not hold it gives back nothing.
  void Release();

  bool IsSet() const;
  bool HeldByThisThread() const;

  // Holds the lock for a scope; `held()` tells whether taking it succeeded.
  class Hold {
   public:
    Hold() = default;
    explicit Hold(FileBusy* busy) : busy_(busy) {}
    Hold(Hold&& other) noexcept : busy_(other.busy_) { other.busy_ = nullptr; }
    Hold& operator=(Hold&& other) noexcept;
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    ~Hold() { if (busy_) busy_->Release(); }
    bool held() const { return busy_ != nullptr; }

   private:
    FileBusy* busy_ = nullptr;
  };

  Hold TakeHold(int waits = kWaits, std::chrono::milliseconds pause = kPause) {
    return Take(waits, pause) ? Hold(this) : Hold();
  }
  Hold HoldWhenFree() {
    TakeWhenFree();
    return Hold(this);
  }

 private:
  // With mutex_ held: takes the lock when it is free or ours already.
  bool TakeLocked(std::thread::id self);
  bool FreeFor(std::thread::id self) const { return owner_ == std::thread::id{} || owner_ == self; }

  mutable std::mutex mutex_;
  std::condition_variable released_;
  std::thread::id owner_{};  // no thread: free
  int depth_ = 0;
};

}  // namespace skyvane
