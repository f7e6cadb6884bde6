#include "core/history/history_grid.h"

#include <array>

#include "core/history/history_file.h"
#include "core/units/timestamps.h"
#include "core/units/value_text.h"

namespace skyvane {

namespace {

// How a column's cell is made from its row field.
enum class Shown {
  kNumber,              // the row's place in the grid, from 1
  kTime,                // the display form of the time
  kStored,              // the stored text unchanged
  kIndoorTemperature,   // from °C to the indoor temperature unit
  kOutdoorTemperature,  // from °C to the outdoor temperature unit
  kPressure,            // from Hpa to the pressure unit
  kWind,                // from m/s to the wind unit
  kRain,                // from mm to the rain unit
};

// How a column's header is made: a fixed text, or a text table entry with a
// fixed or unit suffix.
enum class Suffix { kNone, kFixed, kIndoorTemperature, kOutdoorTemperature, kPressure, kWind, kRain };

struct ColumnSpec {
  int field;
  Shown shown;
  int width;
  const char* fixedHeader;  // the whole header when not null
  Txt entry;
  Suffix suffix;
  const char* fixedSuffix;  // "(mi)", "(%)", ...
};

constexpr ColumnSpec Fixed(int field, const char* header) {
  return {field, Shown::kStored, 0, header, Txt::Time, Suffix::kNone, nullptr};
}

constexpr std::array<ColumnSpec, gridcol::kCount> kColumns{{
    {-1, Shown::kNumber, 40, "No", Txt::Time, Suffix::kNone, nullptr},
    {row::recordTime, Shown::kTime, 120, nullptr, Txt::Time, Suffix::kNone, nullptr},
    {row::interval, Shown::kStored, 90, nullptr, Txt::Interval, Suffix::kFixed, "(mi)"},
    {row::indoorHumidity, Shown::kStored, 180, nullptr, Txt::IndoorHumidity, Suffix::kFixed, "(%)"},
    {row::indoorTemperature, Shown::kIndoorTemperature, 180, nullptr, Txt::IndoorTemperature,
     Suffix::kIndoorTemperature, nullptr},
    {row::outdoorHumidity, Shown::kStored, 180, nullptr, Txt::OutdoorHumidity, Suffix::kFixed, "(%)"},
    {row::outdoorTemperature, Shown::kOutdoorTemperature, 150, nullptr, Txt::OutdoorTemperature,
     Suffix::kOutdoorTemperature, nullptr},
    {row::absolutePressure, Shown::kPressure, 150, nullptr, Txt::AbsolutePressure, Suffix::kPressure,
     nullptr},
    {row::windSpeed, Shown::kWind, 100, nullptr, Txt::Wind, Suffix::kWind, nullptr},
    {row::gustSpeed, Shown::kWind, 100, nullptr, Txt::Gust, Suffix::kWind, nullptr},
    {row::directionName, Shown::kStored, 80, nullptr, Txt::Direction, Suffix::kNone, nullptr},
    {row::relativePressure, Shown::kPressure, 150, nullptr, Txt::RelativePressure, Suffix::kPressure,
     nullptr},
    {row::dewPoint, Shown::kOutdoorTemperature, 100, nullptr, Txt::Dewpoint,
     Suffix::kOutdoorTemperature, nullptr},
    {row::windChill, Shown::kOutdoorTemperature, 150, nullptr, Txt::Windchill,
     Suffix::kOutdoorTemperature, nullptr},
    {row::rainHour, Shown::kRain, 150, nullptr, Txt::HourRainfall, Suffix::kRain, nullptr},
    {row::rain24h, Shown::kRain, 180, nullptr, Txt::Rainfall24Hour, Suffix::kRain, nullptr},
    {row::rainWeek, Shown::kRain, 150, nullptr, Txt::WeekRainfall, Suffix::kRain, nullptr},
    {row::rainMonth, Shown::kRain, 180, nullptr, Txt::MonthRainfall, Suffix::kRain, nullptr},
    {row::rainTotal, Shown::kRain, 180, nullptr, Txt::TotalRainfall, Suffix::kRain, nullptr},
    {row::windLevel, Shown::kStored, 120, nullptr, Txt::WindLevel, Suffix::kFixed, "(bft)"},
    {row::gustLevel, Shown::kStored, 150, nullptr, Txt::GustLevel, Suffix::kFixed, "(bft)"},
    Fixed(row::windDir, "windDir"),
    {row::rainCounter, Shown::kStored, 0, nullptr, Txt::Rain, Suffix::kFixed, "(Hz)"},
    {row::rain, Shown::kRain, 0, nullptr, Txt::Rain, Suffix::kRain, nullptr},
    {row::rainIncrement, Shown::kRain, 0, nullptr, Txt::Increment, Suffix::kRain, nullptr},
    Fixed(row::flag1, "flag1"),
    Fixed(row::flag1 + 1, "flag2"),
    Fixed(row::flag1 + 2, "flag3"),
    Fixed(row::flag1 + 3, "flag4"),
    Fixed(row::flag1 + 4, "flag5"),
    Fixed(row::flag1 + 5, "flag6"),
    Fixed(row::flag1 + 6, "flag7"),
    Fixed(row::flag1 + 7, "flag8"),
    Fixed(row::saveTime, "saveTime"),
}};

constexpr const char* kCelsius = "°C";
constexpr const char* kHpa = "Hpa";
constexpr const char* kMetresPerSecond = "m/s";
constexpr const char* kMillimetres = "mm";

bool InGrid(int column) { return column >= 0 && column < gridcol::kCount; }

}  // namespace

int GridDefaultWidth(int column) { return InGrid(column) ? kColumns[column].width : 0; }

std::vector<int> GridDefaultWidths() {
  std::vector<int> widths;
  for (const ColumnSpec& c : kColumns) widths.push_back(c.width);
  return widths;
}

std::vector<ExportColumn> VisibleColumns(const std::vector<int>& widths) {
  std::vector<ExportColumn> columns;
  for (int c = 0; c < gridcol::kCount && c < static_cast<int>(widths.size()); ++c) {
    if (widths[c] > 0) columns.push_back(ExportColumn::AtGridColumn(c));
  }
  return columns;
}

HistoryGrid::HistoryGrid(const TextTable& text, const HeaderRecord& units)
    : text_(text), units_(units), timeFormat_(text.Text(Txt::TimestampFormat)) {
  BuildHeaders();
}

void HistoryGrid::SetUnits(const HeaderRecord& units) {
  units_ = units;
  BuildHeaders();
}

void HistoryGrid::BuildHeaders() {
  headers_.clear();
  for (const ColumnSpec& c : kColumns) {
    if (c.fixedHeader != nullptr) {
      headers_.emplace_back(c.fixedHeader);
      continue;
    }
    std::string header(text_.Text(c.entry));
    switch (c.suffix) {
      case Suffix::kNone: break;
      case Suffix::kFixed: header += c.fixedSuffix; break;
      case Suffix::kIndoorTemperature: header += "(" + units_[hdr::kUnitIndoorTemp] + ")"; break;
      case Suffix::kOutdoorTemperature: header += "(" + units_[hdr::kUnitOutdoorTemp] + ")"; break;
      case Suffix::kPressure: header += "(" + units_[hdr::kUnitPressure] + ")"; break;
      case Suffix::kWind: header += "(" + units_[hdr::kUnitWind] + ")"; break;
      case Suffix::kRain: header += "(" + units_[hdr::kUnitRain] + ")"; break;
    }
    headers_.push_back(std::move(header));
  }
}

std::string HistoryGrid::Header(int column) const {
  return InGrid(column) ? headers_[column] : std::string();
}

std::string HistoryGrid::Cell(std::size_t rowIndex, int column) const {
  if (!InGrid(column) || rowIndex >= rows_.size()) return {};
  const ColumnSpec& c = kColumns[column];
  if (c.shown == Shown::kNumber) return std::to_string(before_ + rowIndex + 1);
  const std::string value(rows_.Field(rowIndex, c.field));
  switch (c.shown) {
    case Shown::kTime: return TimestampDisplayText(value, timeFormat_);
    case Shown::kIndoorTemperature:
      return TemperatureText(value, 1.0f, kCelsius, units_[hdr::kUnitIndoorTemp]);
    case Shown::kOutdoorTemperature:
      return TemperatureText(value, 1.0f, kCelsius, units_[hdr::kUnitOutdoorTemp]);
    case Shown::kPressure: return PressureText(value, 1.0f, kHpa, units_[hdr::kUnitPressure]);
    case Shown::kWind: return WindSpeedText(value, 1.0f, kMetresPerSecond, units_[hdr::kUnitWind]);
    case Shown::kRain: return RainText(value, 1.0f, kMillimetres, units_[hdr::kUnitRain]);
    default: return value;
  }
}

int SearchToGrid(HistoryFile& file, HistoryGrid& grid, const std::string& start,
                 const std::string& end) {
  return file.SearchToGrid(grid.Rows(), start, end);
}

}  // namespace skyvane
