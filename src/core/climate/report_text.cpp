#include "core/climate/report_text.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "core/units/value_text.h"

namespace skyvane::climate {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// The columns of a report line, right-aligned in fixed widths.
struct Column {
  const char* top;
  const char* bottom;
  std::size_t width;
};

constexpr std::array<Column, 13> kColumns = {{{"", "", 5},
                                              {"MEAN", "TEMP", 7},
                                              {"", "HIGH", 7},
                                              {"", "", 7},
                                              {"", "LOW", 7},
                                              {"", "", 7},
                                              {"HEAT", "DEG", 7},
                                              {"COOL", "DEG", 7},
                                              {"", "RAIN", 8},
                                              {"MEAN", "WIND", 7},
                                              {"HIGH", "GUST", 7},
                                              {"", "", 7},
                                              {"DOM", "DIR", 5}}};

// The width of a text as it is seen: UTF-8 continuation bytes take no place.
std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Line(const std::array<std::string, kColumns.size()>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::size_t w = Width(cells[i]);
    if (w < kColumns[i].width) line.append(kColumns[i].width - w, ' ');
    line += cells[i];
  }
  return line + "\n";
}

std::string Rule() {
  std::size_t width = 0;
  for (const Column& c : kColumns) width += c.width;
  return std::string(width, '-') + "\n";
}

std::string HeaderLines(const char* rowCaption, const char* whenCaption) {
  std::array<std::string, kColumns.size()> top, bottom;
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    top[i] = kColumns[i].top;
    bottom[i] = kColumns[i].bottom;
  }
  bottom[0] = rowCaption;
  bottom[3] = bottom[5] = bottom[11] = whenCaption;
  return Line(top) + Line(bottom);
}

// The day of the month of a date "YYYY-MM-DD", without a leading zero.
std::string DayNumber(const std::string& date) {
  if (date.size() < 10) return kNoValue;
  return date[8] == '0' ? date.substr(9, 1) : date.substr(8, 2);
}

std::string MonthName(const std::string& date) {
  if (date.size() < 7) return kNoValue;
  const int month = (date[5] - '0') * 10 + (date[6] - '0');
  return month >= 1 && month <= 12 ? kMonthNames[static_cast<std::size_t>(month - 1)] : kNoValue;
}

// When an extreme was reached: the clock time within a day, the day of the
// month within a month, month and day within a year.
enum class When { kClock, kDay, kMonthDay };

std::string WhenText(const Extreme& e, When when) {
  if (!e.value) return kNoValue;
  switch (when) {
    case When::kClock: return ClockText(e.time);
    case When::kDay: return DayNumber(e.time);
    case When::kMonthDay: return e.time.size() >= 10 ? e.time.substr(5, 5) : kNoValue;
  }
  return kNoValue;
}

std::string DirectionText(const std::optional<int>& direction, const DisplayUnits& units) {
  return ValueText(Measure::kDirection,
                   direction ? std::optional<double>(*direction) : std::nullopt, units);
}

std::string SummaryLine(const std::string& first, const Summary& s, When when, const DisplayUnits& u) {
  return Line({first,
               ValueText(Measure::kTemperature, s.temperatureMean, u),
               ValueText(Measure::kTemperature, s.temperatureHigh.value, u),
               WhenText(s.temperatureHigh, when),
               ValueText(Measure::kTemperature, s.temperatureLow.value, u),
               WhenText(s.temperatureLow, when),
               ValueText(Measure::kDegreeDays, s.heatingDegreeDays, u),
               ValueText(Measure::kDegreeDays, s.coolingDegreeDays, u),
               ValueText(Measure::kRain, s.rain, u),
               ValueText(Measure::kWindSpeed, s.windSpeedMean, u),
               ValueText(Measure::kWindSpeed, s.gustHigh.value, u),
               WhenText(s.gustHigh, when),
               DirectionText(s.directionDominant, u)});
}

