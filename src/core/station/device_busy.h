#pragma once
// Claiming deviceBusy, the one guard of the station link. A claim is one
// atomic test-and-set; the holder releases it by a plain store, which the
// RAII claim does on every path.
#include <atomic>
#include <chrono>
#include <functional>

namespace skyvane {

class DeviceBusyClaim {
 public:
  DeviceBusyClaim() = default;
  // Tries once; owns the flag when it was clear.
  explicit DeviceBusyClaim(std::atomic<bool>& busy) : flag_(busy.exchange(true) ? nullptr : &busy) {}
  ~DeviceBusyClaim() { Release(); }
  DeviceBusyClaim(DeviceBusyClaim&& other) noexcept : flag_(other.flag_) { other.flag_ = nullptr; }
  DeviceBusyClaim& operator=(DeviceBusyClaim&& other) noexcept {
    if (this != &other) {
      Release();
      flag_ = other.flag_;
      other.flag_ = nullptr;
    }
    return *this;
  }
  DeviceBusyClaim(const DeviceBusyClaim&) = delete;
  DeviceBusyClaim& operator=(const DeviceBusyClaim&) = delete;

  bool Owns() const { return flag_ != nullptr; }
  explicit operator bool() const { return Owns(); }
  void Release() {
    if (flag_ != nullptr) flag_->store(false);
    flag_ = nullptr;
  }
  // Leaves the flag set for good (the program is about to restart).
  void Keep() { flag_ = nullptr; }

 private:
  std::atomic<bool>* flag_ = nullptr;
};

using BusySleep = std::function<void(std::chrono::milliseconds)>;
void SleepFor(std::chrono::milliseconds duration);

// The monitor's form: one try; when the link is busy the cycle is skipped.
inline DeviceBusyClaim TryClaimDevice(std::atomic<bool>& busy) { return DeviceBusyClaim(busy); }

// The user interface's form: up to four tries with a one-second sleep after
// each of the first three that find the link busy. An empty claim means give
// up and tell the user "Can't communicate with device!".
constexpr int kUserClaimTries = 4;
constexpr std::chrono::milliseconds kUserClaimWait{1000};
DeviceBusyClaim ClaimDeviceForUser(std::atomic<bool>& busy, const BusySleep& sleep = SleepFor);

}  // namespace skyvane
