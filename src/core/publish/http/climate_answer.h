#pragma once
// The climate on the HTTP server: GET /api/summary?period=day|month|year
// &from=&to=, /api/extremes, /api/today, /reports/YYYY-MM.txt and
// /reports/YYYY.txt. The answers come from one ClimateBook the server keeps,
// brought up to date with the data file on each request (only what was
// appended is read).
#include <string>

#include "core/climate/climate_book.h"
#include "core/climate/climate_report.h"
#include "core/publish/http/http_target.h"
#include "core/station/header_record.h"

namespace skyvane {

struct ClimateQuery {
  enum class Kind { kSummary, kExtremes, kToday, kReport } kind = Kind::kSummary;
  climate::Period period = climate::Period::kDay;
  climate::DateRange range;
  std::string report;  // "YYYY-MM" or "YYYY"
};

enum class ClimateRoute { kNotClimate, kQuery, kBad };

// Which climate answer target asks for. kBad with a one-line reason for a
// climate path with unknown, repeated or bad parameters (or a report that
// names no month or year).
ClimateRoute ParseClimateTarget(const HttpTarget& target, ClimateQuery& query, std::string& error);

struct ClimateAnswer {
  unsigned status = 200;
  std::string contentType;
  std::string body;
};

// Refreshes the book from the data file at path and answers query; a file
// that cannot be read gives a 500 with a JSON error. now: the local time text
// of the request ("this year", "today").
ClimateAnswer AnswerClimate(climate::ClimateBook& book, const std::string& path,
                            const ClimateQuery& query, const climate::ReportUnits& units,
                            const climate::ClimateOptions& options, const std::string& now);

}  // namespace skyvane
