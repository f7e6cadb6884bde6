#include "core/history/rain.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/history/row_reader.h"
#include "core/history/rain_walk.h"
#include "core/units/value_text.h"

namespace skyvane {

namespace {

using Emit = std::function<bool(const RainSample&)>;

// The line positions of the fields a rain walk reads.
constexpr std::array<int, 4> kRainPositions = {2, 19, 20, 25};  // time, rain, increment, total
static_assert(line::kFieldAt[2] == row::recordTime && line::kFieldAt[19] == row::rain &&
              line::kFieldAt[20] == row::rainIncrement && line::kFieldAt[25] == row::rainTotal);

// The newest rows of the data file as the rain walks read them, kept with the
// file between polling cycles. Each cycle walks back 30 days; while the file's
// stamp is unchanged those rows are taken from here instead of being read and
// parsed again every 15 seconds.
struct RainTail final : HistoryFile::Memo {
  bool valid = false;
  HistoryFile::Stamp stamp;         // the file the rows were read from
  std::vector<RainSample> samples;  // newest first
  bool reachedStart = false;        // samples go back to the first line
};

RainTail& RainTailOf(HistoryFile& file) {
  std::unique_ptr<HistoryFile::Memo>& memo = file.memo();
  if (!memo) memo = std::make_unique<RainTail>();
  return static_cast<RainTail&>(*memo);
}

bool HasRainValue(const HistoryRow& r) { return IsValidReading(r[row::rain], Quantity::kRain); }

std::string ProgressText(const std::string& entry, int count, int done) {
  char buf[64];
  std::snprintf(buf, sizeof buf, " %d : %d%% ...", count, done * 100 / count);
  return entry + buf;
}

// Every walk ends at the first row with rain 30 days older than its target:
// true when the walk for `time` ends within the tail.
bool Covers(const RainTail& tail, std::int64_t time) {
  if (tail.reachedStart) return true;
  // Read for an earlier time, the tail ends with the row that ends this walk too.
  const auto ends = [time](const RainSample& s) { return s.hasRain && time - s.time >= rain::kMonth; };
  if (!tail.samples.empty() && ends(tail.samples.back())) return true;
  for (const RainSample& s : tail.samples) {
    if (ends(s)) return true;
  }
  return false;
}

// Reads the file back from its end to the row at which the walk for `time`
// ends. The caller holds the file.
void ReadTail(HistoryFile& file, RainTail& tail, std::int64_t time, LocalTimeReader& times) {
  tail.samples.clear();
  bool stopped = false;
  const Emit keep = [&](const RainSample& s) {
    tail.samples.push_back(s);
    stopped = s.hasRain && time - s.time >= rain::kMonth;
    return !stopped;
  };
  using Reader = BackwardFieldReader<kRainPositions.size()>;
  const Reader::Emit sample = [&](const Reader::Fields& f) {
    return keep(MakeRainSample(f[0], f[1], f[2], f[3], times));
  };
  Reader reader(kRainPositions);
  bool more = true;
  file.ScanBackward([&](std::string_view text) {
    more = reader.Take(text, sample);
    return more;
  });
  if (more) reader.Finish(sample);
  tail.reachedStart = !stopped;
}

// The newest rows of the file, enough for a walk for `time`; empty when the
// file cannot be read. The caller holds the file.
const RainTail& TailFor(HistoryFile& file, std::int64_t time, LocalTimeReader& times) {
  RainTail& tail = RainTailOf(file);
  HistoryFile::Stamp stamp;
  if (!file.ReadStamp(stamp)) {
    tail.valid = false;
    tail.samples.clear();
    tail.reachedStart = true;
    return tail;
  }
  if (!tail.valid || !(tail.stamp == stamp) || !Covers(tail, time)) {
    ReadTail(file, tail, time, times);
    HistoryFile::Stamp after;
    // Kept only when the file did not change while it was read.
    tail.valid = file.ReadStamp(after) && after == stamp;
    tail.stamp = stamp;
  }
  return tail;
}

}  // namespace

bool ComputeRain(HistoryRow& target, const HistoryRowArray& older, std::time_t now) {
  LocalTimeReader times(now);
  RainWalk walk(target, times.EndTime(target[row::recordTime]));
  for (auto it = older.rbegin(); it != older.rend() && walk.Step(MakeRainSample(*it, times)); ++it) {
  }
  return walk.Finish();
}

void MarkRainUnknown(HistoryRow& row) {
  for (int f : {row::rainIncrement, row::rainHour, row::rain24h, row::rainWeek, row::rainMonth,
                row::rainTotal}) {
    row[f] = kNoValue;
  }
}

bool ComputeRainForCurrent(HistoryFile& file, HistoryRow& row) {
  FileBusy::Hold hold = file.fileBusy().TakeHold();
  if (!hold.held()) {
    MarkRainUnknown(row);
    return false;
  }
  LocalTimeReader times(file.clock().Now());
  const std::int64_t time = times.EndTime(row[row::recordTime]);
  RainWalk walk(row, time);
  if (walk.wanted()) {
    const std::vector<RainSample>& samples = TailFor(file, time, times).samples;
    // Nothing stored to count from: the sums are not known yet, which is not 0.
    if (std::none_of(samples.begin(), samples.end(), [](const RainSample& s) { return s.hasRain; })) {
      MarkRainUnknown(row);
      return true;
    }
    walk.StepAll(samples.begin(), samples.end());
  }
  walk.Finish();
  return true;
}

bool ComputeRainForNew(HistoryFile& file, HistoryRowArray& rows, const std::string& entry,
                       const RainStatus& status) {
  if (rows.empty()) return true;
  FileBusy::Hold hold = file.fileBusy().TakeHold();
  if (!hold.held()) return false;
  LocalTimeReader times(file.clock().Now());

  // The walk of the earliest target reaches furthest back.
  std::int64_t earliest = std::numeric_limits<std::int64_t>::max();
  for (const HistoryRow& r : rows) {
    if (HasRainValue(r)) earliest = std::min(earliest, times.EndTime(r[row::recordTime]));
  }
  std::vector<RainSample> stored;  // newest first
  if (earliest != std::numeric_limits<std::int64_t>::max()) {
    stored = TailFor(file, earliest, times).samples;
  }
  // The progress texts may wait for the user-interface thread, which may be
  // waiting for the file: let it go first.
  hold = FileBusy::Hold();

  const int count = static_cast<int>(rows.size());
  std::vector<RainSample> finished;  // the new rows done so far, oldest first
  finished.reserve(rows.size());
  for (int k = 0; k < count; ++k) {
    HistoryRow& target = rows[rows.size() - 1 - k];
    if (status) status(ProgressText(entry, count, k + 1));
    RainWalk walk(target, times.EndTime(target[row::recordTime]));
    if (walk.StepAll(finished.rbegin(), finished.rend())) walk.StepAll(stored.begin(), stored.end());
    walk.Finish();
    finished.push_back(MakeRainSample(target, times));
  }
  return true;
}

}  // namespace skyvane
