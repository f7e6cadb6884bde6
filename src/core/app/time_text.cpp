#include "core/app/time_text.h"

#include "core/app/clock.h"
#include "core/app/local_seconds.h"

namespace skyvane {

std::string TimeText(const std::tm& parts) {
  char text[32];
  const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return std::string(text, n);
}

std::string LocalTimeText(std::time_t t) { return TimeText(Clock::ToLocal(t)); }

bool ReadTimeText(std::string_view text, unsigned numbers[6]) {
  // Charts, grids and rain walks read a million of these: no sscanf.
  static constexpr std::string_view kForm = "0000-00-00 00:00:00";  // 0: a digit
  if (text.size() != kForm.size()) return false;
  unsigned value = 0;
  int field = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (kForm[i] != '0') {
      if (c != kForm[i]) return false;
      numbers[field++] = value;
      value = 0;
    } else if (c >= '0' && c <= '9') {
      value = value * 10 + static_cast<unsigned>(c - '0');
    } else {
      return false;
    }
  }
  numbers[field] = value;
  return true;
}

std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::time_t LocalTimeOfText(std::string_view text) {
  unsigned n[6];
  if (!ReadTimeText(text, n)) return -1;
  return static_cast<std::time_t>(LocalSecondsOf(static_cast<int>(n[0]), static_cast<int>(n[1]),
                                                 static_cast<int>(n[2]), static_cast<int>(n[3]),
                                                 static_cast<int>(n[4]), static_cast<int>(n[5])));
}

}  // namespace skyvane
