#include "core/memory/byte_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace skyvane {
namespace {

TEST(HexDump, TwoUpperCaseDigitsAndABlankPerByte) {
  const std::array<std::uint8_t, 4> bytes{0x05, 0xAB, 0x00, 0xFF};
  EXPECT_EQ(HexDump(bytes), "05 AB 00 FF ");
  EXPECT_EQ(HexDump(std::span<const std::uint8_t>{}), "");
}

TEST(HexDigits, NoSeparators) {
  const std::array<std::uint8_t, 3> bytes{0x0A, 0xF0, 0x13};
  EXPECT_EQ(HexDigits(bytes), "0AF013");
}

TEST(ParseHexDigits, TwoCharactersPerByteForHalfTheLength) {
  std::array<std::uint8_t, 4> dest{0xEE, 0xEE, 0xEE, 0xEE};
  ParseHexDigits("13307", dest);  // odd length: the last character is ignored
  EXPECT_EQ(dest, (std::array<std::uint8_t, 4>{0x13, 0x30, 0xEE, 0xEE}));
}

TEST(ParseHexDigits, OnlyUpperCaseHexCountsAsDigits) {
  std::array<std::uint8_t, 4> dest{};
  ParseHexDigits("G5A-af9F", dest);
  // 'G' counts 0 in the high nibble, '-' nothing in the low one; lower case is no digit.
  EXPECT_EQ(dest, (std::array<std::uint8_t, 4>{0x05, 0xA0, 0x00, 0x9F}));
}

TEST(ParseHexDigits, NeverWritesBeyondTheField) {
  std::array<std::uint8_t, 4> buffer{};
  ParseHexDigits("1122334455", std::span(buffer).first(2));
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{0x11, 0x22, 0x00, 0x00}));
}

TEST(ParseDecimal, LeadingNumberWithSign) {
  EXPECT_EQ(ParseDecimal("10132"), 10132);
  EXPECT_EQ(ParseDecimal("+5"), 5);
  EXPECT_EQ(ParseDecimal("-3"), -3);
  EXPECT_EQ(ParseDecimal("12.7"), 12);
  EXPECT_EQ(ParseDecimal("  42x"), 42);
  EXPECT_EQ(ParseDecimal("-0"), 0);
}

TEST(ParseDecimal, NoNumberGivesZero) {
  EXPECT_EQ(ParseDecimal(""), 0);
  EXPECT_EQ(ParseDecimal("---"), 0);
  EXPECT_EQ(ParseDecimal("abc"), 0);
  EXPECT_EQ(ParseDecimal("- 5"), 0);
  EXPECT_EQ(ParseDecimal("+"), 0);
}

TEST(ParseDecimal, HugeNumbersSaturate) {
  constexpr auto kMax = std::numeric_limits<long long>::max();
  EXPECT_EQ(ParseDecimal("99999999999999999999999"), kMax);
  EXPECT_EQ(ParseDecimal("-99999999999999999999999"), -kMax);
}

TEST(LittleEndian, LowByteFirst) {
  std::array<std::uint8_t, 2> b{};
  WriteU16(b.data(), 10132);
  EXPECT_EQ(b, (std::array<std::uint8_t, 2>{0x94, 0x27}));
  EXPECT_EQ(ReadU16(b.data()), 10132u);
  WriteU16(b.data(), 0x12345);  // only the low 16 bits
  EXPECT_EQ(b, (std::array<std::uint8_t, 2>{0x45, 0x23}));
}

TEST(SignMagnitude, Decoding) {
  const std::array<std::uint8_t, 2> minus100{0x64, 0x80};
  const std::array<std::uint8_t, 2> negativeZero{0x00, 0x80};
  const std::array<std::uint8_t, 2> missing{0xFF, 0xFF};
  const std::array<std::uint8_t, 2> plus300{0x2C, 0x01};
  EXPECT_EQ(ReadSignMagnitude16(minus100.data()), -100);
  EXPECT_EQ(ReadSignMagnitude16(negativeZero.data()), 0);
  EXPECT_EQ(ReadSignMagnitude16(missing.data()), -32767);
  EXPECT_EQ(ReadSignMagnitude16(plus300.data()), 300);
}

TEST(SignMagnitude, Encoding) {
  std::array<std::uint8_t, 2> b{};
  WriteSignMagnitude16(b.data(), -100);
  EXPECT_EQ(b, (std::array<std::uint8_t, 2>{0x64, 0x80}));
  WriteSignMagnitude16(b.data(), 0);
  EXPECT_EQ(b, (std::array<std::uint8_t, 2>{0x00, 0x00}));
  WriteSignMagnitude16(b.data(), 40000);  // too large: must not come out negative
  EXPECT_EQ(b[1] & 0x80, 0);
  WriteSignMagnitude16(b.data(), std::numeric_limits<long long>::min());
  EXPECT_EQ(b[1] & 0x80, 0x80);
}

}  // namespace
}  // namespace skyvane
