#include "core/units/value_text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

#include "core/units/conversions.h"
#include "core/units/derived.h"

namespace skyvane {
namespace {

constexpr int kMissingSentinel = -32767;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Index of the first character after leading blanks.
std::size_t SkipBlanks(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

bool IsMarkedMissing(const std::string& text) { return text.empty() || text == kNoValue; }

}  // namespace

int IntegerValue(const std::string& text) {
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long n = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    n = n * 10 + (text[i] - '0');
    if (n > static_cast<long long>(INT_MAX) + 1) n = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) n = -n;
  if (n > INT_MAX) n = INT_MAX;
  return static_cast<int>(n);
}

namespace {

// The program's own numbers ("-12.3", "0.0", "45"), which the data file holds
// by the million: exact without a general reader, since n / 10^k rounds to the
// same double as the decimal text. False for any other text.
bool ReadPlainDecimal(std::string_view text, double& value) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) i = 1;
  std::int64_t n = 0;
  int digits = 0;
  int decimals = -1;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      // Past 15 digits the text goes to the general reader: stop counting
      // before the sum could overflow.
      if (digits < 16) n = n * 10 + (c - '0');
      ++digits;
      if (decimals >= 0) ++decimals;
    } else if (c == '.' && decimals < 0) {
      decimals = 0;
    } else {
      return false;
    }
  }
  if (digits == 0 || digits > 15 || decimals == 0 || decimals > 2) return false;
  static constexpr double kScale[] = {1.0, 10.0, 100.0};
  value = static_cast<double>(n) / kScale[decimals < 0 ? 0 : decimals];
  if (negative) value = -value;
  return true;
}

}  // namespace

double NumericValue(std::string_view text) {
  double value = 0.0;
  if (ReadPlainDecimal(text, value)) return value;
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t start = i;
  std::size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  }
  if (digits == 0) return 0.0;
  // An exponent counts only when digits follow it ("12e" is 12).
  bool tinyIfOutOfRange = false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    const bool negativeExponent = j < text.size() && text[j] == '-';
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      for (i = j; i < text.size() && IsDigit(text[i]); ++i) {
      }
      tinyIfOutOfRange = negativeExponent;
    }
  }
  const auto result = std::from_chars(text.data() + start, text.data() + i, value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) value = tinyIfOutOfRange ? 0.0 : HUGE_VAL;
  return negative ? -value : value;
}

bool IsValidReading(const std::string& text, Quantity quantity) {
  if (IsMarkedMissing(text)) return false;
  const int n = IntegerValue(text);
  switch (quantity) {
    case Quantity::kTemperature:
    case Quantity::kWindSpeed:
    case Quantity::kRain:
      return n != kMissingSentinel;
    case Quantity::kPressure:
      return n != kMissingSentinel && n != 0;
    case Quantity::kHumidity:
      return n >= 0 && n != 255;
    case Quantity::kDirection:
      return n >= 0 && n <= 15;
  }
  return false;
}

std::string FormatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return kNoValue;
  // to_chars is independent of the process locale (a desktop session may set a
  // decimal comma), and rounds exactly like printf's "%.Nf".
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return kNoValue;
  return std::string(buffer, result.ptr);
}

std::string WholeNumberText(double value) {
  if (!std::isfinite(value) || std::fabs(value) >= 9.0e18) return kNoValue;
  return std::to_string(static_cast<long long>(value));  // truncated toward zero, never "-0"
}

std::string TemperatureText(const std::string& value, float scale, const std::string& fromUnit,
                            const std::string& toUnit) {
  if (!IsValidReading(value, Quantity::kTemperature)) return kNoValue;
  const float v = static_cast<float>(NumericValue(value));
  return FormatFixed(ConvertTemperature(v, scale, fromUnit, toUnit), 1);
}

std::string HumidityText(const std::string& value, float scale, const std::string& /*fromUnit*/,
                         const std::string& /*toUnit*/) {
  if (!IsValidReading(value, Quantity::kHumidity)) return kNoValue;
  return WholeNumberText(ScaledValue(IntegerValue(value), scale));
}

std::string PressureText(const std::string& value, float scale, const std::string& fromUnit,
                         const std::string& toUnit) {
  if (!IsValidReading(value, Quantity::kPressure)) return kNoValue;
  const float v = static_cast<float>(NumericValue(value));
  // Inches of mercury need the second decimal; so does a value left in inHg.
  const bool hundredths =
      toUnit == unit::kInHg || (fromUnit == unit::kInHg && toUnit != unit::kHpa && toUnit != unit::kMmHg);
  return FormatFixed(ConvertPressure(v, scale, fromUnit, toUnit), hundredths ? 2 : 1);
}

std::string WindSpeedText(const std::string& value, float scale, const std::string& fromUnit,
                          const std::string& toUnit) {
  if (!IsValidReading(value, Quantity::kWindSpeed)) return kNoValue;
  const float v = ConvertWindSpeed(static_cast<float>(NumericValue(value)), scale, fromUnit, toUnit);
  if (toUnit == unit::kBeaufort) return WholeNumberText(v);
  return FormatFixed(v, 1);
}

std::string RainText(const std::string& value, float scale, const std::string& fromUnit,
                     const std::string& toUnit) {
  if (!IsValidReading(value, Quantity::kRain)) return kNoValue;
  const float v = static_cast<float>(NumericValue(value));
  const bool hundredths = toUnit == unit::kInch || (fromUnit == unit::kInch && toUnit != unit::kMm);
  return FormatFixed(ConvertRain(v, scale, fromUnit, toUnit), hundredths ? 2 : 1);
}

std::string TemperatureTextFromStation(const std::string& value, float scale,
                                       const std::string& toUnit) {
  return TemperatureText(value, scale, unit::kCelsius, toUnit);
}
std::string HumidityTextFromStation(const std::string& value, float scale,
                                    const std::string& toUnit) {
  return HumidityText(value, scale, unit::kPercent, toUnit);
}
std::string PressureTextFromStation(const std::string& value, float scale,
                                    const std::string& toUnit) {
  return PressureText(value, scale, unit::kHpa, toUnit);
}
std::string WindSpeedTextFromStation(const std::string& value, float scale,
                                     const std::string& toUnit) {
  return WindSpeedText(value, scale, unit::kMetresPerSecond, toUnit);
}
std::string RainTextFromStation(const std::string& value, float scale, const std::string& toUnit) {
  return RainText(value, scale, unit::kMm, toUnit);
}

std::string DirectionCodeText(const std::string& value) {
  if (!IsValidReading(value, Quantity::kDirection)) return kNoValue;
  return std::to_string(IntegerValue(value));
}

std::string DirectionNameText(const std::string& value) {
  if (!IsValidReading(value, Quantity::kDirection)) return kNoValue;
  return DirectionName(IntegerValue(value));
}

}  // namespace skyvane
