#pragma once
// Where the data file's records end. The last line that is a record as the
// program writes it is what the file holds; whatever follows it (an append cut
// short, bytes that are not a record, a line far longer than any record) is
// read by no one and set aside at the next append.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/history/line_scan.h"

namespace skyvane {

// Lines longer than this are no records; readers pass over them unread.
inline constexpr std::size_t kLongestLine = kLongestScannedLine;

// The highest sequence number a record may carry; appends never number past it.
inline constexpr long long kHighestSequenceNo = INT_MAX;

// True when line (without its line end) holds every field of a record with a
// sequence number from 0 to kHighestSequenceNo, a station address that names a
// slot of the history ring, and no control characters but TABs.
bool IsRecordLine(std::string_view line);

// The sequence number of a record line (IsRecordLine), else -1.
long long RecordSequenceNo(std::string_view line);

struct RecordsEnd {
  std::uint64_t end = 0;  // the offset after the last record and the blank lines after it
  std::string lastLine;   // the last record as stored, without its line end; empty without one
};

// Looks back from size for the last record of the open file fd. A file
// without any record ends before its last line only when that one was cut
// short (no line end, fields missing) or is far too long.
bool FindRecordsEnd(int fd, std::uint64_t size, RecordsEnd& out);

}  // namespace skyvane
