#pragma once
// Local calendar times of the stored form's numbers at the cost of a little
// arithmetic: mktime reads the zone (a stat of /etc/localtime, or a parse of
// TZ) on every call, which dominates any read of many records. The zone's
// offset is asked once per local day, or once per hour on a day on which it
// changes, and kept per thread beside the TZ text it was found under.
#include <cstdint>

namespace skyvane {

// What mktime gives for these local wall-clock numbers with daylight saving
// left to the zone's rules (-1 when it cannot tell). Numbers outside the
// calendar are normalised as mktime does.
std::int64_t LocalSecondsOf(int year, int month, int day, int hour, int minute, int second);

}  // namespace skyvane
