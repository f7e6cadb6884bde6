#pragma once
// The program's one form of a time as text, "YYYY-mm-dd HH:MM:SS" (strftime's
// "%Y-%m-%d %H:%M:%S"), in which the data file stores its times so that
// comparing texts compares times, and the calendar arithmetic that reads it
// back without the C library's slow parsers.
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace skyvane {

// A broken-down time in the stored form.
std::string TimeText(const std::tm& parts);

// A calendar time as local time in the stored form.
std::string LocalTimeText(std::time_t t);

// The six numbers (year, month, day, hour, minute, second) of a text of
// exactly the stored form with digits; false for any other text. The numbers
// are not checked against the calendar.
bool ReadTimeText(std::string_view text, unsigned numbers[6]);

// The local calendar time of a text of exactly the stored form, daylight
// saving decided by the zone's rules for that date; -1 for any other text.
std::time_t LocalTimeOfText(std::string_view text);

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day);

}  // namespace skyvane
