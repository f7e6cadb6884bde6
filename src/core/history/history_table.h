#pragma once
// HistoryTable: many stored rows held compactly, for the bulk reads of the data
// file (ten years at five minutes are a million rows). The texts of a row lie
// back to back in one buffer; a row costs its text plus 82 bytes, where a
// HistoryRow of 37 strings costs well over a kilobyte. Rows go in and come out
// as HistoryRow values; single fields can be read without building a row.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/history/history_row.h"

namespace skyvane {

class HistoryTable {
 public:
  using FieldViews = std::array<std::string_view, row::kCount>;
  // Longest text one row can hold; longer field texts are cut to fit.
  static constexpr std::size_t kMaxRowText = 0xFFFF;

  std::size_t size() const { return starts_.size(); }
  bool empty() const { return starts_.empty(); }
  void clear();
  void reserve(std::size_t rows, std::size_t textBytes);

  std::string_view Field(std::size_t rowIndex, int field) const;
  HistoryRow Row(std::size_t rowIndex) const;
  // Every field of the row but the first three, which it keeps.
  void CopyRowTo(std::size_t rowIndex, HistoryRow& out) const;

  void Append(const HistoryRow& row);
  void Append(const FieldViews& fields);

  // Bytes held, for memory accounting.
  std::size_t MemoryBytes() const;

 private:
  std::string text_;
  std::vector<std::uint64_t> starts_;  // offset of each row's text
  std::vector<std::uint16_t> ends_;    // per row, kCount field ends relative to its start
};

}  // namespace skyvane
