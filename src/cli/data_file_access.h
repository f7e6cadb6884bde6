#pragma once
// The data file Skyvane.dat of the program folder, opened for one command,
// with the command's clock, which stamps what is written to it.
#include <memory>

#include "cli/cli.h"
#include "core/app/clock.h"
#include "core/history/history_file.h"
#include "core/history/poller_lock.h"

namespace skyvane {

inline constexpr const char* kDataFileName = "Skyvane.dat";

// The folder's data file for a command that only reads it: false, with
// "No data file: PATH does not exist" on ctx.err, when there is none (a
// mistyped --folder must not quietly show nothing, nor leave a file behind).
bool DataFileIsThere(CliContext& ctx);

class CliDataFile {
 public:
  explicit CliDataFile(const Clock& clock) : clock_(clock), file_(clock) {}
  // Opens (or creates) the file; a failure is reported on ctx.err in one line.
  bool Open(CliContext& ctx);
  // Opens an existing file for reading only; never creates one.
  bool OpenToRead(CliContext& ctx);
  // Opens it for a command that appends to it: only while no other program
  // polls into the same file (the lock is then held until this object goes).
  bool OpenForPolling(CliContext& ctx);
  HistoryFile& File() { return file_; }
  const Clock& clock() const { return clock_; }

 private:
  const Clock& clock_;
  HistoryFile file_;
  std::unique_ptr<PollerLock> lock_;
};

}  // namespace skyvane
