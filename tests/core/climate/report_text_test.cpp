// The monthly and yearly reports from hand-made summaries: whole reports
// against golden files, and the lines whose columns carry the edge cases.
#include "core/climate/report_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/golden.h"

namespace skyvane::climate {
namespace {

Extreme At(double value, const char* time) { return {value, time}; }

Summary Day(const char* date, double high, const char* highTime, double low, const char* lowTime,
            double rain) {
  Summary s;
  s.date = date;
  s.records = 288;
  s.temperatureHigh = At(high, highTime);
  s.temperatureLow = At(low, lowTime);
  s.temperatureMean = (high + low) / 2;
  s.humidityHigh = At(95, highTime);
  s.humidityLow = At(60, lowTime);
  s.humidityMean = 81.4;
  s.pressureHigh = At(1021.5, highTime);
  s.pressureLow = At(1003.2, lowTime);
  s.pressureMean = 1012.25;
  s.windSpeedMean = 3.4;
  s.gustHigh = At(14.3, highTime);
  s.directionDominant = 225;
  s.rain = rain;
  s.heatingDegreeDays = 18.3 - (high + low) / 2;
  s.coolingDegreeDays = 0.0;
  return s;
}

// A day of November, one with records but no value at all, one of December.
std::vector<Summary> Days() {
  Summary empty;
  empty.date = "2026-11-09";
  empty.records = 3;
  return {Day("2026-11-01", 12.4, "2026-11-01 14:05:00", 3.1, "2026-11-01 06:40:00", 0.0), empty,
          Day("2026-11-10", -0.5, "2026-11-10 00:05:00", -9.8, "2026-11-10 23:55:00", 12.3),
          Day("2026-12-01", 5.0, "2026-12-01 13:00:00", 1.0, "2026-12-01 03:00:00", 1.0)};
}

Summary Month(const char* date) {
  Summary s = Day(date, 12.4, "2026-11-01 14:05:00", -9.8, "2026-11-10 23:55:00", 12.3);
  s.date = date;
  s.records = 579;
  s.temperatureMean = 1.3;
  s.heatingDegreeDays = 34.85;
  s.days = 3;
  s.wettestDay = At(12.3, "2026-11-10");
  s.rainDays02 = 1;
  s.rainDays1 = 1;
  s.rainDays10 = 1;
  return s;
}

const ReportHeading kMetric{"Garden station", {}, {}};
const ReportHeading kImperial{"Garden station", {"°F", "inHg", "m/h", "inch"}, {}};

TEST(ReportText, WholeReportsAsTheGoldenFilesHoldThem) {
  test::ExpectGolden("reports/month_metric.txt", MonthReportText(kMetric, Month("2026-11"), Days()));
  Summary year = Month("2026");
  year.days = 4;
  test::ExpectGolden("reports/year_imperial.txt",
                     YearReportText(kImperial, year, {Month("2026-11"), Month("2026-12"), Month("2027-01")}));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

struct LineCase {
  const char* what;
  bool imperial, year;
  const char* line;
  bool present;
};

const LineCase kLines[] = {
    {"station", false, false, "Station: Garden station", true},
    {"title", false, false, "MONTHLY CLIMATOLOGICAL SUMMARY for NOV 2026", true},
    {"units", true, false, "Units: temperature °F, rain inch, wind m/h, pressure inHg", true},
    {"bases in °F", true, true, "Degree days: heating base 64.9 °F, cooling base 64.9 °F", true},
    {"day without a leading zero", false, false,
     "    1    7.8   12.4  14:05    3.1  06:40   10.6    0.0     0.0    3.4   14.3  14:05  225", true},
    {"a day of missing values", false, false,
     "    9    ---    ---    ---    ---    ---    ---    ---     ---    ---    ---    ---  ---", true},
    {"frost in °F, degree days scaled", true, false,
     "   10   22.7   31.1  00:05   14.4  23:55   42.2    0.0    0.48    7.6   32.0  00:05  225", true},
    {"the month beneath, extremes by day", false, false,
     "         1.3   12.4      1   -9.8     10   34.9    0.0    12.3    3.4   14.3      1  225", true},
    {"no day of another month", false, false, "    1    3.0", false},
    {"a month per line", false, true,
     "  NOV    1.3   12.4      1   -9.8     10   34.9    0.0    12.3    3.4   14.3      1  225", true},
    {"the year's extremes by month and day", false, true,
     "         1.3   12.4  11-01   -9.8  11-10   34.9    0.0    12.3    3.4   14.3  11-01  225", true},
    {"no month of another year", false, true, "  JAN", false},
    {"rain days", false, false, "Days with rain: 1 >= 0.2 mm, 1 >= 1 mm, 1 >= 10 mm", true},
    {"wettest day", true, false, "Wettest day: 0.48 inch on 2026-11-10", true},
};

TEST(ReportText, LinesCarryTheirColumns) {
  for (const LineCase& c : kLines) {
    const ReportHeading& h = c.imperial ? kImperial : kMetric;
    Summary year = Month("2026");
    const std::string text = c.year ? YearReportText(h, year, {Month("2026-11"), Month("2027-01")})
                                    : MonthReportText(h, Month("2026-11"), Days());
    const std::vector<std::string> lines = Lines(text);
    bool found = Has(lines, c.line);
    if (!c.present) {
      found = false;
      for (const std::string& line : lines) found = found || line.rfind(c.line, 0) == 0;
    }
    EXPECT_EQ(found, c.present) << c.what << "\n" << text;
  }
}

TEST(ReportText, PeriodsFoundInTheTables) {
  ClimateTables tables;
  tables.days = Days();
  tables.months = {Month("2026-11")};
  tables.years = {Month("2026")};
  tables.years.front().date = "2026";
  std::string text;
  EXPECT_TRUE(ReportText(tables, "2026-11", kMetric, text));
  EXPECT_EQ(text, MonthReportText(kMetric, tables.months.front(), tables.days));
  EXPECT_TRUE(ReportText(tables, "2026", kMetric, text));
  EXPECT_EQ(text, YearReportText(kMetric, tables.years.front(), tables.months));
  for (const char* missing : {"2026-10", "2025", "2026-11-01", "", "26"}) {
    text = "kept";
    EXPECT_FALSE(ReportText(tables, missing, kMetric, text)) << missing;
    EXPECT_EQ(text, "kept");
  }
}

}  // namespace
}  // namespace skyvane::climate
