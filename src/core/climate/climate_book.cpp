#include "core/climate/climate_book.h"

#include <filesystem>

#include "core/app/app_settings.h"
#include "core/app/ini_file.h"
#include "core/climate/climate_source.h"
#include "core/climate/recent_rows.h"

namespace skyvane::climate {
namespace {

bool InRange(const std::string& date, const DateRange& range) {
  return date >= range.from && date.compare(0, range.to.size(), range.to) <= 0;
}

}  // namespace

ClimateBook::ClimateBook(ClimateOptions options)
    : options_(options), source_(std::make_unique<ClimateSource>()),
      recent_(std::make_unique<RecentRows>()) {}

ClimateBook::~ClimateBook() = default;

bool ClimateBook::Refresh(const std::string& path, std::string& error) {
  std::lock_guard lock(mutex_);
  // A read from the start fills fresh tables, which replace the book's only
  // when the read succeeded.
  std::map<std::string, DaySums> freshDays;
  RecentRows freshRecent;
  bool fromStart = false;
  RowValues values;
  const auto onReset = [&] {
    freshDays.clear();
    freshRecent.Clear();
    fromStart = true;
  };
  const auto onRow = [&](const HistoryTable::FieldViews& fields) {
    if (!ReadRowValues(fields, values)) return;
    (fromStart ? freshDays : days_)[values.day].Add(values);
    (fromStart ? freshRecent : *recent_).Add(values);
  };
  switch (source_->Update(path, onReset, onRow, error)) {
    case ClimateSource::Read::kFailed:
      return false;
    case ClimateSource::Read::kAll:
      days_ = std::move(freshDays);
      *recent_ = std::move(freshRecent);
      return true;
    default:
      return true;
  }
}

std::vector<Summary> ClimateBook::Summaries(Period period, const DateRange& range) const {
  std::lock_guard lock(mutex_);
  std::vector<Summary> days;
  std::vector<const DaySums*> sums;
  for (auto it = days_.lower_bound(range.from); it != days_.end(); ++it) {
    if (!InRange(it->first, range)) break;
    days.push_back(SummarizeDay(it->first, it->second, options_));
    sums.push_back(&it->second);
  }
  return RollUp(days, period, sums);
}

RecordsTable ClimateBook::Records(const std::string& now) const {
  std::string today;
  std::int64_t seconds = 0;
  if (!DayOfTime(now, today, seconds)) today.clear();
  const std::vector<Summary> days = Summaries(Period::kDay, DateRange{});
  RecordsTable table;
  table.allTime = RecordsOf(days, "");
  if (!today.empty()) {
    table.thisYear = RecordsOf(days, today.substr(0, 4));
    table.thisMonth = RecordsOf(days, today.substr(0, 7));
  }
  return table;
}

TodayValues ClimateBook::Today(const std::string& now) const {
  TodayValues today;
  std::int64_t seconds = 0;
  if (!DayOfTime(now, today.date, seconds)) {
    today.date.clear();
    return today;
  }
  std::lock_guard lock(mutex_);
  const auto day = days_.find(today.date);
  if (day != days_.end()) {
    const Summary s = SummarizeDay(day->first, day->second, options_);
    today.temperatureHigh = s.temperatureHigh;
    today.temperatureLow = s.temperatureLow;
    today.rainToday = s.rain;
  }
  today.rainLastHour = recent_->RainLastHour(seconds);
  today.pressureTrend = recent_->PressureTrend(seconds, today.trend);
  return today;
}

ClimateTables ClimateBook::Tables(const DateRange& range, const std::string& now) const {
  ClimateTables tables;
  tables.days = Summaries(Period::kDay, range);
  tables.months = Summaries(Period::kMonth, range);
  tables.years = Summaries(Period::kYear, range);
  tables.records = Records(now);
  return tables;
}

ClimateOptions LoadClimateOptions(const std::string& folder) {
  const IniFile ini(std::filesystem::path(folder) / kSettingsFileName);
  ClimateOptions options;
  const auto base = [&](const char* key, double& value) {
    const auto number = FieldNumber(ini.GetString("report", key, "", 32));
    if (number && *number > -100 && *number < 100) value = *number;
  };
  base("HeatingBase", options.heatingBase);
  base("CoolingBase", options.coolingBase);
  const std::string name = ini.GetString("report", "StationName", "", 61);
  if (!name.empty()) options.stationName = name;
  return options;
}

bool ReadClimate(const std::string& path, const ClimateOptions& options, const DateRange& range,
                 const std::string& now, ClimateTables& tables, std::string& error) {
  ClimateBook book(options);
  if (!book.Refresh(path, error)) return false;
  tables = book.Tables(range, now);
  return true;
}

bool IsDateBound(std::string_view text) {
  std::string day;
  std::int64_t seconds = 0;
  if (text.size() != 4 && text.size() != 7 && text.size() != 10) return false;
  std::string full(text);
  full += std::string_view("0000-01-01").substr(text.size());
  return DayOfTime(full + " 12:00:00", day, seconds) && day == full;
}

}  // namespace skyvane::climate
