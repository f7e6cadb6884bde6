#pragma once
// The classic monthly and yearly climatological summaries as plain text: one
// line per day (or month) under a header naming the station and the units,
// then the period's summary. Values are in the station's display units;
// columns are aligned for a fixed-width font.
#include <string>
#include <string_view>

#include "core/climate/climate_book.h"
#include "core/station/header_record.h"

namespace skyvane::climate {

// The display units a report is written in, as the station's header names
// them; a unit the header leaves empty is the base unit.
struct ReportUnits {
  std::string temperature = "°C", rain = "mm", pressure = "Hpa", wind = "m/s";
};
ReportUnits ReportUnitsOf(const HeaderRecord& header);

// The report of period ("YYYY-MM": a month, "YYYY": a year) from the book.
// A period without records gives the header and a line saying so. Empty for
// a period that is no month or year.
std::string ClimateReport(const ClimateBook& book, std::string_view period,
                          const ReportUnits& units, const ClimateOptions& options);

}  // namespace skyvane::climate
