#pragma once
// StatusHandOver: carries status texts from a worker thread to the UI thread and
// makes the worker wait until the text is on screen. Close() releases every
// waiting and later hand-over at once, so a UI thread that is about to join the
// worker can never deadlock against it.
//
// The texts wait in a queue of our own under a mutex; the queued call that
// wakes the UI thread carries no data. (Data inside Qt's posted events crosses
// threads under Qt's own locks, which a thread checker cannot see.)
#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <utility>

namespace skyvane {

class StatusHandOver : public QObject {
  Q_OBJECT
 public:
  // show runs on the thread that constructs the hand-over (the UI thread).
  explicit StatusHandOver(std::function<void(const std::string&)> show);
  ~StatusHandOver() override;
  StatusHandOver(const StatusHandOver&) = delete;
  StatusHandOver& operator=(const StatusHandOver&) = delete;

  // Any thread. Returns true once the text has been shown; false when the
  // hand-over was closed before (or while) waiting.
  bool Deliver(const std::string& text);
  // UI thread. From now on Deliver returns false without waiting.
  void Close();
  bool IsClosed() const;

 signals:
  // Any thread, to ourselves only: wakes ShowQueued on the UI thread. (A
  // queued signal: a queued functor call would allocate on the sender's thread
  // and free on the UI thread out of a thread checker's sight.)
  void showRequested(QPrivateSignal);

 private:
  // UI thread: shows the queued texts and wakes their senders.
  void ShowQueued();

  std::function<void(const std::string&)> show_;
  mutable std::mutex mutex_;
  std::condition_variable shownChanged_;
  std::deque<std::pair<std::uint64_t, std::string>> queued_;
  bool closed_ = false;
  std::uint64_t posted_ = 0;
  std::uint64_t shown_ = 0;
};

}  // namespace skyvane
