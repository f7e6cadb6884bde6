#include "core/transfer/sim/rain_windows.h"

#include "core/memory/byte_codec.h"

namespace skyvane::sim {

namespace {

constexpr int kCounterOffset = 13;
constexpr int kIntervalOffset = 0;

unsigned CounterAt(ConstMemorySpan memory, std::uint16_t address) {
  return ReadU16(&memory[address + kCounterOffset]);
}

int Steps(unsigned now, unsigned before) { return static_cast<int>((now - before) & 0xFFFF); }

}  // namespace

RainWindows RainInWindows(ConstMemorySpan memory, std::int64_t slotStart, std::int64_t now) {
  std::uint16_t address = CurrentAddress(memory);
  const unsigned counterNow = CounterAt(memory, address);
  const std::int64_t starts[3] = {now - 3600, now - 86400, now - 7 * 86400};
  int* results[3];
  RainWindows windows;
  results[0] = &windows.hour;
  results[1] = &windows.day;
  results[2] = &windows.week;

  // Walk back from the newest stored record; each record ends where the one
  // after it begins. The first record that ended by the window's start holds
  // the counter at that start.
  int pending = 0;
  std::int64_t end = slotStart;
  unsigned oldest = counterNow;
  const int stored = RecordCount(memory) - 1;
  for (int i = 0; i < stored && pending < 3; ++i) {
    address = memmap::PreviousSlot(address);
    const unsigned counter = CounterAt(memory, address);
    while (pending < 3 && end <= starts[pending]) {
      *results[pending] = Steps(counterNow, counter);
      ++pending;
    }
    oldest = counter;
    end -= 60 * static_cast<std::int64_t>(memory[address + kIntervalOffset]);
  }
  for (; pending < 3; ++pending) *results[pending] = Steps(counterNow, oldest);
  return windows;
}

}  // namespace skyvane::sim
