#pragma once
// Reading the lines of an open file in large blocks, forwards from the start
// or backwards from a given end. A line is handed out without its line end
// (LF or CR LF); the bytes after the last LF form a last line without one.
#include <sys/types.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "core/app/posix_file.h"

namespace skyvane {

// A line longer than this is never held in memory: the scans pass it on as
// too long (backwards) or pass over it (forwards), whatever its length.
inline constexpr std::size_t kLongestScannedLine = 4096;

struct ScannedLine {
  std::string_view text;  // without its line end; empty when tooLong
  std::uint64_t start = 0;  // offset of the line's first byte
  bool hasLineEnd = false;
  bool tooLong = false;   // longer than kLongestScannedLine
};

// Calls onLine for the lines of [0, end) from the last to the first, while it
// returns true. Returns false on a read error.
bool ScanLinesBackward(int fd, std::uint64_t end,
                       const std::function<bool(const ScannedLine& line)>& onLine);

// Bytes that may be read beyond the end of a line handed out by ScanLinesForward.
inline constexpr std::size_t kLineSlack = 64;

// Calls onLine(line) for the lines of [from, end) in file order (from is the
// start of a line), passing over lines longer than kLongestScannedLine; the
// kLineSlack bytes after each line may be read as well. An onLine that takes
// a second argument is given the offset of the line's first byte. The bytes
// a line points into are reused after beforeReuse() is called, so a caller
// that keeps views must copy them then. An onLine that returns bool stops the
// scan by returning false. Returns false on a read error.
template <class OnLine, class BeforeReuse>
bool ScanLinesForwardFrom(int fd, std::uint64_t from, std::uint64_t end, OnLine&& onLine,
                          BeforeReuse&& beforeReuse) {
  // True while the scan goes on.
  auto hand = [&onLine](std::string_view line, std::uint64_t start) {
    if constexpr (std::is_invocable_v<OnLine&, std::string_view, std::uint64_t>) {
      if constexpr (std::is_same_v<std::invoke_result_t<OnLine&, std::string_view, std::uint64_t>, bool>) {
        return onLine(line, start);
      } else {
        onLine(line, start);
        return true;
      }
    } else if constexpr (std::is_same_v<std::invoke_result_t<OnLine&, std::string_view>, bool>) {
      return onLine(line);
    } else {
      onLine(line);
      return true;
    }
  };
  constexpr std::size_t kBlock = std::size_t{1} << 20;
  const std::uint64_t span = end > from ? end - from : 0;
  // A short span needs no megabyte.
  std::string buffer((span < kBlock ? static_cast<std::size_t>(span) : kBlock) + kLineSlack, '\0');
  std::size_t kept = 0;  // bytes of an unfinished line at the front of buffer
  bool skipping = false;  // inside a line that is too long: up to its line end
  std::uint64_t offset = from;
  while (offset < end) {
    const std::uint64_t front = offset - kept;  // the file offset of buffer[0]
    const std::size_t room = buffer.size() - kLineSlack - kept;
    const std::size_t n = end - offset < room ? static_cast<std::size_t>(end - offset) : room;
    if (!ReadAt(fd, buffer.data() + kept, n, offset)) return false;
    offset += n;
    const char* p = buffer.data();
    const char* const stop = buffer.data() + kept + n;
    while (const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(stop - p))) {
      const char* nl = static_cast<const char*>(hit);
      const char* lineEnd = (nl > p && nl[-1] == '\r') ? nl - 1 : nl;
      const auto length = static_cast<std::size_t>(lineEnd - p);
      if (!skipping && length <= kLongestScannedLine &&
          !hand(std::string_view(p, length), front + static_cast<std::uint64_t>(p - buffer.data()))) {
        return true;
      }
      skipping = false;
      p = nl + 1;
    }
    kept = static_cast<std::size_t>(stop - p);
    beforeReuse();
    if (skipping || kept > kLongestScannedLine) {
      skipping = true;
      kept = 0;
    }
    if (kept > 0) std::memmove(buffer.data(), p, kept);
  }
  if (kept > 0 && !skipping) hand(std::string_view(buffer.data(), kept), end - kept);
  return true;
}

// The same from the file's first line.
template <class OnLine, class BeforeReuse>
bool ScanLinesForward(int fd, std::uint64_t end, OnLine&& onLine, BeforeReuse&& beforeReuse) {
  return ScanLinesForwardFrom(fd, 0, end, std::forward<OnLine>(onLine),
                              std::forward<BeforeReuse>(beforeReuse));
}

}  // namespace skyvane
