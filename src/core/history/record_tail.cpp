#include "core/history/record_tail.h"

#include <algorithm>
#include <array>

#include "core/history/history_line.h"
#include "core/history/line_scan.h"
#include "core/memory/memory_map.h"

namespace skyvane {

namespace {

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsRingSlot(std::string_view text) {
  if (text.size() != 6) return false;
  long address = 0;
  for (char c : text) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    address = address * 16 + d;
  }
  return memmap::IsRingSlot(address);
}

long long SequenceOf(std::string_view piece) {
  // Ten digits hold every int; more are out of range whatever they say.
  if (!AllDigits(piece) || piece.size() > 10) return -1;
  long long n = 0;
  for (char c : piece) n = n * 10 + (c - '0');
  return n <= kHighestSequenceNo ? n : -1;
}

}  // namespace

long long RecordSequenceNo(std::string_view line) {
  if (line.size() > kLongestLine) return -1;
  for (char c : line) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return -1;
  }
  std::array<std::string_view, line::kPositions> pieces;
  if (SplitLine(line, pieces, line::kReservedPosition) < line::kReservedPosition) return -1;
  static_assert(line::kFieldAt[0] == row::sequenceNo);
  if (!IsRingSlot(pieces[line::kAddressPosition])) return -1;
  return SequenceOf(pieces[0]);
}

bool IsRecordLine(std::string_view line) { return RecordSequenceNo(line) >= 0; }

bool FindRecordsEnd(int fd, std::uint64_t size, RecordsEnd& out) {
  out = RecordsEnd{};
  out.end = size;
  // Without any record in the file, only a last line cut short or far too
  // long is passed over: the lines are someone's own, not a record's remains.
  std::uint64_t withoutRecords = size;
  bool first = true;
  const bool read = ScanLinesBackward(fd, size, [&](const ScannedLine& line) {
    if (!line.tooLong && TrimLine(line.text).empty()) return true;
    if (!line.tooLong && line.hasLineEnd && IsRecordLine(line.text)) {
      out.lastLine.assign(line.text);
      return false;
    }
    if (first && (line.tooLong || !line.hasLineEnd ||
                  std::count(line.text.begin(), line.text.end(), ',') < line::kCompleteCommas)) {
      withoutRecords = line.start;
    }
    first = false;
    out.end = line.start;
    return true;
  });
  if (out.lastLine.empty()) out.end = withoutRecords;
  return read;
}

}  // namespace skyvane
