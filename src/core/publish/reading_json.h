#pragma once
// The reading as JSON: one object for the live reading and one for each stored
// record, with the numbers in the station's base units (°C, %, hPa, m/s, mm,
// degrees) whatever units the user displays, and null for a missing reading
// (a "---" in the row, a rain window not yet known): never a made-up 0.
// Everything that publishes a reading (MQTT, the HTTP API, uploads) reads this.
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/monitor/alarm_evaluation.h"
#include "core/station/history_row.h"

namespace skyvane {

// One numeric key of the reading and what a consumer needs to describe it.
struct ReadingKey {
  std::string_view name;         // JSON key, e.g. "outdoor_temperature"
  int field;                     // HistoryRow field it comes from
  std::string_view unit;         // "°C", "%", "hPa", "m/s", "Bft", "°", "mm"
  std::string_view deviceClass;  // a Home Assistant sensor class; empty for none
  bool totalIncreasing;          // a running total rather than a measurement
};

// The numeric keys in their order in the JSON object ("wind_direction" in
// degrees included; "time", "wind_direction_name" and "alarms" are not numbers).
std::span<const ReadingKey> ReadingKeys();

// JSON key of lamp 1..23 ("indoor_temperature_high"); empty for other numbers.
std::string_view LampKey(int number);

// The value of a key in a row in base units; nothing when the reading is missing.
std::optional<double> ReadingValue(const HistoryRow& stored, const ReadingKey& key);

// ISO 8601 local time with its UTC offset: "2024-05-06T07:08:09+02:00".
std::string IsoLocalTime(std::time_t t);
// The same for a stored time text ("2024-05-06 07:08:09", local); empty when
// the text is no time.
std::string IsoLocalTime(std::string_view storedTime);

// The live reading: stored is the current record as the data file would keep
// it (derived values and rain windows filled), lamps the states of that cycle,
// readTime when it was read.
std::string CurrentReadingJson(const HistoryRow& stored, const LampStates& lamps,
                               std::time_t readTime);
// The same where the lamp states may not be known: each alarm "unknown" then.
std::string CurrentReadingJson(const HistoryRow& stored, const std::optional<LampStates>& lamps,
                               std::time_t readTime);

// A stored record (a data-file row): the same numeric keys with the rain
// windows as stored, plus "address", "sequence" and "interval"; "time" is its
// record time.
std::string RecordJson(const HistoryRow& stored);

// A JSON string literal for text (quotes and escapes included).
std::string JsonString(std::string_view text);
// A JSON number, in the shortest form that reads back as value; "null" for
// a value JSON cannot hold (NaN, infinity).
std::string JsonNumber(double value);

}  // namespace skyvane
