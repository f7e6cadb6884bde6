#pragma once
// Reading the data file's lines as rows. A line may hold fewer fields than a
// record (cut by an editor, or written by an older program): the fields it
// lacks keep what the line before it in the file gave them, and those of the
// first line what a fresh row holds. This is the one place that rule lives;
// the readers below apply it forwards (every load of the file) and backwards
// (the rain walk, which reads only the newest lines).
#include <array>
#include <cstddef>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "core/history/history_line.h"
#include "core/history/history_table.h"
#include "core/station/history_row.h"

namespace skyvane {

// Lines in file order. The views it hands out point into the lines given to it
// and into itself: it must stay where it is while they are used.
class ForwardRowReader {
 public:
  ForwardRowReader();
  ForwardRowReader(const ForwardRowReader&) = delete;
  ForwardRowReader& operator=(const ForwardRowReader&) = delete;

  // Takes the next line (trimmed, not blank) and returns its recordTime, its
  // own or the one it keeps from before.
  std::string_view Next(std::string_view text);
  // Takes a line that holds every field and that the caller used as it is.
  void NextWhole(std::string_view text) {
    complete_ = text;
    currentComplete_ = true;
  }
  // Every field of the line Next took last. Valid until the next call.
  const HistoryTable::FieldViews& Fields();
  // Call before the bytes of the lines given so far are reused.
  void Retain();

 private:
  void Parse(std::string_view text);

  HistoryTable::FieldViews fields_;     // the row the short lines build on
  std::array<std::string, row::kCount> owned_;  // its texts once Retain copied them
  // A complete line sets every field that is read back, so it is parsed into
  // fields_ only when a short line follows it.
  std::string_view complete_;
  std::string completeOwned_;
  bool currentComplete_ = false;
  HistoryTable::FieldViews wholeFields_;  // the fields of a complete line
};

// Lines from the last to the first, of which only the fields at the N line
// positions `positions` (ascending) are wanted. A line that lacks some of them
// waits until the line before it has been seen; the fields are then handed to
// emit in the same newest-first order. Each is trimmed.
template <std::size_t N>
class BackwardFieldReader {
 public:
  using Fields = std::array<std::string_view, N>;
  using Emit = std::function<bool(const Fields&)>;

  explicit BackwardFieldReader(const std::array<int, N>& positions) : positions_(positions) {}

  // Takes the next older line; false once emit has asked to stop.
  bool Take(std::string_view text, const Emit& emit) {
    std::array<std::string_view, line::kPositions> pieces;
    const int used = SplitLine(text, pieces, positions_.back() + 1, false);
    Fields fields;
    for (std::size_t i = 0; i < N; ++i) {
      if (positions_[i] < used) fields[i] = TrimLine(pieces[positions_[i]]);
    }
    if (used > positions_.back()) {
      if (!waiting_.empty() && !Release(fields, emit)) return false;
      return emit(fields);
    }
    Waiting w;
    for (std::size_t i = 0; i < N; ++i) {
      w.has[i] = positions_[i] < used;
      if (w.has[i]) w.text[i].assign(fields[i]);
    }
    waiting_.push_back(std::move(w));
    return true;
  }

  // At the start of the file: the waiting lines keep the values of a fresh row.
  void Finish(const Emit& emit) {
    if (waiting_.empty()) return;
    const HistoryRow fresh;
    Fields start;
    for (std::size_t i = 0; i < N; ++i) start[i] = fresh[line::kFieldAt[positions_[i]]];
    Release(start, emit);
  }

 private:
  struct Waiting {
    std::array<std::string, N> text;
    std::array<bool, N> has{};
  };

  // older holds the fields of the line just before the waiting ones: fills
  // them in, then hands them on newest first.
  bool Release(const Fields& older, const Emit& emit) {
    for (auto it = waiting_.rbegin(); it != waiting_.rend(); ++it) {
      for (std::size_t i = 0; i < N; ++i) {
        if (it->has[i]) continue;
        it->text[i] = it == waiting_.rbegin() ? std::string(older[i]) : std::prev(it)->text[i];
        it->has[i] = true;
      }
    }
    std::vector<Waiting> ready;
    ready.swap(waiting_);
    for (const Waiting& w : ready) {
      Fields fields;
      for (std::size_t i = 0; i < N; ++i) fields[i] = w.text[i];
      if (!emit(fields)) return false;
    }
    return true;
  }

  std::array<int, N> positions_;
  std::vector<Waiting> waiting_;  // newest first
};

}  // namespace skyvane
