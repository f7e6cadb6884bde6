#pragma once
// FileBusy: the guard of the data file shared by the monitor thread and the
// user-interface thread. Taking it is one atomic test-and-set, so two threads
// can never both hold it; the thread that holds it may take it again (the
// last-line reads run inside a store operation as well as on their own).
#include <atomic>
#include <chrono>
#include <thread>

namespace skyvane {

class FileBusy {
 public:
  static constexpr int kWaits = 3;
  static constexpr std::chrono::milliseconds kPause{100};

  FileBusy() = default;
  FileBusy(const FileBusy&) = delete;
  FileBusy& operator=(const FileBusy&) = delete;

  // One attempt; true when the calling thread now holds the flag.
  bool TryTake();
  // An attempt, then up to `waits` pauses each followed by another attempt.
  bool Take(int waits = kWaits, std::chrono::milliseconds pause = kPause);
  // Waits as long as the other thread holds it.
  void TakeWhenFree();
  // Gives back one taking; the flag clears when the last one is given back.
  void Release();

  bool IsSet() const { return busy_.load(std::memory_order_acquire); }
  bool HeldByThisThread() const {
    return owner_.load(std::memory_order_acquire) == std::this_thread::get_id();
  }

  // Holds the flag for a scope; `held()` tells whether taking it succeeded.
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
  std::atomic<bool> busy_{false};
  std::atomic<std::thread::id> owner_{};
  int depth_ = 0;  // touched only by the holding thread
};

}  // namespace skyvane
