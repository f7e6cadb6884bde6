#pragma once
// Clock: the current time, as the program sees it. Code that stamps or
// compares times takes a Clock& so that tests can fix the time.
#include <atomic>
#include <ctime>

namespace skyvane {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::time_t Now() const = 0;
  // Now() broken down in the local time zone.
  std::tm LocalNow() const { return ToLocal(Now()); }
  static std::tm ToLocal(std::time_t t);
};

// The system's wall clock.
class SystemClock final : public Clock {
 public:
  std::time_t Now() const override { return std::time(nullptr); }
};

// A clock that stands still until told otherwise (for tests).
class FixedClock final : public Clock {
 public:
  explicit FixedClock(std::time_t now = 0) : now_(now) {}
  std::time_t Now() const override { return now_.load(); }
  void Set(std::time_t now) { now_.store(now); }
  void Advance(std::time_t seconds) { now_.fetch_add(seconds); }

 private:
  std::atomic<std::time_t> now_;  // a test may move it while another thread reads it
};

}  // namespace skyvane
