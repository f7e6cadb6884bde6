#include "gui/shell/quit_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace skyvane {

namespace {

constexpr std::array<int, 3> kQuitSignals = {SIGINT, SIGTERM, SIGHUP};

// The handler can reach nothing but a plain integer; the write end of the pipe
// lives here while a QuitSignals exists (there is one, built in main()).
volatile sig_atomic_t gQuitPipe = -1;
struct sigaction gPrevious[kQuitSignals.size()];

extern "C" void OnQuitSignal(int signal) {
  const int savedErrno = errno;
  const int fd = gQuitPipe;
  if (fd >= 0) {
    const unsigned char number = static_cast<unsigned char>(signal);
    // A full pipe already holds a request; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(fd, &number, 1);
  }
  errno = savedErrno;
}

}  // namespace

QuitSignals::QuitSignals(std::function<void(int)> onQuit, QObject* parent)
    : QObject(parent), onQuit_(std::move(onQuit)) {
  int fds[2];
  // Close-on-exec: a restart after a language change must not inherit the pipe.
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  readFd_ = fds[0];
  writeFd_ = fds[1];
  gQuitPipe = writeFd_;
  notifier_ = std::make_unique<QSocketNotifier>(readFd_, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Drain(); });

  struct sigaction action {};
  action.sa_handler = &OnQuitSignal;
  sigemptyset(&action.sa_mask);
  // SA_RESTART: the other threads' reads and writes go on undisturbed.
  // SA_RESETHAND: a second signal of the same kind ends the program at once.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  installed_ = true;
  for (std::size_t i = 0; i < kQuitSignals.size(); ++i) {
    if (::sigaction(kQuitSignals[i], &action, &gPrevious[i]) != 0) installed_ = false;
  }
}

QuitSignals::~QuitSignals() {
  if (readFd_ < 0) return;
  for (std::size_t i = 0; i < kQuitSignals.size(); ++i)
    ::sigaction(kQuitSignals[i], &gPrevious[i], nullptr);
  gQuitPipe = -1;
  notifier_.reset();
  ::close(readFd_);
  ::close(writeFd_);
}

void QuitSignals::Drain() {
  unsigned char numbers[16];
  for (;;) {
    const ssize_t n = ::read(readFd_, numbers, sizeof numbers);
    if (n <= 0) break;
    for (ssize_t i = 0; i < n; ++i)
      if (onQuit_) onQuit_(numbers[i]);
  }
}

}  // namespace skyvane
