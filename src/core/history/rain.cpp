#include "core/history/rain.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <string_view>
#include <vector>

#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/history/rain_walk.h"

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
    const int used = std::min(SplitLine(text, pieces), line::kReservedPosition);
    Values values;
    bool complete = true;
    for (std::size_t i = 0; i < kRainPositions.size(); ++i) {
      values.has[i] = kRainPositions[i] < used;
      if (values.has[i]) values.text[i].assign(pieces[kRainPositions[i]]);
      complete = complete && values.has[i];
    }
    if (!complete) {
      waiting_.push_back(std::move(values));
      return true;
    }
    return Release(values, emit) && emit(Sample(values));
  }

  // At the start of the file: waiting lines keep the values of a fresh row.
  void Finish(const Emit& emit) {
    const HistoryRow fresh;
    Values start;
    start.has.fill(true);
    for (std::size_t i = 0; i < kRainPositions.size(); ++i) {
      start.text[i] = fresh[line::kFieldAt[kRainPositions[i]]];
    }
    Release(start, emit);
  }

 private:
  struct Values {
    std::array<std::string, 4> text;
    std::array<bool, 4> has{};
  };

  RainSample Sample(const Values& v) {
    return MakeRainSample(v.text[0], v.text[1], v.text[2], v.text[3], times_);
  }

  // older is the line just before the waiting ones; fills them in, then hands
  // them on newest first.
  bool Release(const Values& older, const Emit& emit) {
    const Values* previous = &older;
    for (auto it = waiting_.rbegin(); it != waiting_.rend(); ++it) {
      for (std::size_t i = 0; i < kRainPositions.size(); ++i) {
        if (!it->has[i]) it->text[i] = previous->text[i];
        it->has[i] = true;
      }
      previous = &*it;
    }
    std::vector<Values> ready;
    ready.swap(waiting_);
    for (const Values& v : ready) {
      if (!emit(Sample(v))) return false;
    }
    return true;
  }

  LocalTimeReader& times_;
  std::vector<Values> waiting_;  // newest first
};

bool HasRainValue(const HistoryRow& r) {
  const std::string& rain = r[row::rain];
  return !rain.empty() && rain != "---" && LeadingInteger(rain) != -32767;
}

std::string ProgressText(const std::string& entry, int count, int done) {
  char buf[64];
  std::snprintf(buf, sizeof buf, " %d : %d%% ...", count, done * 100 / count);
  return entry + buf;
}

}  // namespace

bool ComputeRain(HistoryRow& target, const HistoryRowArray& older, std::time_t now) {
  LocalTimeReader times(now);
  RainWalk walk(target, times.EndTime(target[row::recordTime]));
  for (auto it = older.rbegin(); it != older.rend() && walk.wanted(); ++it) {
    walk.Step(MakeRainSample(*it, times));
  }
  return walk.Finish();
}

bool ComputeRainForCurrent(HistoryFile& file, HistoryRow& row) {
  LocalTimeReader times(file.clock().Now());
  RainWalk walk(row, times.EndTime(row[row::recordTime]));
  if (walk.wanted()) {
    TailSampler sampler(times);
    const Emit emit = [&](const RainSample& s) { return walk.Step(s); };
    bool more = true;
    const HistoryFile::Scan scan = file.ScanBackward([&](std::string_view text) {
      more = sampler.Take(text, emit);
      return more;
    });
    if (scan == HistoryFile::Scan::kBusy) {
      for (int f : {row::rainIncrement, row::rainHour, row::rain24h, row::rainWeek,
                    row::rainMonth, row::rainTotal}) {
        row[f] = "---";
      }
      return false;
    }
    if (more) sampler.Finish(emit);
  }
  walk.Finish();
  return true;
}

bool ComputeRainForNew(HistoryFile& file, HistoryRowArray& rows, const std::string& entry,
                       const RainStatus& status) {
  if (rows.empty()) return true;
  LocalTimeReader times(file.clock().Now());

  // Every walk ends at the first stored row 30 days older than its target, so
  // the file is read back to that row of the earliest target only.
  std::int64_t earliest = std::numeric_limits<std::int64_t>::max();
  for (const HistoryRow& r : rows) {
    if (HasRainValue(r)) earliest = std::min(earliest, times.EndTime(r[row::recordTime]));
  }
  std::vector<RainSample> stored;  // newest first
  if (earliest != std::numeric_limits<std::int64_t>::max()) {
    TailSampler sampler(times);
    const Emit keep = [&](const RainSample& s) {
      stored.push_back(s);
      return !(s.hasRain && earliest - s.time >= rain::kMonth);
    };
    bool more = true;
    const HistoryFile::Scan scan = file.ScanBackward([&](std::string_view text) {
      more = sampler.Take(text, keep);
      return more;
    });
    if (scan == HistoryFile::Scan::kBusy) return false;
    if (more) sampler.Finish(keep);
  }

  const int count = static_cast<int>(rows.size());
  std::vector<RainSample> finished;  // the new rows done so far, oldest first
  finished.reserve(rows.size());
  for (int k = 0; k < count; ++k) {
    HistoryRow& target = rows[rows.size() - 1 - k];
    if (status) status(ProgressText(entry, count, k + 1));
    RainWalk walk(target, times.EndTime(target[row::recordTime]));
    for (auto it = finished.rbegin(); it != finished.rend() && walk.Step(*it); ++it) {
    }
    for (auto it = stored.begin(); it != stored.end() && walk.Step(*it); ++it) {
    }
    walk.Finish();
    finished.push_back(MakeRainSample(target, times));
  }
  return true;
}

}  // namespace skyvane
