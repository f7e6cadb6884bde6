#pragma once
// StatusHandOver: carries status texts from a worker thread to the UI thread and
// makes the worker wait until the text is on screen. Close() releases every
// waiting and later hand-over at once, so a UI thread that is about to join the
// worker can never deadlock against it.
#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

namespace skyvane {

class StatusHandOver {
 public:
  // show runs on the thread that constructs the hand-over (the UI thread).
  explicit StatusHandOver(std::function<void(const std::string&)> show);
  ~StatusHandOver();
  StatusHandOver(const StatusHandOver&) = delete;
  StatusHandOver& operator=(const StatusHandOver&) = delete;

  // Any thread. Returns true once the text has been shown; false when the
  // hand-over was closed before (or while) waiting.
  bool Deliver(const std::string& text);
  // UI thread. From now on Deliver returns false without waiting.
  void Close();
  bool IsClosed() const;

 private:
  std::function<void(const std::string&)> show_;
  QObject context_;  // queued calls die with it
  mutable std::mutex mutex_;
  std::condition_variable shownChanged_;
  bool closed_ = false;
  std::uint64_t posted_ = 0;
  std::uint64_t shown_ = 0;
};

}  // namespace skyvane
