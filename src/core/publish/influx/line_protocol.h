#pragma once
// A stored record as one point of the InfluxDB line protocol, the text that
// InfluxDB 1.x and 2.x, VictoriaMetrics and QuestDB take on their write path:
//   MEASUREMENT,station=NODE outdoor_temperature=12.5,relative_pressure=1013.2 1715000000
// The fields are the numbers of the reading JSON in the same base units, all
// floats; a missing reading is left out, never written as 0. The time is the
// record's, in seconds.
#include <string>
#include <string_view>

#include "core/station/history_row.h"

namespace skyvane {

// A measurement name with its commas and spaces escaped.
std::string EscapedMeasurement(std::string_view name);
// A tag key, tag value or field key with its commas, equals signs and spaces escaped.
std::string EscapedKey(std::string_view key);

// Whether text can name a measurement or a station: not empty, no control
// character and no backslash (a trailing one would escape what follows it),
// not beginning with '#' (a comment line) or '_' (names InfluxDB keeps for itself).
bool IsLineProtocolName(std::string_view text);

// The point for a record; empty when the record has no time or no value at all.
std::string RecordPoint(const HistoryRow& stored, std::string_view measurement,
                        std::string_view station);

// Whether text reads as one point: a line without a line break, a name, a
// field set after a space, and a time in seconds at its end.
bool IsPointLine(std::string_view text);

}  // namespace skyvane
