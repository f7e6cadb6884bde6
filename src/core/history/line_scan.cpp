#include "core/history/line_scan.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace skyvane {

bool ScanLinesBackward(int fd, std::uint64_t end,
                       const std::function<bool(const ScannedLine& line)>& onLine) {
  // The last line is often all that is wanted: start small, then read more.
  std::size_t block = 4096;
  std::unique_ptr<char[]> data;  // file bytes [base, base + lineEnd) at its front
  std::size_t capacity = 0;
  std::uint64_t base = end;
  std::size_t lineEnd = 0;  // end (in data) of the line being collected
  bool hasLineEnd = false;  // the bytes after the last LF have none
  bool tooLong = false;     // the line's later bytes were dropped unread
  while (true) {
    // data[0, lineEnd) holds the start of the current line; look for its LF.
    const char* begin = data.get();
    const void* lf = lineEnd > 0 ? ::memrchr(begin, '\n', lineEnd) : nullptr;
    const std::size_t i =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) + 1 : 0;
    if (i > 0 || base == 0) {
      ScannedLine line;
      line.start = base + i;
      line.hasLineEnd = hasLineEnd;
      std::size_t stop = lineEnd;
      if (hasLineEnd && stop > i && begin[stop - 1] == '\r') --stop;
      line.tooLong = tooLong || stop - i > kLongestScannedLine;
      if (!line.tooLong) line.text = std::string_view(begin + i, stop - i);
      if (!onLine(line)) return true;
      if (i == 0) return true;  // that was the first line of the file
      lineEnd = i - 1;          // drop the LF
      hasLineEnd = true;
      tooLong = false;
      continue;
    }
    // Only the start of a line this long is still wanted: keep no more of it.
    if (lineEnd > kLongestScannedLine + 1) {
      tooLong = true;
      lineEnd = 0;
    }
    // Read the block before base in front of the unfinished line.
    const std::size_t n = base < block ? static_cast<std::size_t>(base) : block;
    block = std::min<std::size_t>(block * 4, std::size_t{1} << 20);
    if (n + lineEnd > capacity) {
      capacity = std::max(n + lineEnd, capacity * 2);
      std::unique_ptr<char[]> bigger(new char[capacity]);
      if (lineEnd > 0) std::memcpy(bigger.get() + n, data.get(), lineEnd);
      data = std::move(bigger);
    } else if (lineEnd > 0) {
      std::memmove(data.get() + n, data.get(), lineEnd);
    }
    if (!ReadAt(fd, data.get(), n, base - n)) return false;
    base -= n;
    lineEnd += n;
  }
}

}  // namespace skyvane
