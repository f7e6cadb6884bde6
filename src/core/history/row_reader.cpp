#include "core/history/row_reader.h"

#include <algorithm>

namespace skyvane {

ForwardRowReader::ForwardRowReader() {
  const HistoryRow fresh;
  for (int f = 0; f < row::kCount; ++f) {
    owned_[f] = fresh[f];
    fields_[f] = owned_[f];
  }
  // `reserved` is never read back: every row keeps a fresh row's.
  wholeFields_ = fields_;
}

void ForwardRowReader::Parse(std::string_view text) {
  std::array<std::string_view, line::kPositions> pieces;
  const int count = std::min(SplitLine(text, pieces), line::kReservedPosition);
  for (int pos = 0; pos < count; ++pos) fields_[line::kFieldAt[pos]] = pieces[pos];
}

std::string_view ForwardRowReader::Next(std::string_view text) {
  std::string_view time;
  if (CountPieces(text, line::kReservedPosition, time) >= line::kReservedPosition) {
    NextWhole(text);
    return TrimLine(time);
  }
  if (!complete_.empty()) Parse(complete_);
  complete_ = {};
  currentComplete_ = false;
  Parse(text);
  return fields_[row::recordTime];
}

const HistoryTable::FieldViews& ForwardRowReader::Fields() {
  if (!currentComplete_) return fields_;
  std::array<std::string_view, line::kPositions> pieces;
  SplitLine(complete_, pieces, line::kReservedPosition);
  for (int pos = 0; pos < line::kReservedPosition; ++pos) {
    wholeFields_[line::kFieldAt[pos]] = pieces[pos];
  }
  return wholeFields_;
}

void ForwardRowReader::Retain() {
  for (int f = 0; f < row::kCount; ++f) {
    if (fields_[f].data() != owned_[f].data()) owned_[f].assign(fields_[f]);
    fields_[f] = owned_[f];
  }
  if (!complete_.empty() && complete_.data() != completeOwned_.data()) {
    completeOwned_.assign(complete_);
    complete_ = completeOwned_;
  }
}

}  // namespace skyvane
