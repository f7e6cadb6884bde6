#pragma once
// The climate's summaries, records and today's values as JSON and CSV, the
// numbers in base units (°C, %, hPa, m/s, mm, degrees) and the times ISO 8601
// local with their offset. The command line and the HTTP API both write these.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/climate/climate_types.h"

namespace skyvane {

// One key of a summary: its text (a number as written, a date or ISO time);
// empty when absent.
struct SummaryColumn {
  std::string_view key;
  bool quoted;  // a JSON string rather than a number
  std::string (*value)(const climate::Summary& s);
};

// The keys of a summary of the period: days have the first 20, months and
// years also their days, wettest day and rain-day counts.
std::span<const SummaryColumn> SummaryColumns(climate::Period period);

// An array of one object per summary.
std::string SummariesJson(const std::vector<climate::Summary>& summaries, climate::Period period);
// A header line of the keys, then one line per summary; CRLF-free, "\n" ends.
std::string SummariesCsv(const std::vector<climate::Summary>& summaries, climate::Period period);

// {"all_time":{...},"this_year":{...},"this_month":{...}}, each record an
// object {"value":..,"time":..} ({"value":..,"date":..} for the wettest day),
// null when there is none.
std::string RecordsJson(const climate::RecordsTable& records);

// Today's high and low with times, rain today and in the last hour, and the
// pressure trend over three hours with "rising", "steady" or "falling".
std::string TodayJson(const climate::TodayValues& today);

}  // namespace skyvane
