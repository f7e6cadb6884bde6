#pragma once
// The time range the History and Graph windows search: two texts in the form
// of recordTime ("%Y-%m-%d %H:%M:%S", local time), so that comparing texts
// compares times. The Condition list picks how far back the range reaches.
#include <ctime>
#include <string>

#include "core/app/clock.h"
#include "core/app/time_text.h"

namespace skyvane {

// The Condition list, in list order.
enum class SearchCondition : int {
  kHour = 0,
  kDay = 1,
  kWeek = 2,
  kMonth = 3,
  kUserDefined = 4,
};
inline constexpr int kSearchConditionCount = 5;

// Seconds a condition reaches back: 86400, 604800 and 2592000 for "24 hours",
// "a week" and "a month"; an hour for "an hour", "user defined" and any index
// outside the list (no selection).
int SearchSpanSeconds(int conditionIndex);

// True when the text has exactly the form "YYYY-mm-dd HH:MM:SS" with digits.
bool IsRecordTimeText(const std::string& text);

struct SearchRange {
  std::string start;
  std::string end;
};

// [now - span, now] as the windows open on a condition.
SearchRange RangeEndingNow(const Clock& clock, int spanSeconds);

}  // namespace skyvane
