#pragma once
// TransferStop: a descriptor that becomes readable once Raise() is called, so
// that a transfer waiting in poll() wakes at once when the program stops
// instead of waiting out its timeout.
#include "core/app/posix_file.h"

namespace skyvane {

class TransferStop {
 public:
  TransferStop();
  // Safe from any thread, any number of times.
  void Raise();
  bool raised() const;
  // Readable (POLLIN) once raised; -1 when no descriptor could be had, and
  // then waits end only at their deadline.
  int fd() const { return fd_.get(); }

 private:
  FileDescriptor fd_;
};

}  // namespace skyvane