std::string Heading(const char* title, const std::string& period, const ReportHeading& h) {
  const DisplayUnits& u = h.units;
  std::string text = std::string(title) + " for " + period + "\n";
  text += "Station: " + h.station + "\n";
  text += "Units: temperature " + u.temperature + ", rain " + u.rain + ", wind " + u.wind +
          ", pressure " + u.pressure + "\n";
  text += "Degree days: heating base " +
          ValueText(Measure::kTemperature, h.options.heatingBase, u) + " " + u.temperature +
          ", cooling base " + ValueText(Measure::kTemperature, h.options.coolingBase, u) + " " +
          u.temperature + "\n\n";
  return text;
}

// What a month's or year's summary adds beneath its table.
std::string Footer(const Summary& s, const DisplayUnits& u) {
  std::string text = "Mean humidity: " + ValueText(Measure::kHumidity, s.humidityMean, u) + " %\n";
  text += "Relative pressure: mean " + ValueText(Measure::kPressure, s.pressureMean, u) + ", high " +
          ValueText(Measure::kPressure, s.pressureHigh.value, u) + " on " +
          (s.pressureHigh.value ? s.pressureHigh.time.substr(0, 10) : kNoValue) + ", low " +
          ValueText(Measure::kPressure, s.pressureLow.value, u) + " on " +
          (s.pressureLow.value ? s.pressureLow.time.substr(0, 10) : kNoValue) + " (" + u.pressure +
          ")\n";
  text += "Wettest day: " + ValueText(Measure::kRain, s.wettestDay.value, u) + " " + u.rain +
          " on " + (s.wettestDay.value ? s.wettestDay.time : kNoValue) + "\n";
  text += "Days with rain: " + std::to_string(s.rainDays02) + " >= 0.2 mm, " +
          std::to_string(s.rainDays1) + " >= 1 mm, " + std::to_string(s.rainDays10) + " >= 10 mm\n";
  text += "Days with records: " + std::to_string(s.days) + "\n";
  return text;
}

}  // namespace

std::string MonthReportText(const ReportHeading& heading, const Summary& month,
                            const std::vector<Summary>& days) {
  const std::string period = MonthName(month.date) + " " + month.date.substr(0, 4);
  std::string text = Heading("MONTHLY CLIMATOLOGICAL SUMMARY", period, heading);
  text += HeaderLines("DAY", "TIME") + Rule();
  const std::string prefix = month.date + "-";
  for (const Summary& day : days) {
    if (day.date.compare(0, prefix.size(), prefix) != 0) continue;
    text += SummaryLine(DayNumber(day.date), day, When::kClock, heading.units);
  }
  text += Rule() + SummaryLine("", month, When::kDay, heading.units) + "\n";
  return text + Footer(month, heading.units);
}

std::string YearReportText(const ReportHeading& heading, const Summary& year,
                           const std::vector<Summary>& months) {
  std::string text = Heading("YEARLY CLIMATOLOGICAL SUMMARY", year.date, heading);
  text += HeaderLines("MON", "DAY") + Rule();
  const std::string prefix = year.date + "-";
  for (const Summary& month : months) {
    if (month.date.compare(0, prefix.size(), prefix) != 0) continue;
    text += SummaryLine(MonthName(month.date), month, When::kDay, heading.units);
  }
  // The year's extremes are dated by month and day.
  text += Rule() + SummaryLine("", year, When::kMonthDay, heading.units) + "\n";
  return text + Footer(year, heading.units);
}

bool ReportText(const ClimateTables& tables, const std::string& period,
                const ReportHeading& heading, std::string& text) {
  const bool isMonth = period.size() == 7;
  const std::vector<Summary>& list = isMonth ? tables.months : tables.years;
  const auto it = std::find_if(list.begin(), list.end(), [&](const Summary& s) { return s.date == period; });
  if (it == list.end() || (period.size() != 4 && !isMonth)) return false;
  text = isMonth ? MonthReportText(heading, *it, tables.days) : YearReportText(heading, *it, tables.months);
  return true;
}

}  // namespace skyvane::climate
