#pragma once
// The one place the climate reads the data file: the whole file, or only
// what was appended since the last read when the file merely grew.
#include <cstdint>
#include <functional>
#include <string>

#include "core/history/history_file.h"
#include "core/history/history_table.h"

namespace skyvane::climate {

class ClimateSource {
 public:
  using OnRow = std::function<void(const HistoryTable::FieldViews& fields)>;
  using OnReset = std::function<void()>;
  enum class Read {
    kUnchanged,  // nothing read
    kAppended,   // onRow was given the appended rows
    kAll,        // the file was read from the start (onReset came first)
    kFailed      // error says why; what was handed out is incomplete
  };

  // Reads the file at path as far as it changed since the last call, handing
  // each row read to onRow. A read from the start calls onReset before it
  // (once per try: the rows given before it are to be dropped).
  Read Update(const std::string& path, const OnReset& onReset, const OnRow& onRow,
              std::string& error);

 private:
  bool ReadAll(const std::string& path, const OnReset& onReset, const OnRow& onRow,
               std::string& error);
  bool ReadAppended(int fd, std::uint64_t size, const OnRow& onRow);

  std::string path_;
  bool known_ = false;
  HistoryFile::Stamp stamp_;
  std::uint64_t end_ = 0;  // where the records read so far end
  std::string endBytes_;   // the bytes just before end_, to see they stayed
};

}  // namespace skyvane::climate
