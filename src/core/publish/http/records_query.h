#pragma once
// GET /api/records: which stored records a request asks for, and the answer
// as a JSON array of record objects or as CSV.
#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/history/history_table.h"
#include "core/publish/reading_json.h"

namespace skyvane {

// No request gets more records than this.
inline constexpr std::size_t kMaxRecordsPerRequest = 1000000;

struct RecordsQuery {
  std::string start;  // recordTime texts: the records in [start, end]
  std::string end;
  std::vector<const ReadingKey*> keys;  // empty: every key of a record
  bool csv = false;
  std::size_t maxPoints = 0;  // thin evenly to at most this many; 0: all
};

// A time of the query ("2024-05-06T07:08:09" with or without seconds, a UTC
// offset or "Z"; "2024-05-06 07:08:09" local; "2024-05-06") as a stored time
// text in local time. False when the text is none of these.
bool ParseQueryTime(std::string_view text, std::string& recordTime);

// The parameters from, to, keys, format and max. Without from the last 24
// hours up to to (or now), without to everything from from on. False with a
// one-line reason for an unknown or repeated parameter or a value that does
// not parse.
bool ParseRecordsQuery(const std::vector<std::pair<std::string, std::string>>& params,
                       std::time_t now, RecordsQuery& query, std::string& error);

// The indexes of the rows to answer with: all, or at most maxPoints picked
// evenly (the first and the last always among them), never more than
// kMaxRecordsPerRequest.
std::vector<std::size_t> PickRows(std::size_t rows, std::size_t maxPoints);

// The picked rows as a JSON array of record objects (RecordJson, or "time"
// and the chosen keys), oldest first.
std::string RecordsJson(const HistoryTable& rows, const std::vector<std::size_t>& picked,
                        const RecordsQuery& query);
// The same as CSV: a header line "time,<key>,..." and one line per record,
// an empty cell for a missing value.
std::string RecordsCsv(const HistoryTable& rows, const std::vector<std::size_t>& picked,
                       const RecordsQuery& query);

}  // namespace skyvane
