#pragma once
// The classic monthly and yearly climatological summaries as plain text: a
// header naming the station and the units, one column-aligned line per day
// (per month in the yearly one) and the period's summary beneath. Every
// program surface that offers the report writes it with these functions.
#include <string>
#include <vector>

#include "core/climate/climate_display.h"
#include "core/climate/climate_types.h"

namespace skyvane::climate {

struct ReportHeading {
  std::string station;  // what the header names the station by
  DisplayUnits units;
  ClimateOptions options;  // the degree days' bases
};

// The month's report from its summary and its days (those of other months
// are left out).
std::string MonthReportText(const ReportHeading& heading, const Summary& month,
                            const std::vector<Summary>& days);
// The year's report from its summary and its months.
std::string YearReportText(const ReportHeading& heading, const Summary& year,
                           const std::vector<Summary>& months);

// The report of period ("YYYY-MM": a month, "YYYY": a year) from the tables;
// false when the tables hold no summary of that period.
bool ReportText(const ClimateTables& tables, const std::string& period,
                const ReportHeading& heading, std::string& text);

}  // namespace skyvane::climate
