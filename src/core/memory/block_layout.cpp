#include "core/memory/block_layout.h"

#include "core/memory/byte_codec.h"

namespace skyvane::layout {

namespace {

constexpr std::size_t kNibbles = maxmin::kRainNibbles.offset;

// Bits 16-19 of a 20-bit rain value.
std::uint8_t HighBits(long long n) {
  return static_cast<std::uint8_t>((static_cast<unsigned long long>(n) >> 16) & 0x0F);
}

}  // namespace

long long ReadNumber(std::span<const std::uint8_t> block, Field field) {
  const std::uint8_t* p = block.data() + field.offset;
  switch (field.encoding) {
    case Encoding::kByte: return *p;
    case Encoding::kU16: return ReadU16(p);
    case Encoding::kSignMagnitude: return ReadSignMagnitude16(p);
    case Encoding::kRainLow: return ReadU16(p) | ((block[kNibbles] & 0x0Fu) << 16);
    case Encoding::kRainHigh: return ReadU16(p) | ((block[kNibbles] >> 4u) << 16);
    case Encoding::kHex:
    case Encoding::kTimestamp: break;
  }
  return 0;
}

void WriteNumber(std::span<std::uint8_t> block, Field field, long long n) {
  std::uint8_t* p = block.data() + field.offset;
  switch (field.encoding) {
    case Encoding::kByte: *p = static_cast<std::uint8_t>(n & 0xFF); return;
    case Encoding::kU16: WriteU16(p, n); return;
    case Encoding::kSignMagnitude: WriteSignMagnitude16(p, n); return;
    case Encoding::kRainLow:
      WriteU16(p, n);
      block[kNibbles] = static_cast<std::uint8_t>((block[kNibbles] & 0xF0) | HighBits(n));
      return;
    case Encoding::kRainHigh:
      WriteU16(p, n);
      block[kNibbles] = static_cast<std::uint8_t>((block[kNibbles] & 0x0F) | (HighBits(n) << 4));
      return;
    case Encoding::kHex:
    case Encoding::kTimestamp: return;
  }
}

}  // namespace skyvane::layout
