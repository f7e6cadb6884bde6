// The reads of the data file that load rows: one routine that hands every
// stored row (or those in a time range) to a sink, and the sinks that fill a
// table or an array of rows.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/history/line_scan.h"
#include "core/history/row_reader.h"

namespace skyvane {

namespace {

static_assert(HistoryTable::kLineSlack <= kLineSlack, "lines are read with room to spare");

// Which rows a load keeps: all, or those whose recordTime lies in [start, end].
struct TimeRange {
  const std::string* start = nullptr;
  const std::string* end = nullptr;
  bool Ranged() const { return start != nullptr; }
  bool Wants(std::string_view time) const { return !start || (time >= *start && time <= *end); }
};

struct TableSink : TimeRange {
  HistoryTable& table;
  int taken = 0;
  TableSink(HistoryTable& t, TimeRange range) : TimeRange(range), table(t) {}
  void Begin(std::uint64_t bytes) {
    table.clear();
    taken = 0;
    // Rows of the program's own lines are about 300 bytes, 180 of them text;
    // a range is given the bytes of the parts that hold it.
    table.reserve(bytes / 290 + 16, bytes * 5 / 8);
  }
  bool TakeLine(std::string_view text) {
    if (Ranged() || !table.AppendLine(text)) return false;
    ++taken;
    return true;
  }
  void Take(const HistoryTable::FieldViews& fields) {
    table.Append(fields);
    ++taken;
  }
};

struct ArraySink : TimeRange {
  HistoryRowArray& rows;
  ArraySink(HistoryRowArray& r, TimeRange range) : TimeRange(range), rows(r) {}
  void Begin(std::uint64_t) { rows.clear(); }
  bool TakeLine(std::string_view) { return false; }
  void Take(const HistoryTable::FieldViews& fields) {
    HistoryRow& r = rows.emplace_back();
    for (int f = 0; f < row::kCount; ++f) r[f].assign(fields[f]);
  }
};

}  // namespace

// A range read looks only at the parts of the file the index names, at every
// line's recordTime there, and splits only the lines in range, each complete
// and so holding every field it gives. A line that takes fields from the lines
// before it (one without its own recordTime, or a short one in range) needs
// the full reading instead: false, and the sink is begun again by it.
template <class Sink>
bool HistoryFile::LoadSpansQuickly(Sink& sink, const std::vector<RecordIndex::Span>& spans) {
  const HistoryRow fresh;  // the fields no line sets (reserved)
  HistoryTable::FieldViews fields;
  for (int f = 0; f < row::kCount; ++f) fields[f] = fresh[f];
  std::array<std::string_view, line::kPositions> pieces;
  bool enough = true;
  for (const RecordIndex::Span& span : spans) {
    ScanLinesForwardFrom(
        fd_.get(), span.from, span.to,
        [&](std::string_view untrimmed) {
          const std::string_view text = TrimLine(untrimmed);
          if (text.empty()) return true;
          std::string_view time;
          if (!ThirdPiece(text, time)) return enough = false;
          if (!sink.Wants(TrimLine(time))) return true;
          if (SplitLine(text, pieces, line::kReservedPosition) < line::kReservedPosition) return enough = false;
          for (int pos = 0; pos < line::kReservedPosition; ++pos) fields[line::kFieldAt[pos]] = pieces[pos];
          sink.Take(fields);
          return true;
        },
        [] {});
    if (!enough) return false;
  }
  return true;
}

// Each part begins at a line that holds every field (or the first line), so
// a fresh reader gives its rows what reading from the start would.
template <class Sink>
void HistoryFile::LoadSpans(Sink& sink, const std::vector<RecordIndex::Span>& spans) {
  for (const RecordIndex::Span& span : spans) {
    ForwardRowReader reader;
    ScanLinesForwardFrom(
        fd_.get(), span.from, span.to,
        [&](std::string_view untrimmed) {
          const std::string_view text = TrimLine(untrimmed);
          if (!text.empty() && sink.Wants(reader.Next(text))) sink.Take(reader.Fields());
        },
        [&] { reader.Retain(); });
  }
}

template <class Sink>
int HistoryFile::LoadRangeIndexed(Sink& sink) {
  if (!index_.Update(fd_.get()) || index_.lines() == 0) return 0;
  const std::vector<RecordIndex::Span> spans = index_.Find(*sink.start, *sink.end);
  std::uint64_t bytes = 0;
  for (const RecordIndex::Span& span : spans) bytes += span.to - span.from;
  sink.Begin(bytes);
  if (!LoadSpansQuickly(sink, spans)) {
    sink.Begin(bytes);
    LoadSpans(sink, spans);
  }
  return static_cast<int>(index_.lines());
}

template <class Sink>
int HistoryFile::LoadLines(Sink& sink) {
  // The caller holds the file and has it open.
  if (sink.Ranged()) return LoadRangeIndexed(sink);
  const Tail tail = FindTail();
  if (tail.validEnd == 0) return 0;
  ForwardRowReader reader;
  int lines = 0;
  ScanLinesForward(
      fd_.get(), tail.validEnd,
      [&](std::string_view untrimmed) {
        // Lines are read trimmed: blank pieces at either end are no pieces.
        const std::string_view text = TrimLine(untrimmed);
        if (text.empty()) return;
        if (lines++ == 0) sink.Begin(tail.validEnd);
        // Every line wanted: straight into the table when it is complete.
        if (sink.TakeLine(text)) {
          reader.NextWhole(text);
          return;
        }
        // Only the lines that are kept are split.
        if (sink.Wants(reader.Next(text))) sink.Take(reader.Fields());
      },
      [&] { reader.Retain(); });
  return lines;
}

template <class Sink>
bool HistoryFile::Load(Sink& sink, int& lines) {
  lines = 0;
  FileBusy::Hold hold = busy_.TakeHold();
  if (!hold.held()) return false;
  Session session(*this);
  if (session.open()) lines = LoadLines(sink);
  return true;
}

int HistoryFile::SearchToGrid(HistoryTable& grid, const std::string& start,
                              const std::string& end) {
  TableSink sink(grid, {&start, &end});
  int lines = 0;
  return Load(sink, lines) ? sink.taken : kBusyCount;
}

// The other loads give the number of lines in the file.
template <class Sink>
int HistoryFile::LoadLineCount(Sink&& sink) {
  int lines = 0;
  return Load(sink, lines) ? lines : kBusyCount;
}

int HistoryFile::LoadRange(HistoryRowArray& rows, const std::string& start,
                           const std::string& end) {
  return LoadLineCount(ArraySink(rows, {&start, &end}));
}

int HistoryFile::LoadRange(HistoryTable& rows, const std::string& start,
                           const std::string& end) {
  return LoadLineCount(TableSink(rows, {&start, &end}));
}

int HistoryFile::LoadAll(HistoryRowArray& rows) { return LoadLineCount(ArraySink(rows, {})); }

int HistoryFile::LoadAll(HistoryTable& rows) { return LoadLineCount(TableSink(rows, {})); }

}  // namespace skyvane
