#pragma once
// The Statistics window's texts in the three languages: title, tabs, the
// range and report controls, the columns of the summary tables and the rows
// and columns of the records table. Chosen by the language index when the
// window is created.
#include <QString>

#include <array>

namespace skyvane {

// The columns of the daily, monthly and yearly tables; the last four only in
// the monthly and yearly ones.
namespace statcol {
enum Column : int {
  kDate,
  kRecords,
  kTemperatureHigh,
  kTemperatureHighTime,
  kTemperatureLow,
  kTemperatureLowTime,
  kTemperatureMean,
  kHumidityHigh,
  kHumidityLow,
  kHumidityMean,
  kPressureHigh,
  kPressureLow,
  kPressureMean,
  kWindMean,
  kGustHigh,
  kGustHighTime,
  kDirection,
  kRain,
  kHeatingDegreeDays,
  kCoolingDegreeDays,
  kDayColumns,  // the daily table ends here
  kWettestDay = kDayColumns,
  kWettestDayDate,
  kRainDays02,
  kRainDays1,
  kRainDays10,
  kCount
};
}  // namespace statcol

// The rows of the records table.
enum class RecordRow : int {
  kTemperatureHigh,
  kTemperatureLow,
  kGustHigh,
  kWettestDay,
  kPressureHigh,
  kPressureLow,
};
inline constexpr int kRecordRowCount = 6;

struct StatisticsCaptions {
  QString title;
  QString daily, monthly, yearly, records;  // the tabs
  QString from, to, show;
  QString refresh, report, exportReport, close;
  QString reading;  // while the data file is read
  std::array<QString, statcol::kCount> columns;  // without their units
  std::array<QString, kRecordRowCount> recordRows;
  std::array<QString, 3> spans;  // all time, this year, this month
};

// English for an index outside 0..2.
const StatisticsCaptions& StatisticsCaptionsFor(int languageIndex);

}  // namespace skyvane
