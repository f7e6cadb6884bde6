#pragma once
// The 8-byte reports the station understands. Commands carry the station
// address big-endian and the block length 0x20, and repeat their first four
// bytes in the last four (the write-byte command carries the value instead).
#include <array>
#include <cstdint>

namespace skyvane::report {

constexpr int kSize = 8;
using Report = std::array<std::uint8_t, kSize>;

constexpr std::uint8_t kReadBlock = 0xA1;
constexpr std::uint8_t kWriteBlock = 0xA0;
constexpr std::uint8_t kWriteByte = 0xA2;
constexpr std::uint8_t kBlockLength = 0x20;
constexpr std::uint8_t kAckByte = 0xA5;
constexpr int kDataReportsPerBlock = 4;  // 32 bytes travel as four 8-byte reports

constexpr Report BlockCommand(std::uint8_t command, std::uint16_t address) {
  const auto hi = static_cast<std::uint8_t>(address >> 8);
  const auto lo = static_cast<std::uint8_t>(address & 0xFF);
  return {command, hi, lo, kBlockLength, command, hi, lo, kBlockLength};
}

constexpr Report ReadBlockCommand(std::uint16_t address) { return BlockCommand(kReadBlock, address); }
constexpr Report WriteBlockCommand(std::uint16_t address) { return BlockCommand(kWriteBlock, address); }

constexpr Report WriteByteCommand(std::uint16_t address, std::uint8_t value) {
  const auto hi = static_cast<std::uint8_t>(address >> 8);
  const auto lo = static_cast<std::uint8_t>(address & 0xFF);
  return {kWriteByte, hi, lo, kBlockLength, kWriteByte, value, 0x00, kBlockLength};
}

constexpr Report Acknowledgement() {
  return {kAckByte, kAckByte, kAckByte, kAckByte, kAckByte, kAckByte, kAckByte, kAckByte};
}

constexpr bool IsAcknowledgement(const std::uint8_t* r) {
  for (int i = 0; i < kSize; ++i) {
    if (r[i] != kAckByte) return false;
  }
  return true;
}

constexpr std::uint16_t CommandAddress(const std::uint8_t* r) {
  return static_cast<std::uint16_t>((r[1] << 8) | r[2]);
}

}  // namespace skyvane::report
