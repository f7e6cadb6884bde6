#pragma once
// The values of one stored row that the climate is made of, read from its
// field texts. A value that is "---" or no number is absent.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/history/history_table.h"

namespace skyvane::climate {

struct RowValues {
  std::string time;     // recordTime as stored
  std::string day;      // "YYYY-MM-DD" of (recordTime − 1 s)
  std::int64_t seconds = 0;  // recordTime as seconds of a calendar without time zones
  std::optional<double> temperature, humidity, pressure, windSpeed, gustSpeed;
  std::optional<int> directionCode;  // 0..15, N clockwise in steps of 22.5°
  std::optional<std::int64_t> rainHundredths;  // the rain increment, in 0.01 mm
};

// False when the row's recordTime is no time of the stored form.
bool ReadRowValues(const HistoryTable::FieldViews& fields, RowValues& out);

// The number of a field text; absent for "---", an empty text or anything
// that is not a finite decimal number as a whole.
std::optional<double> FieldNumber(std::string_view text);

// The date of a time text of the stored form one second earlier, and the
// time's seconds (see RowValues). False for any other text.
bool DayOfTime(std::string_view time, std::string& day, std::int64_t& seconds);

}  // namespace skyvane::climate
