#pragma once
// The station's 64 KiB memory as the PC sees it.
#include <cstdint>

namespace skyvane::memmap {

constexpr std::uint32_t kMemorySize = 0x10000;
constexpr std::uint16_t kHeaderAddress = 0x0000;
constexpr std::uint16_t kHeaderSize = 32;
constexpr std::uint16_t kAlarmAddress = 0x0020;
constexpr std::uint16_t kAlarmSize = 64;
constexpr std::uint16_t kMaxMinAddress = 0x0060;
constexpr std::uint16_t kMaxMinSize = 160;
constexpr std::uint16_t kRingFirst = 0x0100;  // first slot of the history ring
constexpr std::uint16_t kRingLast = 0xFFF0;   // last slot of the history ring
constexpr std::uint16_t kRecordSize = 16;
constexpr std::uint16_t kRingSlots = 4080;
constexpr std::uint16_t kBlockSize = 32;      // one block exchange
constexpr std::uint16_t kSettingsChangedAddress = 0x1A;
constexpr std::uint8_t kSettingsChangedMark = 0xAA;
constexpr std::uint16_t kTestImageSize = 512;  // test mode covers 0x000..0x1FF

// The address of a slot of the history ring.
constexpr bool IsRingSlot(long address) {
  return address >= kRingFirst && address <= kRingLast && address % kRecordSize == 0;
}

// The slots after and before a slot, wrapping from the ring's last slot to its first.
constexpr std::uint16_t NextSlot(std::uint16_t address) {
  return address >= kRingLast ? kRingFirst : static_cast<std::uint16_t>(address + kRecordSize);
}
constexpr std::uint16_t PreviousSlot(std::uint16_t address) {
  return address <= kRingFirst ? kRingLast : static_cast<std::uint16_t>(address - kRecordSize);
}

}  // namespace skyvane::memmap
