#include "core/dialogs/field_check.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace skyvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The text without blanks at either end.
std::string Trimmed(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string ShortNumber(float value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6g", static_cast<double>(value));
  return buffer;
}

}  // namespace

std::string IntegerRangeMessage(int low, int high) {
  return "Please enter an integer between " + std::to_string(low) + " and " +
         std::to_string(high) + ".";
}

std::string NumberRangeMessage(float low, float high) {
  return "Please enter a number between " + ShortNumber(low) + " and " + ShortNumber(high) + ".";
}

bool ParseIntegerText(const std::string& text, long long& value) {
  const std::string t = Trimmed(text);
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (i == t.size()) return false;
  for (std::size_t j = i; j < t.size(); ++j) {
    if (!IsDigit(t[j])) return false;
  }
  const char* first = t.data() + (t[0] == '+' ? 1 : 0);
  const auto result = std::from_chars(first, t.data() + t.size(), value);
  return result.ec == std::errc() && result.ptr == t.data() + t.size();
}

bool ParseNumberText(const std::string& text, double& value) {
  const std::string t = Trimmed(text);
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  // Only digits, a point and an exponent: from_chars alone would take "inf".
  if (i == t.size() || !(IsDigit(t[i]) || t[i] == '.')) return false;
  const char* first = t.data() + (t[0] == '+' ? 1 : 0);
  const auto result =
      std::from_chars(first, t.data() + t.size(), value, std::chars_format::general);
  return result.ec == std::errc() && result.ptr == t.data() + t.size() && std::isfinite(value);
}

bool CheckInteger(const std::string& text, int low, int high, int control, FieldError& error) {
  long long value = 0;
  if (ParseIntegerText(text, value) && value >= low && value <= high) return true;
  error.control = control;
  error.message = IntegerRangeMessage(low, high);
  return false;
}

bool CheckNumber(const std::string& text, float low, float high, int control, FieldError& error) {
  double value = 0.0;
  if (ParseNumberText(text, value)) {
    const float v = static_cast<float>(value);
    if (v >= low && v <= high) return true;
  }
  error.control = control;
  error.message = NumberRangeMessage(low, high);
  return false;
}

}  // namespace skyvane
