#include "core/history/search_range.h"

namespace skyvane {

int SearchSpanSeconds(int conditionIndex) {
  switch (static_cast<SearchCondition>(conditionIndex)) {
    case SearchCondition::kDay: return 86400;
    case SearchCondition::kWeek: return 604800;
    case SearchCondition::kMonth: return 2592000;
    default: return 3600;
  }
}

std::string LocalTimeText(std::time_t t) {
  const std::tm local = Clock::ToLocal(t);
  char text[32];
  const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return std::string(text, n);
}

bool IsRecordTimeText(const std::string& text) {
  static constexpr char kForm[] = "0000-00-00 00:00:00";
  if (text.size() != sizeof kForm - 1) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kForm[i] == '0' ? !digit : text[i] != kForm[i]) return false;
  }
  return true;
}

SearchRange RangeEndingNow(const Clock& clock, int spanSeconds) {
  const std::time_t now = clock.Now();
  return {LocalTimeText(now - spanSeconds), LocalTimeText(now)};
}

}  // namespace skyvane
