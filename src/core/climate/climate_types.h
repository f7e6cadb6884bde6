#pragma once
// The station's climate as the data file holds it: one summary per calendar
// day, month and year, the records table and the running day's values. Every
// view (command line, dashboard, reports, MQTT, desktop) shows these numbers,
// so they are computed once, here. Values are in the station's base units
// (°C, %, hPa, m/s, mm); times are "YYYY-MM-DD HH:MM:SS" local time as stored.
#include <optional>
#include <string>
#include <vector>

namespace skyvane::climate {

// A highest or lowest value with the time it was first reached.
struct Extreme {
  std::optional<double> value;  // absent: no record had the value
  std::string time;             // first occurrence; empty while absent
  std::string day;              // "YYYY-MM-DD" the time belongs to (00:00:00: the day before)
};

enum class Period { kDay, kMonth, kYear };

// One day, month or year. A record belongs to the day of (recordTime − 1 s), so
// a record stamped 00:00:00 closes the day before. Missing values ("---") are
// left out of every figure, never counted as 0. A period without records has
// no summary at all.
struct Summary {
  std::string date;  // "YYYY-MM-DD", "YYYY-MM" or "YYYY"
  long records = 0;
  Extreme temperatureHigh, temperatureLow;
  std::optional<double> temperatureMean;  // a month's or year's: mean of the daily means
  Extreme humidityHigh, humidityLow;
  std::optional<double> humidityMean;
  Extreme pressureHigh, pressureLow;  // relative pressure
  std::optional<double> pressureMean;
  std::optional<double> windSpeedMean;
  Extreme gustHigh;
  // Direction of the vector sum of the records' directions weighted by their
  // wind speed, whole degrees 0..359; absent when that sum is zero.
  std::optional<int> directionDominant;
  std::optional<double> rain;  // sum of the rain increments
  // From the daily mean temperature against the bases; sums for months and years.
  std::optional<double> heatingDegreeDays, coolingDegreeDays;

  // Months and years only (days: zero and empty).
  int days = 0;               // days with records
  Extreme wettestDay;         // its time and day are the date "YYYY-MM-DD"
  int rainDays02 = 0;         // days with rain ≥ 0.2 mm
  int rainDays1 = 0;          // ≥ 1 mm
  int rainDays10 = 0;         // ≥ 10 mm
};

// The records of one span (all time, this year, this month).
struct Records {
  Extreme temperatureHigh, temperatureLow;
  Extreme gustHigh;
  Extreme wettestDay;  // time and day: the date "YYYY-MM-DD"
  Extreme pressureHigh, pressureLow;
};

struct RecordsTable {
  Records allTime, thisYear, thisMonth;
};

enum class Trend { kUnknown, kFalling, kSteady, kRising };

// The running day as far as the file holds it.
struct TodayValues {
  std::string date;  // "YYYY-MM-DD" of the running day
  Extreme temperatureHigh, temperatureLow;
  std::optional<double> rainToday;     // since midnight
  std::optional<double> rainLastHour;  // the records of the last 60 minutes
  // Relative pressure now minus three hours before; absent without a record
  // near both ends.
  std::optional<double> pressureTrend;
  Trend trend = Trend::kUnknown;
};

// The bases of the heating and cooling degree days, °C, and the station's
// name in the reports' headers.
struct ClimateOptions {
  double heatingBase = 18.3;  // 65 °F
  double coolingBase = 18.3;
  std::string stationName = "Skyvane weather station";
};

// A date range of summaries: empty texts mean open ends. Dates are
// "YYYY-MM-DD" (or a prefix of it: "2026-11" is the whole month).
struct DateRange {
  std::string from, to;
};

// What a caller gets: the tables, or a reason why the file could not be read.
struct ClimateTables {
  std::vector<Summary> days, months, years;
  RecordsTable records;
};

}  // namespace skyvane::climate
