#pragma once
// Timestamp texts: "%Y-%m-%d %H:%M:%S" local time as the program writes them
// (also the shorter date-and-minute form of the max/min record).
#include <cstdint>
#include <ctime>
#include <string>

namespace skyvane {

class TextTable;

// A timestamp text in the display form: the text table's timestamp format
// ("%d-%m-%Y %H:%M", strftime rules). Texts of at most 9 characters ("---",
// empty) come back unchanged; a date alone means midnight, a time without
// seconds ":00". A text that does not hold a full date and time also comes back
// unchanged.
std::string TimestampDisplayText(const std::string& text, const TextTable& table);
std::string TimestampDisplayText(const std::string& text, const std::string& format);

// The calendar time of a timestamp text read as local time (daylight saving
// decided by the platform). Missing time numbers count as 0; a text without a
// full date gives -1.
std::int64_t TimestampToTime(const std::string& text);

// end − start in seconds. A start of 10 characters or fewer means 2000-01-01
// 00:00:00 local time, such an end means now.
std::int64_t TimeSpanBetween(const std::string& start, const std::string& end);
std::int64_t TimeSpanBetween(const std::string& start, const std::string& end, std::int64_t now);

// Days since 1899-12-30 with the time of day as fraction (the chart's date-time
// value) of a timestamp text as written, without any time-zone shift; 0 for a
// text without a full date.
double TimestampToChartTime(const std::string& text);

}  // namespace skyvane
