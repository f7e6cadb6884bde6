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

bool IsRecordTimeText(const std::string& text) {
  unsigned numbers[6];
  return ReadTimeText(text, numbers);
}

SearchRange RangeEndingNow(const Clock& clock, int spanSeconds) {
  const std::time_t now = clock.Now();
  return {LocalTimeText(now - spanSeconds), LocalTimeText(now)};
}

}  // namespace skyvane
