#include "core/history/history_table.h"

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/history/history_line.h"

namespace skyvane {

HistoryTable::HistoryTable(const HistoryTable& other)
    : starts_(other.starts_), ends_(other.ends_) {
  GrowText(other.textSize_);
  if (other.textSize_ > 0) std::memcpy(text_.get(), other.text_.get(), other.textSize_);
  textSize_ = other.textSize_;
}

HistoryTable& HistoryTable::operator=(const HistoryTable& other) {
  if (this != &other) {
    HistoryTable copy(other);
    *this = std::move(copy);
  }
  return *this;
}

HistoryTable& HistoryTable::operator=(HistoryTable&& other) noexcept {
  if (this != &other) {
    text_ = std::move(other.text_);
    textSize_ = std::exchange(other.textSize_, 0);
    textCapacity_ = std::exchange(other.textCapacity_, 0);
    starts_ = std::move(other.starts_);
    ends_ = std::move(other.ends_);
    other.starts_.clear();
    other.ends_.clear();
  }
  return *this;
}

void HistoryTable::clear() {
  textSize_ = 0;
  starts_.clear();
  ends_.clear();
}

void HistoryTable::reserve(std::size_t rows, std::size_t textBytes) {
  GrowText(textBytes);
  starts_.reserve(rows);
  ends_.reserve(rows * row::kCount);
}

void HistoryTable::GrowText(std::size_t atLeast) {
  if (atLeast <= textCapacity_) return;
  const std::size_t capacity = std::max(atLeast, textCapacity_ + textCapacity_ / 2);
  std::unique_ptr<char[]> bigger(new char[capacity]);
  if (textSize_ > 0) std::memcpy(bigger.get(), text_.get(), textSize_);
  text_ = std::move(bigger);
  textCapacity_ = capacity;
}

namespace {

// The line position of each field.
constexpr std::array<int, row::kCount> PositionsOfFields() {
  std::array<int, row::kCount> at{};
  for (int pos = 0; pos < line::kPositions; ++pos) at[line::kFieldAt[pos]] = pos;
  return at;
}
constexpr std::array<int, row::kCount> kPositionOf = PositionsOfFields();

}  // namespace

std::string_view HistoryTable::Field(std::size_t rowIndex, int field) const {
  const std::uint16_t* ends = &ends_[rowIndex * row::kCount];
  const int pos = kPositionOf[field];
  const std::size_t from = pos == 0 ? 0 : ends[pos - 1];
  return std::string_view(text_.get() + starts_[rowIndex] + from, ends[pos] - from);
}

HistoryRow HistoryTable::Row(std::size_t rowIndex) const {
  HistoryRow out;
  for (int f = 0; f < row::kCount; ++f) out[f].assign(Field(rowIndex, f));
  return out;
}

void HistoryTable::Append(const HistoryRow& row) {
  FieldViews views;
  for (int f = 0; f < row::kCount; ++f) views[f] = row[f];
  Append(views);
}

void HistoryTable::Append(const FieldViews& fields) {
  std::array<std::size_t, row::kCount> lengths;
  std::size_t total = 0;
  for (int pos = 0; pos < line::kPositions; ++pos) {
    lengths[pos] = std::min(fields[line::kFieldAt[pos]].size(), kMaxRowText - total);
    total += lengths[pos];
  }
  GrowText(textSize_ + total);
  const std::size_t start = textSize_;
  char* out = text_.get() + start;
  const std::size_t endsAt = ends_.size();
  ends_.resize(endsAt + row::kCount);
  std::uint16_t* ends = ends_.data() + endsAt;
  std::size_t used = 0;
  for (int pos = 0; pos < line::kPositions; ++pos) {
    if (lengths[pos] > 0) std::memcpy(out + used, fields[line::kFieldAt[pos]].data(), lengths[pos]);
    used += lengths[pos];
    ends[pos] = static_cast<std::uint16_t>(used);
  }
  textSize_ += total;
  starts_.push_back(start);
}

bool HistoryTable::AppendLine(std::string_view text) {
  if (text.size() > kMaxRowText) {  // too long to hold whole: cut field by field
    std::array<std::string_view, line::kPositions> pieces;
    if (SplitLine(text, pieces) < line::kReservedPosition) return false;
    FieldViews fields{};
    for (int pos = 0; pos < line::kReservedPosition; ++pos) fields[line::kFieldAt[pos]] = pieces[pos];
    Append(fields);
    return true;
  }
  constexpr std::size_t kStep = 16;
  GrowText(textSize_ + text.size() + kStep);
  char* const out = text_.get() + textSize_;
  std::array<std::uint16_t, row::kCount> ends;
  std::size_t used = 0;
  int count = 0;
  // One piece: trimmed, copied in 16-byte steps (the bytes beyond are readable
  // and the text buffer has room for the overshoot).
  auto take = [&](const char* b, const char* e) {
    while (b < e && IsLineBlank(*b)) ++b;
    while (e > b && IsLineBlank(e[-1])) --e;
    const auto n = static_cast<std::size_t>(e - b);
    for (std::size_t i = 0; i < n; i += kStep) std::memcpy(out + used + i, b + i, kStep);
    used += n;
    ends[count++] = static_cast<std::uint16_t>(used);
  };
  const char* const p = text.data();
  const std::size_t n = text.size();
  std::size_t start = 0;
  std::size_t i = 0;
  bool ended = false;  // an empty piece ended the line
#if defined(__SSE2__)
  const __m128i comma = _mm_set1_epi8(',');
  for (; i + 16 <= n && count < line::kReservedPosition && !ended; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, comma)));
    while (mask != 0 && count < line::kReservedPosition) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
      mask &= mask - 1;
      if (at == start) {
        ended = true;
        break;
      }
      take(p + start, p + at);
      start = at + 1;
    }
  }
#endif
  for (; i < n && count < line::kReservedPosition && !ended; ++i) {
    if (p[i] != ',') continue;
    if (i == start) {
      ended = true;
      break;
    }
    take(p + start, p + i);
    start = i + 1;
  }
  if (!ended && count < line::kReservedPosition && start < n) take(p + start, p + n);
  if (count < line::kReservedPosition) return false;
  ends[line::kReservedPosition] = static_cast<std::uint16_t>(used);  // `reserved` is never read back
  ends_.insert(ends_.end(), ends.begin(), ends.end());
  starts_.push_back(textSize_);
  textSize_ += used;
  return true;
}

std::size_t HistoryTable::MemoryBytes() const {
  return textCapacity_ + starts_.capacity() * sizeof(std::uint64_t) +
         ends_.capacity() * sizeof(std::uint16_t);
}

}  // namespace skyvane
