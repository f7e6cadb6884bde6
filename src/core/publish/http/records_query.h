#pragma once
// GET /api/records: which stored records a request asks for, and the answer
// as a JSON array of record objects or as CSV.
#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/station/history_row.h"
#include "core/publish/reading_json.h"

namespace skyvane {

struct RecordsQuery {
  std::string start;  // recordTime texts: the records in [start, end]
  std::string end;
  std::vector<const ReadingKey*> keys;  // empty: every key of a record
  bool csv = false;
  std::size_t maxPoints = 0;  // thin evenly to at most this many; 0: all
};

// A time of the query ("2024-05-06T07:08:09" with or without seconds, a UTC
// offset or "Z"; "2024-05-06 07:08:09" local; "2024-05-06") as a stored time
// text in local time, between 1970 and 9999 (an offset that reaches past
// either end stops there). False when the text is none of these or names no
// day of the calendar.
bool ParseQueryTime(std::string_view text, std::string& recordTime);

// The parameters from, to, keys, format and max. Without from the last 24
// hours up to to (or now), without to everything from from on. False with a
// one-line reason for an unknown or repeated parameter or a value that does
// not parse.
bool ParseRecordsQuery(const std::vector<std::pair<std::string, std::string>>& params,
                       std::time_t now, RecordsQuery& query, std::string& error);

// Which rows of an answer are sent: all, or at most maxPoints picked evenly
// (the first and the last always among them), told one row at a time.
class RowPicker {
 public:
  RowPicker(std::size_t rows, std::size_t maxPoints);
  // True when the next row is to be sent.
  bool Take();

 private:
  std::size_t rows_, limit_;
  std::size_t next_ = 0;  // index of the next row
  std::size_t picked_ = 0;
};

// One record of the answer: a JSON record object (RecordJson, or "time" and
// the chosen keys), or a CSV line. Appended to out.
void AppendRecordJson(std::string& out, const HistoryRow& row, const RecordsQuery& query);
void AppendRecordCsv(std::string& out, const HistoryRow& row, const RecordsQuery& query);
// The CSV header line "time,<key>,...".
std::string RecordsCsvHead(const RecordsQuery& query);

}  // namespace skyvane
