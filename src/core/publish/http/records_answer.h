#pragma once
// The body of an /api/records answer, written a piece at a time as the data
// file is read: the rows of the range are counted first (the answer says how
// many were found, and thinning needs the number), then read again and
// written out. Holds about one piece of the file and one piece of the answer
// at any time, however many records the range holds.
#include <cstdint>
#include <string>

#include "core/history/range_stream.h"
#include "core/publish/http/records_query.h"

namespace skyvane {

class RecordsAnswer {
 public:
  // Opens the data file at path for the query. False when it cannot be read.
  bool Open(const std::string& path, const RecordsQuery& query);
  // Counts the next piece of the file's rows in range; false once all are
  // counted. Call until false before Produce.
  bool Count();
  // The rows in range.
  std::uint64_t found() const { return found_; }
  // Appends the next part of the answer to out; false once the whole answer
  // is written.
  bool Produce(std::string& out);
  // True when a read of the file failed: what was counted or written is cut.
  bool failed() const { return stream_.failed(); }

 private:
  RangeStream stream_;
  RecordsQuery query_;
  std::uint64_t found_ = 0;
  bool counted_ = false;
  bool begun_ = false;
  bool done_ = false;
  bool first_ = true;
  RowPicker picker_{0, 0};
  HistoryRow row_;
};

}  // namespace skyvane
