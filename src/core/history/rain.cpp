#include "core/history/rain.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <cstdio>
#include <limits>
#include <string_view>
#include <vector>

#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/history/rain_tail.h"
#include "core/history/rain_walk.h"
#include "core/units/value_text.h"

namespace skyvane {

namespace {

using Emit = std::function<bool(const RainSample&)>;

// The line positions of the fields a rain walk reads.
constexpr std::array<int, 4> kRainPositions = {2, 19, 20, 25};  // time, rain, increment, total
static_assert(line::kFieldAt[2] == row::recordTime && line::kFieldAt[19] == row::rain &&
              line::kFieldAt[20] == row::rainIncrement && line::kFieldAt[25] == row::rainTotal);

// Turns the data file's lines, given newest first, into samples in the same
// order. A line that lacks some of the fields has them from the line before it
// in the file, exactly as a reading from the start would parse it, so it
// waits until that line has been seen.
class TailSampler {
 public:
  explicit TailSampler(LocalTimeReader& times) : times_(times) {}

  // False once emit has asked to stop.
  bool Take(std::string_view text, const Emit& emit) {
    std::array<std::string_view, line::kPositions> pieces;
    const int used = SplitLine(text, pieces, kRainPositions.back() + 1, false);
    for (int pos : kRainPositions) {
      if (pos < used) pieces[pos] = TrimLine(pieces[pos]);
    }
    if (used > kRainPositions.back()) {
      const RainSample sample = MakeRainSample(pieces[kRainPositions[0]], pieces[kRainPositions[1]],
                                               pieces[kRainPositions[2]], pieces[kRainPositions[3]],
                                               times_);
      if (!waiting_.empty() && !Release(pieces, emit)) return false;
      return emit(sample);
    }
    Waiting w;
    for (std::size_t i = 0; i < kRainPositions.size(); ++i) {
      w.has[i] = kRainPositions[i] < used;
      if (w.has[i]) w.text[i].assign(pieces[kRainPositions[i]]);
    }
    waiting_.push_back(std::move(w));
    return true;
  }

  // At the start of the file: waiting lines keep the values of a fresh row.
  void Finish(const Emit& emit) {
    if (waiting_.empty()) return;
    const HistoryRow fresh;
    std::array<std::string_view, line::kPositions> start;
    for (int pos : kRainPositions) start[pos] = fresh[line::kFieldAt[pos]];
    Release(start, emit);
  }

 private:
  struct Waiting {
    std::array<std::string, 4> text;
    std::array<bool, 4> has{};
  };

  // older holds the pieces of the line just before the waiting ones: fills
  // them in, then hands them on newest first.
  bool Release(const std::array<std::string_view, line::kPositions>& older, const Emit& emit) {
    for (auto it = waiting_.rbegin(); it != waiting_.rend(); ++it) {
      for (std::size_t i = 0; i < kRainPositions.size(); ++i) {
        if (it->has[i]) continue;
        it->text[i] = it == waiting_.rbegin() ? std::string(older[kRainPositions[i]])
                                              : std::prev(it)->text[i];
        it->has[i] = true;
      }
    }
    std::vector<Waiting> ready;
    ready.swap(waiting_);
    for (const Waiting& w : ready) {
      if (!emit(MakeRainSample(w.text[0], w.text[1], w.text[2], w.text[3], times_))) return false;
    }
    return true;
  }

  LocalTimeReader& times_;
  std::vector<Waiting> waiting_;  // newest first
};

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
  TailSampler sampler(times);
  bool more = true;
  file.ScanBackward([&](std::string_view text) {
    more = sampler.Take(text, keep);
    return more;
  });
  if (more) sampler.Finish(keep);
  tail.reachedStart = !stopped;
}

// The newest rows of the file, enough for a walk for `time`; empty when the
// file cannot be read. The caller holds the file.
const RainTail& TailFor(HistoryFile& file, std::int64_t time, LocalTimeReader& times) {
  RainTail& tail = file.rainTail();
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

bool ComputeRainForCurrent(HistoryFile& file, HistoryRow& row) {
  FileBusy::Hold hold = file.fileBusy().TakeHold();
  if (!hold.held()) {
    for (int f : {row::rainIncrement, row::rainHour, row::rain24h, row::rainWeek, row::rainMonth,
                  row::rainTotal}) {
      row[f] = kNoValue;
    }
    return false;
  }
  LocalTimeReader times(file.clock().Now());
  const std::int64_t time = times.EndTime(row[row::recordTime]);
  RainWalk walk(row, time);
  if (walk.wanted()) {
    const std::vector<RainSample>& samples = TailFor(file, time, times).samples;
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
