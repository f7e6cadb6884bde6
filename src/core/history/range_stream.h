#pragma once
// The stored rows of a time range read a piece of the data file at a time, so
// that a caller can hand them on as they come (an HTTP answer of ten years)
// holding no more than one piece. Only the parts of the file the record index
// names for the range are read, up to where its records ended when it was
// opened: rows appended later belong to the next reader.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/posix_file.h"
#include "core/history/history_table.h"
#include "core/history/record_index.h"
#include "core/history/row_reader.h"

namespace skyvane {

class RangeStream {
 public:
  using OnRow = std::function<void(const HistoryTable::FieldViews& fields)>;

  // Opens the file at path for reading; the rows whose recordTime lies in
  // [start, end] are wanted. False when the file cannot be opened or read.
  bool Open(const std::string& path, std::string start, std::string end);
  // Reads the next piece and hands each wanted row in it to onRow, in file
  // order. False once the file's records are all read (or a read failed).
  bool Next(const OnRow& onRow);
  // The same, only counting the wanted rows into found: no row is split.
  bool NextCount(std::uint64_t& found);
  // Back to the first line, keeping the parts found by Open.
  void Rewind();
  // True when a read failed: the rows handed out may be fewer than stored.
  bool failed() const { return failed_; }

 private:
  void HandLine(std::string_view line, const OnRow* onRow);
  bool Read(const OnRow* onRow);
  void StartSpan();

  FileDescriptor fd_;
  std::string start_, end_;
  std::vector<RecordIndex::Span> spans_;
  std::size_t span_ = 0;         // the part being read
  std::uint64_t recordsEnd_ = 0;  // the end of that part
  std::uint64_t offset_ = 0;
  std::string buffer_;
  std::size_t kept_ = 0;   // bytes of an unfinished line at the front of buffer_
  bool skipping_ = false;  // inside a line too long to be a record
  bool failed_ = false;
  std::unique_ptr<ForwardRowReader> reader_;
  std::uint64_t counted_ = 0;  // rows in range seen by the reads that only count
};

}  // namespace skyvane
