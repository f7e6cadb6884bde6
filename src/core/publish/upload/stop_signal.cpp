#include "core/publish/upload/stop_signal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace skyvane {

StopSignal::StopSignal() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void StopSignal::Raise() {
  if (!fd_) return;
  const std::uint64_t one = 1;
  // The counter only grows and is never read: it stays readable.
  [[maybe_unused]] const ssize_t n = ::write(fd_.get(), &one, sizeof one);
}

bool StopSignal::raised() const {
  if (!fd_) return false;
  pollfd p{fd_.get(), POLLIN, 0};
  return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

}  // namespace skyvane
