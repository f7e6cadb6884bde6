// Block reads through the full report protocol of the virtual station: the
// cost of the link itself, without a device's USB latency.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/station/station_link.h"
#include "core/transfer/virtual_station.h"

namespace {

std::unique_ptr<skyvane::StationLink> OpenLink() {
  auto link = std::make_unique<skyvane::StationLink>(std::make_unique<skyvane::VirtualStation>(), false);
  link->FindStation(0x1941, 0x8021);
  return link;
}

void BM_ReadOneBlock(benchmark::State& state) {
  auto link = OpenLink();
  std::uint8_t block[32];
  for (auto _ : state) {
    int length = 32;
    benchmark::DoNotOptimize(link->ReadBlocks(0x0100, block, length));
  }
  state.SetBytesProcessed(state.iterations() * 32);
}
BENCHMARK(BM_ReadOneBlock);

void BM_ReadWholeMemory(benchmark::State& state) {
  auto link = OpenLink();
  std::vector<std::uint8_t> memory(0x10000);
  for (auto _ : state) {
    int length = 0x10000;
    benchmark::DoNotOptimize(link->ReadBlocks(0, memory.data(), length));
  }
  state.SetBytesProcessed(state.iterations() * 0x10000);
}
BENCHMARK(BM_ReadWholeMemory)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
