#pragma once
// The record indexes of the data files a process reads again and again (the
// HTTP server answers many queries on one file): kept for the few files read
// last, each brought up to its file as it is now whenever it is asked, under
// one lock, so that any thread may ask.
#include <string>
#include <string_view>
#include <vector>

#include "core/history/record_index.h"

namespace skyvane {

struct IndexedRange {
  std::vector<RecordIndex::Span> spans;
  std::uint64_t end = 0;  // where the file's records end now
};

// The spans of [start, end] in the open file fd, which is the file at path.
// False when the file cannot be read.
bool FindIndexedRange(int fd, const std::string& path, std::string_view start, std::string_view end,
                      IndexedRange& out);

}  // namespace skyvane
