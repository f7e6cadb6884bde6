#include "core/history/history_table.h"

namespace skyvane {

void HistoryTable::clear() {
  text_.clear();
  starts_.clear();
  ends_.clear();
}

void HistoryTable::reserve(std::size_t rows, std::size_t textBytes) {
  text_.reserve(textBytes);
  starts_.reserve(rows);
  ends_.reserve(rows * row::kCount);
}

std::string_view HistoryTable::Field(std::size_t rowIndex, int field) const {
  const std::uint16_t* ends = &ends_[rowIndex * row::kCount];
  const std::size_t from = field == 0 ? 0 : ends[field - 1];
  return std::string_view(text_).substr(starts_[rowIndex] + from, ends[field] - from);
}

HistoryRow HistoryTable::Row(std::size_t rowIndex) const {
  HistoryRow out;
  for (int f = 0; f < row::kCount; ++f) out[f].assign(Field(rowIndex, f));
  return out;
}

void HistoryTable::CopyRowTo(std::size_t rowIndex, HistoryRow& out) const {
  for (int f = row::sequenceNo; f < row::kCount; ++f) out[f].assign(Field(rowIndex, f));
}

void HistoryTable::Append(const HistoryRow& row) {
  FieldViews views;
  for (int f = 0; f < row::kCount; ++f) views[f] = row[f];
  Append(views);
}

void HistoryTable::Append(const FieldViews& fields) {
  const std::size_t start = text_.size();
  std::size_t used = 0;
  for (int f = 0; f < row::kCount; ++f) {
    std::size_t len = fields[f].size();
    if (used + len > kMaxRowText) len = kMaxRowText - used;
    text_.append(fields[f].data(), len);
    used += len;
    ends_.push_back(static_cast<std::uint16_t>(used));
  }
  starts_.push_back(start);
}

std::size_t HistoryTable::MemoryBytes() const {
  return text_.capacity() + starts_.capacity() * sizeof(std::uint64_t) +
         ends_.capacity() * sizeof(std::uint16_t);
}

}  // namespace skyvane
