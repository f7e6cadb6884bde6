#include "core/memory/byte_codec.h"

#include <algorithm>
#include <limits>

namespace skyvane {

namespace {

constexpr char kHexUpper[] = "0123456789ABCDEF";

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

// Two upper-case hex digits per byte, each followed by a blank when spaced.
std::string HexText(std::span<const std::uint8_t> bytes, bool spaced) {
  std::string text;
  text.reserve(bytes.size() * (spaced ? 3 : 2));
  for (std::uint8_t b : bytes) {
    text += kHexUpper[b >> 4];
    text += kHexUpper[b & 0x0F];
    if (spaced) text += ' ';
  }
  return text;
}

}  // namespace

std::string HexDump(std::span<const std::uint8_t> bytes) { return HexText(bytes, true); }

std::string HexDigits(std::span<const std::uint8_t> bytes) { return HexText(bytes, false); }

void ParseHexDigits(std::string_view text, std::span<std::uint8_t> dest) {
  const std::size_t count = std::min(text.size() / 2, dest.size());
  for (std::size_t i = 0; i < count; ++i) {
    dest[i] = static_cast<std::uint8_t>(HexDigitValue(text[2 * i]) * 16 +
                                        HexDigitValue(text[2 * i + 1]));
  }
}

std::size_t SkipBlanksAndSign(std::string_view text, bool& negative) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  return i;
}

long long ParseDecimal(std::string_view text) {
  bool negative = false;
  std::size_t i = SkipBlanksAndSign(text, negative);
  constexpr long long kMax = std::numeric_limits<long long>::max();
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (value > (kMax - digit) / 10) {
      value = kMax;
      break;
    }
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

int ReadSignMagnitude16(const std::uint8_t* p) {
  const int magnitude = ((p[1] & 0x7F) << 8) | p[0];
  return (p[1] & 0x80) ? -magnitude : magnitude;
}

void WriteSignMagnitude16(std::uint8_t* p, long long n) {
  const unsigned long long magnitude =
      n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
  p[0] = static_cast<std::uint8_t>(magnitude & 0xFF);
  p[1] = static_cast<std::uint8_t>(((magnitude >> 8) & 0x7F) | (n < 0 ? 0x80 : 0x00));
}

std::string DecimalText(long long n) { return std::to_string(n); }

}  // namespace skyvane
