#include "core/climate/climate_report.h"

#include <cstdio>
#include <vector>

#include "core/climate/climate_display.h"
#include "core/climate/climate_text.h"
#include "core/units/value_text.h"

namespace skyvane::climate {
namespace {

constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",
                                       "May",     "June",     "July",      "August",
                                       "September", "October", "November", "December"};

// Values of a report in its units, each with the decimals its unit needs:
// the desktop's texts of them, blank where a value is absent.
class Converter {
 public:
  Converter(const ReportUnits& units) : u_(units) {}
  std::string Temperature(std::optional<double> v) const { return Text(Measure::kTemperature, v); }
  std::string DegreeDays(std::optional<double> v) const { return Text(Measure::kDegreeDays, v); }
  std::string Rain(std::optional<double> v) const { return Text(Measure::kRain, v); }
  std::string Pressure(std::optional<double> v) const { return Text(Measure::kPressure, v); }
  std::string Wind(std::optional<double> v) const { return Text(Measure::kWindSpeed, v); }
  const ReportUnits& units() const { return u_; }

 private:
  std::string Text(Measure measure, std::optional<double> v) const {
    std::string text = ValueText(measure, v, u_);
    return text == kNoValue ? std::string() : text;
  }

  ReportUnits u_;
};

// Right-aligned columns; an absent value shows as "---".
class Line {
 public:
  Line& Cell(const std::string& text, int width) {
    const std::string shown = text.empty() ? "---" : text;
    if (static_cast<int>(shown.size()) < width) text_.append(static_cast<std::size_t>(width) - shown.size(), ' ');
    text_ += shown;
    return *this;
  }
  // A heading: shown as it is, blank when empty.
  Line& Head(const std::string& text, int width) {
    if (static_cast<int>(text.size()) < width) text_.append(static_cast<std::size_t>(width) - text.size(), ' ');
    text_ += text;
    return *this;
  }
  Line& Blank(int width) {
    text_.append(static_cast<std::size_t>(width), ' ');
    return *this;
  }
  std::string Done() {
    while (!text_.empty() && text_.back() == ' ') text_.pop_back();
    return text_ + "\n";
  }

