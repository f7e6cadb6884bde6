// The climate of a ten-year file at five minutes (a million records): the
// first read from cold, the summaries of every day, month and year with the
// records table from a book already read, a polling cycle's refresh after one
// appended record, and the monthly report.
//
// The file is written by the generator into $SKYVANE_BENCH_DIR (default
// /tmp/skyvane-bench-history) when it is not there yet; the appending
// benchmark works on a copy.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_files.h"
#include "core/climate/climate_book.h"
#include "core/climate/climate_report.h"
#include "history_gen.h"

namespace skyvane::bench {
namespace {

std::string TenYears() { return GeneratedFile("tenyears.dat", 3650); }

std::string Now() { return StampText(GeneratedEnd()); }

void Refresh(climate::ClimateBook& book, const std::string& path, benchmark::State& state) {
  std::string error;
  if (!book.Refresh(path, error)) state.SkipWithError(error.c_str());
}

// A fresh book each time: every line of the file read and summed.
void BM_ClimateColdRead(benchmark::State& state) {
  const std::string path = TenYears();
  for (auto _ : state) {
    climate::ClimateBook book;
    Refresh(book, path, state);
    benchmark::DoNotOptimize(book.Tables({}, Now()));
  }
}
BENCHMARK(BM_ClimateColdRead)->Unit(benchmark::kMillisecond);

// The tables of all ten years from a book that holds them.
void BM_ClimateTablesFromTheBook(benchmark::State& state) {
  climate::ClimateBook book;
  Refresh(book, TenYears(), state);
  std::size_t days = 0;
  for (auto _ : state) {
    const climate::ClimateTables tables = book.Tables({}, Now());
    days = tables.days.size();
  }
  state.counters["days"] = static_cast<double>(days);
}
BENCHMARK(BM_ClimateTablesFromTheBook)->Unit(benchmark::kMillisecond);

// A cycle: one record appended, the book brought up to date, today's values.
void BM_ClimateCycleAfterAnAppend(benchmark::State& state) {
  const std::string path = BenchFolder() + "/climate-appended.dat";
  std::filesystem::copy_file(TenYears(), path, std::filesystem::copy_options::overwrite_existing);
  std::string last;
  {
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) last.swap(line);
  }
  last += "\n";
  climate::ClimateBook book;
  Refresh(book, path, state);
  for (auto _ : state) {
    std::ofstream(path, std::ios::binary | std::ios::app) << last;
    Refresh(book, path, state);
    benchmark::DoNotOptimize(book.Today(Now()));
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ClimateCycleAfterAnAppend)->Unit(benchmark::kMicrosecond);

// The monthly and yearly reports of the newest month and year.
void BM_ClimateReports(benchmark::State& state) {
  climate::ClimateBook book;
  Refresh(book, TenYears(), state);
  const std::string now = Now();
  for (auto _ : state) {
    benchmark::DoNotOptimize(climate::ClimateReport(book, now.substr(0, 7), {}, {}));
    benchmark::DoNotOptimize(climate::ClimateReport(book, now.substr(0, 4), {}, {}));
  }
}
BENCHMARK(BM_ClimateReports)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skyvane::bench

BENCHMARK_MAIN();
