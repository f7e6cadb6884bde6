#include "core/history/file_busy.h"

namespace skyvane {

bool FileBusy::TryTake() {
  const std::thread::id self = std::this_thread::get_id();
  if (owner_.load(std::memory_order_acquire) == self) {
    ++depth_;
    return true;
  }
  if (busy_.exchange(true, std::memory_order_acq_rel)) return false;
  owner_.store(self, std::memory_order_release);
  depth_ = 1;
  return true;
}

bool FileBusy::Take(int waits, std::chrono::milliseconds pause) {
  if (TryTake()) return true;
  for (int i = 0; i < waits; ++i) {
    std::this_thread::sleep_for(pause);
    if (TryTake()) return true;
  }
  return false;
}

void FileBusy::TakeWhenFree() {
  // Store operations hold the flag for one pass over the file at most.
  while (!TryTake()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void FileBusy::Release() {
  if (!HeldByThisThread()) return;
  if (--depth_ > 0) return;
  owner_.store(std::thread::id{}, std::memory_order_release);
  busy_.store(false, std::memory_order_release);
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