 private:
  std::string text_;
};

std::string HourMinute(const Extreme& e) { return e.value ? e.time.substr(11, 5) : std::string(); }
std::string DayNumber(const Extreme& e) {
  return e.value ? std::to_string(std::stoi(e.day.substr(8, 2))) : std::string();
}
std::string DayMonth(const Extreme& e) {
  return e.value ? e.day.substr(5, 5) : std::string();
}
std::string Direction(const std::optional<int>& d) { return d ? std::to_string(*d) : std::string(); }
std::string Count(int n) { return std::to_string(n); }

std::string Header(const char* title, const std::string& period, const Converter& c,
                   const ClimateOptions& options) {
  const ReportUnits& u = c.units();
  std::string text = std::string(title) + " for " + period + "\n\n";
  text += "Station: " + options.stationName + "\n";
  text += "Units:   temperature " + std::string(UnitName(u.temperature)) + ", rain " +
          std::string(UnitName(u.rain)) + ", wind " + std::string(UnitName(u.wind)) +
          ", pressure " + std::string(UnitName(u.pressure)) + "\n";
  text += "Degree days: heating base " + c.Temperature(options.heatingBase) + ", cooling base " +
          c.Temperature(options.coolingBase) + " " + std::string(UnitName(u.temperature)) + "\n\n";
  return text;
}

// The lines below a month's or year's table, shared by both reports.
std::string Totals(const Summary& s, const Converter& c, const char* dayWord) {
  const ReportUnits& u = c.units();
  const std::string rain(UnitName(u.rain));
  const auto at = [&](const Extreme& e) {
    return std::string(dayWord) == "day" ? " on day " + DayNumber(e) : " on " + DayMonth(e);
  };
  std::string text;
  const std::string degrees = " " + std::string(UnitName(u.temperature));
  text += "Mean temperature:  " + c.Temperature(s.temperatureMean) + degrees + "\n";
  text += "Highest:           " + c.Temperature(s.temperatureHigh.value) + degrees + at(s.temperatureHigh) + "\n";
  text += "Lowest:            " + c.Temperature(s.temperatureLow.value) + degrees + at(s.temperatureLow) + "\n";
  text += "Rain:              " + c.Rain(s.rain) + " " + rain + "\n";
  if (s.wettestDay.value) {
    text += "Wettest day:       " + c.Rain(s.wettestDay.value) + " " + rain + at(s.wettestDay) + "\n";
  }
  text += "Days with rain:    " + Count(s.rainDays02) + " >= " + c.Rain(0.2) + ", " +
          Count(s.rainDays1) + " >= " + c.Rain(1.0) + ", " + Count(s.rainDays10) + " >= " +
          c.Rain(10.0) + " " + rain + "\n";
  text += "Highest gust:      " + c.Wind(s.gustHigh.value) + " " + std::string(UnitName(u.wind)) +
          (s.gustHigh.value ? at(s.gustHigh) : "") + "\n";
  text += "Pressure:          mean " + c.Pressure(s.pressureMean) + ", high " +
          c.Pressure(s.pressureHigh.value) + ", low " + c.Pressure(s.pressureLow.value) + " " +
          std::string(UnitName(u.pressure)) + "\n";
  text += "Days with records: " + Count(s.days) + "\n";
  return text;
}

// The columns of a day of the monthly report, or of the month's sums, whose
// extremes are told by when: their time of day, or their day.
Line& DayColumns(Line& line, const Summary& s, const Converter& c, std::string (*when)(const Extreme&)) {
  return line.Cell(c.Temperature(s.temperatureMean), 6)
      .Cell(c.Temperature(s.temperatureHigh.value), 8).Cell(when(s.temperatureHigh), 6)
      .Cell(c.Temperature(s.temperatureLow.value), 8).Cell(when(s.temperatureLow), 6)
      .Cell(c.DegreeDays(s.heatingDegreeDays), 6).Cell(c.DegreeDays(s.coolingDegreeDays), 6)
      .Cell(c.Rain(s.rain), 8).Cell(c.Wind(s.windSpeedMean), 7)
      .Cell(c.Wind(s.gustHigh.value), 8).Cell(when(s.gustHigh), 6)
      .Cell(Direction(s.directionDominant), 7);
}

// The columns of a month of the yearly report, or of the year's sums.
Line& MonthColumns(Line& line, const Summary& s, const Converter& c) {
  return line.Cell(c.Temperature(s.temperatureMean), 6)
      .Cell(c.Temperature(s.temperatureHigh.value), 8).Cell(DayMonth(s.temperatureHigh), 7)
      .Cell(c.Temperature(s.temperatureLow.value), 8).Cell(DayMonth(s.temperatureLow), 7)
      .Cell(c.DegreeDays(s.heatingDegreeDays), 7).Cell(c.DegreeDays(s.coolingDegreeDays), 7)
      .Cell(c.Rain(s.rain), 8).Cell(c.Rain(s.wettestDay.value), 7).Cell(DayMonth(s.wettestDay), 7)
      .Cell(Count(s.rainDays02), 7).Cell(Count(s.rainDays1), 6).Cell(Count(s.rainDays10), 7)
      .Cell(c.Wind(s.windSpeedMean), 7).Cell(c.Wind(s.gustHigh.value), 8)
      .Cell(DayMonth(s.gustHigh), 7).Cell(Direction(s.directionDominant), 6);
}

std::string MonthReport(const ClimateBook& book, const std::string& month, const Converter& c,
                        const ClimateOptions& options) {
  const int year = std::stoi(month.substr(0, 4));
  const int number = std::stoi(month.substr(5, 2));
  std::string text = Header("MONTHLY CLIMATOLOGICAL SUMMARY",
                            std::string(kMonthNames[number - 1]) + " " + month.substr(0, 4), c, options);
  const std::vector<Summary> days = book.Summaries(Period::kDay, DateRange{month, month});
  const std::vector<Summary> total = book.Summaries(Period::kMonth, DateRange{month, month});
  if (total.empty()) return text + "No records.\n";
  text += Line().Blank(4).Head("MEAN", 6).Blank(28).Head("HEAT", 6).Head("COOL", 6).Blank(8)
              .Head("AVG", 7).Blank(14).Head("DOM", 7).Done();
  text += Line().Head("DAY", 4).Head("TEMP", 6).Head("HIGH", 8).Head("TIME", 6).Head("LOW", 8)
              .Head("TIME", 6).Head("DEG", 6).Head("DEG", 6).Head("RAIN", 8).Head("WIND", 7)
              .Head("GUST", 8).Head("TIME", 6).Head("DIR", 7).Done();
  const std::string rule(85, '-');
  text += rule + "\n";
  static constexpr int kDaysIn[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int length = kDaysIn[number - 1] + (number == 2 && leap ? 1 : 0);
  std::size_t next = 0;
  for (int day = 1; day <= length; ++day) {
    char date[16];
    std::snprintf(date, sizeof date, "%s-%02d", month.c_str(), day);
    Line line;
    line.Cell(std::to_string(day), 4);
    if (next < days.size() && days[next].date == date) {
      DayColumns(line, days[next++], c, HourMinute);
    }
    text += line.Done();
  }
  text += rule + "\n";
  const Summary& s = total.front();
  Line sums;
  text += DayColumns(sums.Blank(4), s, c, DayNumber).Done();
  return text + "\n" + Totals(s, c, "day");
}

std::string YearReport(const ClimateBook& book, const std::string& year, const Converter& c,
                       const ClimateOptions& options) {
  std::string text = Header("YEARLY CLIMATOLOGICAL SUMMARY", year, c, options);
  const std::vector<Summary> months = book.Summaries(Period::kMonth, DateRange{year, year});
  const std::vector<Summary> total = book.Summaries(Period::kYear, DateRange{year, year});
  if (total.empty()) return text + "No records.\n";
  text += Line().Blank(4).Head("MEAN", 6).Blank(30).Head("HEAT", 7).Head("COOL", 7).Blank(8)
              .Head("MAX", 7).Blank(7).Head("DAYS OF RAIN", 20).Head("AVG", 7).Blank(15)
              .Head("DOM", 6).Done();
  text += Line().Head("MO", 4).Head("TEMP", 6).Head("HIGH", 8).Head("DATE", 7).Head("LOW", 8)
              .Head("DATE", 7).Head("DEG", 7).Head("DEG", 7).Head("RAIN", 8).Head("RAIN", 7)
              .Head("DATE", 7).Head(">=" + c.Rain(0.2), 7).Head(">=" + c.Rain(1.0), 6)
              .Head(">=" + c.Rain(10.0), 7).Head("WIND", 7).Head("GUST", 8).Head("DATE", 7)
              .Head("DIR", 6).Done();
  const std::string rule(120, '-');
  text += rule + "\n";
  std::size_t next = 0;
  for (int number = 1; number <= 12; ++number) {
    char month[16];
    std::snprintf(month, sizeof month, "%s-%02d", year.c_str(), number);
    Line line;
    line.Cell(month + 5, 4);
    if (next < months.size() && months[next].date == month) {
      MonthColumns(line, months[next++], c);
    }
    text += line.Done();
  }
  text += rule + "\n";
  const Summary& s = total.front();
  Line sums;
  text += MonthColumns(sums.Blank(4), s, c).Done();
  return text + "\n" + Totals(s, c, "date");
}

}  // namespace

ReportUnits ReportUnitsOf(const HeaderRecord& header) {
  ReportUnits u;
  const auto take = [&](int field, std::string& unit) {
    if (!header[field].empty()) unit = header[field];
  };
  take(hdr::kUnitOutdoorTemp, u.temperature);
  take(hdr::kUnitRain, u.rain);
  take(hdr::kUnitPressure, u.pressure);
  take(hdr::kUnitWind, u.wind);
  return u;
}

std::string ClimateReport(const ClimateBook& book, std::string_view period,
                          const ReportUnits& units, const ClimateOptions& options) {
  if ((period.size() != 4 && period.size() != 7) || !IsDateBound(period)) return std::string();
  const Converter converter(units);
  const std::string text(period);
  return period.size() == 7 ? MonthReport(book, text, converter, options)
                            : YearReport(book, text, converter, options);
}

}  // namespace skyvane::climate
