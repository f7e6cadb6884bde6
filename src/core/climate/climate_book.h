#pragma once
// ClimateBook: the climate of one data file, kept between calls. It holds a
// running sum per calendar day (a few hundred bytes a day, ten years fit in a
// megabyte) and the rows of the last three hours, so that a poller's cycle
// brings it up to date by reading only what was appended:
//  - the file's stamp unchanged: nothing is read;
//  - the same file grown, the bytes before the old end as they were: only the
//    appended lines are read, and each row is added to its own day (a
//    download of older records lands in the days it belongs to);
//  - anything else (a file cleared, rewritten, replaced): read again from the
//    start.
// All methods may be called from several threads; they take turns.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "core/climate/climate_types.h"
#include "core/climate/day_sums.h"

namespace skyvane::climate {

class RecentRows;
class ClimateSource;

class ClimateBook {
 public:
  explicit ClimateBook(ClimateOptions options = {});
  ~ClimateBook();
  ClimateBook(const ClimateBook&) = delete;
  ClimateBook& operator=(const ClimateBook&) = delete;

  // Brings the book up to date with the data file at path (see above). False
  // with a message in error when the file cannot be read; the book then keeps
  // what it held.
  bool Refresh(const std::string& path, std::string& error);

  // One summary per period with records whose date lies in range, oldest first.
  std::vector<Summary> Summaries(Period period, const DateRange& range) const;
  // The records of all time and of the year and month of now
  // ("YYYY-MM-DD HH:MM:SS" local time).
  RecordsTable Records(const std::string& now) const;
  // Today's high and low, rain today and in the last hour, the pressure trend
  // over three hours, for the day of now.
  TodayValues Today(const std::string& now) const;
  // Days, months and years in range and the records table, in one go.
  ClimateTables Tables(const DateRange& range, const std::string& now) const;

 private:
  const ClimateOptions options_;
  mutable std::mutex mutex_;
  std::unique_ptr<ClimateSource> source_;
  std::map<std::string, DaySums> days_;  // by "YYYY-MM-DD"
  std::unique_ptr<RecentRows> recent_;
};

// The options from Skyvane.ini in folder: [report] HeatingBase and CoolingBase
// in °C (a missing or unreadable value keeps 18.3) and StationName.
ClimateOptions LoadClimateOptions(const std::string& folder);

// One read of a data file: the tables for range and the records for now.
// False with a message in error when the file cannot be read.
bool ReadClimate(const std::string& path, const ClimateOptions& options, const DateRange& range,
                 const std::string& now, ClimateTables& tables, std::string& error);

// True for a bound of a DateRange: "YYYY", "YYYY-MM" or "YYYY-MM-DD" naming a
// real month or day.
bool IsDateBound(std::string_view text);

}  // namespace skyvane::climate
