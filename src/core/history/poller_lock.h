#pragma once
// PollerLock: one polling program per data file. Two programs appending the
// station's new records to one Skyvane.dat would both append them, so the one
// that polls holds an advisory lock (flock) on "Skyvane.dat.lock" beside it
// for as long as it runs; the kernel releases it when the process ends, even
// by a crash. Programs that only read the file need no lock.
#include <string>

namespace skyvane {

class PollerLock {
 public:
  enum class State {
    kOwned,        // this process polls
    kHeldByOther,  // another process polls: do not
    kUnavailable,  // no lock file can be made (a read-only folder): nobody can append anyway
  };

  // Tries once to take the lock of the data file at dataPath.
  explicit PollerLock(const std::string& dataPath);
  ~PollerLock();
  PollerLock(const PollerLock&) = delete;
  PollerLock& operator=(const PollerLock&) = delete;

  State state() const { return state_; }
  bool MayPoll() const { return state_ != State::kHeldByOther; }
  // The process holding the lock when another does; 0 when it cannot be told.
  int holderPid() const { return holderPid_; }

 private:
  int fd_ = -1;
  State state_ = State::kUnavailable;
  int holderPid_ = 0;
};

// The lock file of a data file.
std::string PollerLockPath(const std::string& dataPath);

}  // namespace skyvane
