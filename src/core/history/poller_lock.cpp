#include "core/history/poller_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

namespace skyvane {

namespace {

int ReadPid(int fd) {
  char text[32] = {};
  const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
  if (got <= 0) return 0;
  long pid = 0;
  for (ssize_t i = 0; i < got && text[i] >= '0' && text[i] <= '9'; ++i) {
    pid = pid * 10 + (text[i] - '0');
    if (pid > 1 << 30) return 0;
  }
  return static_cast<int>(pid);
}

}  // namespace

std::string PollerLockPath(const std::string& dataPath) { return dataPath + ".lock"; }

PollerLock::PollerLock(const std::string& dataPath) {
  const std::string path = PollerLockPath(dataPath);
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);  // a lock file made by another user
  if (fd_ < 0) return;
  int taken;
  do {
    taken = ::flock(fd_, LOCK_EX | LOCK_NB);
  } while (taken != 0 && errno == EINTR);
  if (taken == 0) {
    state_ = State::kOwned;
    // The holder's number, for the message of the one that is turned away.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd_, 0) == 0) {
      [[maybe_unused]] const ssize_t put = ::pwrite(fd_, pid.data(), pid.size(), 0);
    }
    return;
  }
  if (errno != EWOULDBLOCK) {
    ::close(fd_);
    fd_ = -1;
    return;
  }
  state_ = State::kHeldByOther;
  // The holder writes its number a moment after it took the lock.
  for (int attempt = 0; attempt < 10 && holderPid_ == 0; ++attempt) {
    holderPid_ = ReadPid(fd_);
    if (holderPid_ == 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::close(fd_);
  fd_ = -1;
}

PollerLock::~PollerLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace skyvane
