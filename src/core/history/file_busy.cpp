#include "core/history/file_busy.h"

namespace skyvane {

bool FileBusy::TakeLocked(std::thread::id self) {
  if (!FreeFor(self)) return false;
  owner_ = self;
  ++depth_;
  return true;
}

bool FileBusy::TryTake() {
  std::lock_guard lock(mutex_);
  return TakeLocked(std::this_thread::get_id());
}

bool FileBusy::Take(int waits, std::chrono::milliseconds pause) {
  const std::thread::id self = std::this_thread::get_id();
  std::unique_lock lock(mutex_);
  if (TakeLocked(self)) return true;
  for (int i = 0; i < waits; ++i) {
    if (released_.wait_for(lock, pause, [&] { return FreeFor(self); })) return TakeLocked(self);
  }
  return false;
}

void FileBusy::TakeWhenFree() {
  // Store operations hold the lock for one pass over the file at most.
  const std::thread::id self = std::this_thread::get_id();
  std::unique_lock lock(mutex_);
  released_.wait(lock, [&] { return FreeFor(self); });
  TakeLocked(self);
}

void FileBusy::Release() {
  {
    std::lock_guard lock(mutex_);
    if (owner_ != std::this_thread::get_id()) return;
    if (--depth_ > 0) return;
    owner_ = std::thread::id{};
  }
  // Every waiter: one whose wait is just ending must not swallow the wake-up
  // another one, waiting without a limit, needs.
  released_.notify_all();
}

bool FileBusy::IsSet() const {
  std::lock_guard lock(mutex_);
  return owner_ != std::thread::id{};
}

bool FileBusy::HeldByThisThread() const {
  std::lock_guard lock(mutex_);
  return owner_ == std::this_thread::get_id();
}

FileBusy::Hold& FileBusy::Hold::operator=(Hold&& other) noexcept {
  if (this != &other) {
    if (busy_) busy_->Release();
    busy_ = other.busy_;
    other.busy_ = nullptr;
  }
  return *this;
}

}  // namespace skyvane
