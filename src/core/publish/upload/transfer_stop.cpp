#include "core/publish/upload/transfer_stop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace skyvane {

TransferStop::TransferStop() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void TransferStop::Raise() {
  if (!fd_) return;
  const std::uint64_t one = 1;
  // The counter only grows and is never read: it stays readable.
  [[maybe_unused]] const ssize_t n = ::write(fd_.get(), &one, sizeof one);
}

bool TransferStop::raised() const {
  if (!fd_) return false;
  pollfd p{fd_.get(), POLLIN, 0};
  return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

}  // namespace skyvane
