#include "core/history/history_line.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace skyvane {

std::string FormatRowLine(const HistoryRow& row, std::string_view saveTime) {
  std::string out;
  out.reserve(320);
  for (int pos = 0; pos < line::kPositions; ++pos) {
    if (pos > 0) out += ", ";
    if (pos == line::kRainCounterPosition) out += "\t\t";
    const int field = line::kFieldAt[pos];
    const std::string_view text =
        field == row::saveTime ? saveTime : std::string_view(row[field]);
    const auto width = static_cast<std::size_t>(line::kWidthAt[pos]);
    if (text.size() < width) out.append(width - text.size(), ' ');
    out += text;
  }
  out += "\r\n";
  return out;
}

std::string NextToken(std::string& text, std::string_view separator) {
  const std::size_t at = separator.empty() ? std::string::npos : text.find(separator);
  if (at == std::string::npos) {
    std::string piece = std::move(text);
    text.clear();
    return piece;
  }
  std::string piece = text.substr(0, at);
  text.erase(0, at + separator.size());
  return piece;
}


namespace {

inline __attribute__((always_inline)) std::string_view TrimPiece(const char* b, const char* e) {
  while (b < e && IsLineBlank(*b)) ++b;
  while (e > b && IsLineBlank(e[-1])) --e;
  return std::string_view(b, static_cast<std::size_t>(e - b));
}

}  // namespace

int SplitLine(std::string_view text, std::array<std::string_view, line::kPositions>& pieces,
              int limit, bool trim) {
  const char* const p = text.data();
  const char* const end = p + text.size();
  const char* start = p;
  int count = 0;
  const int kept = limit < line::kPositions ? limit : line::kPositions;
  // Pieces that are stored; those beyond the stored ones are only counted.
  auto store = [&](const char* stop) {
    pieces[count] = trim ? TrimPiece(start, stop) : std::string_view(start, static_cast<std::size_t>(stop - start));
  };
  const char* q = p;
#if defined(__SSE2__)
  // Sixteen bytes at a time: a bit per comma.
  const __m128i comma = _mm_set1_epi8(',');
  for (; q + 16 <= end; q += 16) {
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q)), comma)));
    while (mask != 0) {
      const char* at = q + __builtin_ctz(mask);
      mask &= mask - 1;
      if (at == start) return count;  // an empty piece ends the line
      if (count < kept) store(at);
      if (++count >= limit) return count;
      start = at + 1;
    }
  }
#endif
  for (; q < end; ++q) {
    if (*q != ',') continue;
    if (q == start) return count;
    if (count < kept) store(q);
    if (++count >= limit) return count;
    start = q + 1;
  }
  if (start < end) {
    if (count < kept) store(end);
    ++count;
  }
  return count;
}

namespace {

// Bits set in a 16-bit mask (without a library call on plain x86-64).
inline int BitsSet16(unsigned x) {
  x = x - ((x >> 1) & 0x5555u);
  x = (x & 0x3333u) + ((x >> 2) & 0x3333u);
  x = (x + (x >> 4)) & 0x0F0Fu;
  return static_cast<int>((x + (x >> 8)) & 0x1Fu);
}

}  // namespace

int CountPieces(std::string_view text, int limit, std::string_view& third) {
  const char* const p = text.data();
  const char* const end = p + text.size();
  const char* start = p;  // the piece being counted begins here
  int count = 0;
  // A comma ends a piece; one at the piece's start ends the line instead.
  auto comma = [&](const char* at) {
    if (at == start) return false;
    if (count == 2) third = std::string_view(start, static_cast<std::size_t>(at - start));
    ++count;
    start = at + 1;
    return count < limit;
  };
  const char* q = p;
#if defined(__SSE2__)
  const __m128i commas = _mm_set1_epi8(',');
  unsigned previousTop = 1;  // a comma in the first byte ends the line at once
  for (; q + 16 <= end; q += 16) {
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q)), commas)));
    const unsigned adjacent = mask & ((mask << 1) | previousTop);
    previousTop = (mask >> 15) & 1;
    if (adjacent == 0 && count >= 3 && count + BitsSet16(mask) < limit) {
      // No empty piece here and nothing to note: count the commas at once.
      if (mask != 0) {
        count += BitsSet16(mask);
        start = q + (31 - __builtin_clz(mask)) + 1;
      }
      continue;
    }
    while (mask != 0) {
      if (!comma(q + __builtin_ctz(mask))) return count;
      mask &= mask - 1;
    }
  }
#endif
  for (; q < end; ++q) {
    if (*q == ',' && !comma(q)) return count;
  }
  if (start < end) {
    if (count == 2) third = std::string_view(start, static_cast<std::size_t>(end - start));
    ++count;
  }
  return count;
}

bool ThirdPiece(std::string_view text, std::string_view& third) {
  std::size_t start = 0;
  // The first two pieces: each ends at a comma and is not empty.
  for (int piece = 0; piece < 2; ++piece) {
    const std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos || comma == start) return false;
    start = comma + 1;
  }
  const std::size_t comma = text.find(',', start);
  if (start == text.size() || comma == start) return false;
  third = text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
  return true;
}

int ParseLine(HistoryRow& row, std::string_view text) {
  std::array<std::string_view, line::kPositions> pieces;
  const int count = SplitLine(text, pieces);
  const int used = count < line::kReservedPosition ? count : line::kReservedPosition;
  for (int pos = 0; pos < used; ++pos) row[line::kFieldAt[pos]].assign(pieces[pos]);
  return count;
}

}  // namespace skyvane
