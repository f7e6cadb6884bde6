#pragma once
// Number conventions shared by every block codec: little-endian integers,
// 16-bit sign-and-magnitude temperatures, decimal and hexadecimal field texts.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace skyvane {

// "%02X " per byte, concatenated (the raw-bytes field of every record).
std::string HexDump(std::span<const std::uint8_t> bytes);

// Two upper-case hex digits per byte, no separators (bytes carried back unchanged).
std::string HexDigits(std::span<const std::uint8_t> bytes);

// Two characters per byte for half the text's length, at most dest.size() bytes;
// only '0'-'9' and 'A'-'F' are digits, any other character counts as 0.
// Bytes the text does not reach are left as they are.
void ParseHexDigits(std::string_view text, std::span<std::uint8_t> dest);

// Where the digits of a number text start: after its leading blanks (spaces,
// tabs) and an optional sign; negative tells whether the sign was '-'.
std::size_t SkipBlanksAndSign(std::string_view text, bool& negative);

// The leading decimal integer of a text, sign allowed, after leading blanks;
// 0 when the text does not start with a number. Saturates instead of overflowing.
long long ParseDecimal(std::string_view text);

// Little-endian unsigned 16-bit integer at p.
inline unsigned ReadU16(const std::uint8_t* p) { return p[0] | (unsigned{p[1]} << 8); }
// The low 16 bits of n, low byte first.
inline void WriteU16(std::uint8_t* p, long long n) {
  const auto v = static_cast<std::uint16_t>(static_cast<unsigned long long>(n));
  p[0] = static_cast<std::uint8_t>(v & 0xFF);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

// Sign-and-magnitude: bit 15 the sign, bits 0-14 the magnitude (0x8000 reads as 0).
int ReadSignMagnitude16(const std::uint8_t* p);
// Writes |n| into bits 0-14 (higher magnitude bits are dropped so they can never
// turn into the sign) and sets bit 15 when n is negative.
void WriteSignMagnitude16(std::uint8_t* p, long long n);

// The decimal text of an integer.
std::string DecimalText(long long n);

}  // namespace skyvane
