#pragma once
// The data file as the HTTP server reads it: its own read-only HistoryFile
// object, so that requests never hold up the monitor's appends (they take no
// part in its fileBusy) and see every record once it is on the disk. The
// server's threads take turns through one mutex rather than giving up on a
// busy file.
#include <mutex>
#include <string>

#include "core/app/clock.h"
#include "core/history/history_file.h"

namespace skyvane {

class DataFileReader {
 public:
  explicit DataFileReader(const Clock& clock) : file_(clock) {}
  // False when the file cannot be opened for reading; a missing file is
  // never created.
  bool Open(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    file_.KeepReadOnly();
    return file_.OpenFile(path);
  }
  // The file's path, for readers of their own (a streamed answer).
  std::string path() {
    std::lock_guard<std::mutex> lock(mutex_);
    return file_.path();
  }
  bool LoadLastRow(HistoryRow& row) {
    std::lock_guard<std::mutex> lock(mutex_);
    return file_.LoadLastRow(row);
  }
  bool ReadStamp(HistoryFile::Stamp& stamp) {
    std::lock_guard<std::mutex> lock(mutex_);
    return file_.ReadStamp(stamp);
  }

 private:
  std::mutex mutex_;
  HistoryFile file_;
};

}  // namespace skyvane
