#pragma once
// The climate of the data file as the HTTP API gives it: the summaries at
// /api/summary?period=day|month|year&from=&to=, the records table at
// /api/extremes, today's values at /api/today. Base units (°C, %, hPa, m/s,
// mm); times ISO 8601 local with their offset, as the other answers give
// them; null where the file does not tell.
#include <ctime>
#include <string>
#include <string_view>

#include "core/climate/climate_book.h"
#include "core/publish/http/http_target.h"

namespace skyvane {

// True for a path answered here.
bool IsClimatePath(std::string_view path);

struct ClimateAnswer {
  unsigned status = 200;
  std::string body;  // the JSON (status 200) or the reason of a refusal
};

// Brings the book up to date with the data file and answers target (a path
// for which IsClimatePath holds) for the local time of now.
ClimateAnswer AnswerClimate(climate::ClimateBook& book, const std::string& dataPath,
                            const HttpTarget& target, std::time_t now);

}  // namespace skyvane
