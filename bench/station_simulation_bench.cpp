// The simulated station at work: how long a first start with its days of
// history takes, how long a restart needs to catch up time it was off, and
// what a read costs when the station refreshes its record before serving it.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/station/station_link.h"
#include "core/transfer/sim/station_simulation.h"
#include "core/transfer/simulated_station.h"

namespace {

using skyvane::sim::MemorySpan;
using skyvane::sim::SimState;
using skyvane::sim::StationSimulation;

constexpr std::int64_t kNow = 1'717'243'200;  // 2024-06-01 12:00 UTC

void BM_FirstStartWithDaysOfHistory(benchmark::State& state) {
  std::vector<std::uint8_t> memory(0x10000);
  for (auto _ : state) {
    StationSimulation sim(SimState{.seed = 1});
    sim.SetUp(MemorySpan(memory.data(), 0x10000), kNow, static_cast<int>(state.range(0)), 0);
    benchmark::DoNotOptimize(memory.data());
  }
  state.SetLabel(std::to_string(state.range(0)) + " days");
}
BENCHMARK(BM_FirstStartWithDaysOfHistory)->Arg(3)->Arg(15)->Unit(benchmark::kMillisecond);

// A station with a full ring, off for this many days and started again.
void BM_CatchUpAfterDaysOff(benchmark::State& state) {
  std::vector<std::uint8_t> start(0x10000);
  StationSimulation base(SimState{.seed = 2});
  base.SetUp(MemorySpan(start.data(), 0x10000), kNow, 15, 0);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::uint8_t> memory = start;
    StationSimulation sim(base.State());
    sim.Resume(MemorySpan(memory.data(), 0x10000));
    state.ResumeTiming();
    sim.Run(MemorySpan(memory.data(), 0x10000), kNow + state.range(0) * 86400);
    benchmark::DoNotOptimize(memory.data());
  }
  state.SetLabel(std::to_string(state.range(0)) + " days off");
}
BENCHMARK(BM_CatchUpAfterDaysOff)->Arg(1)->Arg(14)->Arg(90)->Unit(benchmark::kMillisecond);

// One block read through the report protocol while station time runs at
// speed 600 (every read finds a refresh or two due).
void BM_ReadRunningRecordAtSpeed600(benchmark::State& state) {
  std::int64_t realMs = kNow * 1000;
  skyvane::SimOptions options;
  options.folder = std::filesystem::temp_directory_path() / "skyvane-bench-sim";
  std::filesystem::remove_all(options.folder);
  options.seed = 3;
  options.speed = 600;
  options.realTime = [&realMs] { return realMs; };
  std::string error;
  auto station = skyvane::MakeSimulatedStation(options, error);
  if (!station) {
    state.SkipWithError(error.c_str());
    return;
  }
  skyvane::StationLink link(std::move(station), false);
  link.FindStation(0x1941, 0x8021);
  std::uint8_t block[32];
  for (auto _ : state) {
    realMs += 100;  // one station minute
    int length = 32;
    benchmark::DoNotOptimize(link.ReadBlocks(0x0100, block, length));
  }
  std::filesystem::remove_all(options.folder);
}
BENCHMARK(BM_ReadRunningRecordAtSpeed600);

}  // namespace

BENCHMARK_MAIN();
