// The data file's costs on a one-day and a ten-year file at 5 minutes: one
// polling cycle's file work when nothing new arrived (LoadLastRow and the rain
// of the current record), a month's LoadRange, LoadAll, appending a full ring
// of 4079 rows, and `wc -l` of the same file for comparison.
//
// The files are written by the generator into $SKYVANE_BENCH_DIR (default
// /tmp/skyvane-bench-history) when they are not there yet.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/app/clock.h"
#include "core/history/history_file.h"
#include "core/history/rain.h"
#include "bench_files.h"
#include "history_gen.h"

extern char** environ;

namespace skyvane::bench {
namespace {

constexpr const char* kFiles[] = {"oneday.dat", "tenyears.dat"};
constexpr int kDays[] = {1, 3650};

// The generated file for the benchmark's argument (0 one day, 1 ten years).
std::string DataFile(int which) { return GeneratedFile(kFiles[which], kDays[which]); }

// Five minutes after the newest record.
FixedClock& Clock() {
  static FixedClock clock(GeneratedEnd() + 300);
  return clock;
}

void Label(benchmark::State& state) { state.SetLabel(kFiles[state.range(0)]); }

void OpenData(HistoryFile& file, const benchmark::State& state) {
  file.OpenFile(DataFile(static_cast<int>(state.range(0))));
}

// The last 30 days into a fresh Table on every iteration, as search does;
// counts the rows found.
template <class Table, class Search>
void SearchMonth(benchmark::State& state, Search search) {
  HistoryFile file(Clock());
  OpenData(file, state);
  const std::string end = StampText(GeneratedEnd());
  const std::string start = StampText(GeneratedEnd() - 30 * 86400);
  std::size_t rows = 0;
  for (auto _ : state) {
    Table table;
    search(file, table, start, end);
    rows = table.size();
  }
  state.counters["rows"] = static_cast<double>(rows);
  Label(state);
}

void BM_CycleFileWork(benchmark::State& state) {
  HistoryFile file(Clock());
  OpenData(file, state);
  for (auto _ : state) {
    HistoryRow last;
    file.LoadLastRow(last);
    HistoryRow current = last;
    current[row::recordTime].clear();  // the current record: its time is now
    current[row::rain] = FormatFixed(NumericValue(last[row::rain]) + 0.3, 1);
    ComputeRainForCurrent(file, current);
    benchmark::DoNotOptimize(current);
  }
  Label(state);
}
BENCHMARK(BM_CycleFileWork)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LoadRangeMonth(benchmark::State& state) {
  SearchMonth<HistoryRowArray>(state, [](HistoryFile& file, HistoryRowArray& range, const std::string& start,
                                         const std::string& end) { file.LoadRange(range, start, end); });
}
BENCHMARK(BM_LoadRangeMonth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The History window's search for a month (the grid keeps the stored texts).
void BM_SearchToGridMonth(benchmark::State& state) {
  SearchMonth<HistoryTable>(state, [](HistoryFile& file, HistoryTable& grid, const std::string& start,
                                      const std::string& end) { file.SearchToGrid(grid, start, end); });
}
BENCHMARK(BM_SearchToGridMonth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LoadAll(benchmark::State& state) {
  HistoryFile file(Clock());
  OpenData(file, state);
  std::size_t rows = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    HistoryTable all;
    file.LoadAll(all);
    rows = all.size();
    bytes = all.MemoryBytes();
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["MiB"] = static_cast<double>(bytes) / (1 << 20);
  Label(state);
}
BENCHMARK(BM_LoadAll)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// LoadAll into 37-string rows, for comparison (one day only: ten years of
// such rows would take well over a gigabyte).
void BM_LoadAllRows(benchmark::State& state) {
  HistoryFile file(Clock());
  OpenData(file, state);
  for (auto _ : state) {
    HistoryRowArray all;
    file.LoadAll(all);
    benchmark::DoNotOptimize(all.data());
  }
  Label(state);
}
BENCHMARK(BM_LoadAllRows)->Arg(0)->Unit(benchmark::kMillisecond);

HistoryRowArray NewRows(const HistoryRow& last, int count) {
  HistoryRowArray rows;
  for (int i = count; i >= 1; --i) {  // newest first
    HistoryRow r = last;
    r[row::recordTime] = StampText(GeneratedEnd() + i * 300);
    rows.push_back(r);
  }
  return rows;
}

void BM_AppendRows4079(benchmark::State& state) {
  const std::string source = DataFile(static_cast<int>(state.range(0)));
  const std::string path = BenchFolder() + "/append.dat";
  std::filesystem::copy_file(source, path, std::filesystem::copy_options::overwrite_existing);
  const auto size = static_cast<off_t>(std::filesystem::file_size(path));
  HistoryFile file(Clock());
  file.OpenFile(path);
  HistoryRow last;
  file.LoadLastRow(last);
  const HistoryRowArray rows = NewRows(last, 4079);
  for (auto _ : state) {
    state.PauseTiming();
    if (::truncate(path.c_str(), size) != 0) state.SkipWithError("truncate");
    state.ResumeTiming();
    if (!file.AppendRows(rows)) state.SkipWithError("append");
  }
  std::filesystem::remove(path);
  Label(state);
}
BENCHMARK(BM_AppendRows4079)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The rain of a whole ring of new rows (the first download after "Clear Data"
// on a station with a full ring, or a PC that was off for two weeks).
void BM_ComputeRainForNew4079(benchmark::State& state) {
  HistoryFile file(Clock());
  OpenData(file, state);
  HistoryRow last;
  file.LoadLastRow(last);
  const HistoryRowArray fresh = NewRows(last, 4079);
  for (auto _ : state) {
    HistoryRowArray rows = fresh;
    ComputeRainForNew(file, rows, "Compute history rain data", {});
    benchmark::DoNotOptimize(rows.data());
  }
  Label(state);
}
BENCHMARK(BM_ComputeRainForNew4079)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_WcL(benchmark::State& state) {
  const std::string path = DataFile(static_cast<int>(state.range(0)));
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::string wc = "wc", l = "-l", p = path;
  char* argv[] = {wc.data(), l.data(), p.data(), nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawnp(&pid, "wc", &actions, nullptr, argv, environ) != 0) {
      state.SkipWithError("wc");
      break;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
  }
  posix_spawn_file_actions_destroy(&actions);
  Label(state);
}
BENCHMARK(BM_WcL)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skyvane::bench

BENCHMARK_MAIN();
