#pragma once
// QuitSignals: turns SIGINT, SIGTERM and SIGHUP into a call on the UI thread,
// so that a desktop session ending, `kill` or Ctrl+C in a terminal closes the
// program as its Exit command does (monitor stopped, data file closed, exit 0)
// instead of killing it in the middle of a write.
//
// The handler only writes the signal's number into a pipe (the one thing a
// handler may safely do); a socket notifier on the UI thread reads it. The
// first signal of a kind asks politely; a second one of the same kind takes
// the default action, so a program that hangs while closing can still be
// ended.
#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace skyvane {

class QuitSignals : public QObject {
  Q_OBJECT
 public:
  // onQuit runs on the thread that builds the object, once per signal received.
  explicit QuitSignals(std::function<void(int signal)> onQuit, QObject* parent = nullptr);
  // Restores the dispositions found at construction and closes the pipe.
  ~QuitSignals() override;
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

  // False when the pipe or a handler could not be set up (the signals then
  // keep their default action).
  bool Installed() const { return installed_; }

 private:
  void Drain();

  std::function<void(int)> onQuit_;
  int readFd_ = -1;
  int writeFd_ = -1;
  bool installed_ = false;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace skyvane
