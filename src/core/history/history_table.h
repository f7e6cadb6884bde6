#pragma once
// HistoryTable: many stored rows held compactly, for the bulk reads of the data
// file (ten years at five minutes are a million rows). The texts of a row lie
// back to back in one buffer, in the order of the data file's line; a row
// costs its text (about 180 bytes) plus 82, where a HistoryRow of 37 strings
// costs well over a kilobyte. Rows go in and come out as HistoryRow values;
// single fields can be read without building a row.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/station/history_row.h"

namespace skyvane {

class HistoryTable {
 public:
  using FieldViews = std::array<std::string_view, row::kCount>;
  // Longest text one row can hold; longer field texts are cut to fit.
  static constexpr std::size_t kMaxRowText = 0xFFFF;
  // Bytes that may be read beyond the end of a line given to AppendLine.
  static constexpr std::size_t kLineSlack = 16;

  HistoryTable() = default;
  HistoryTable(const HistoryTable& other);
  HistoryTable& operator=(const HistoryTable& other);
  HistoryTable(HistoryTable&& other) noexcept { *this = std::move(other); }
  HistoryTable& operator=(HistoryTable&& other) noexcept;

  std::size_t size() const { return starts_.size(); }
  bool empty() const { return starts_.empty(); }
  void clear();
  void reserve(std::size_t rows, std::size_t textBytes);

  std::string_view Field(std::size_t rowIndex, int field) const;
  HistoryRow Row(std::size_t rowIndex) const;

  void Append(const HistoryRow& row);
  void Append(const FieldViews& fields);
  // Appends the row of a data-file line that holds every field read back (36
  // pieces or more), each trimmed, and returns true; a line with fewer pieces
  // appends nothing. kLineSlack bytes after the line must be readable.
  bool AppendLine(std::string_view line);

  // Bytes held, for memory accounting.
  std::size_t MemoryBytes() const;

 private:
  void GrowText(std::size_t atLeast);

  std::unique_ptr<char[]> text_;       // the rows' texts back to back
  std::size_t textSize_ = 0;
  std::size_t textCapacity_ = 0;
  std::vector<std::uint64_t> starts_;  // offset of each row's text
  std::vector<std::uint16_t> ends_;    // per row, the ends of its fields by line position
};

}  // namespace skyvane
