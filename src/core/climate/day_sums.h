#pragma once
// The running sums of one day, to which rows can be added in any order (a
// download of older records adds to days long finished), and the summaries of
// days, months and years made from them.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/climate/climate_types.h"
#include "core/climate/row_values.h"

namespace skyvane::climate {

// Highest and lowest value with the time first reached, plus sum and count.
struct ValueSums {
  Extreme high, low;
  double sum = 0;
  long count = 0;
  void Add(double v, const std::string& time, const std::string& day);
};

struct DaySums {
  long records = 0;
  ValueSums temperature, humidity, pressure;
  double windSum = 0;
  long windCount = 0;
  Extreme gust;
  double east = 0, north = 0;  // wind-speed-weighted direction vector
  double directionWeight = 0;  // sum of the weights
  std::int64_t rainHundredths = 0;
  bool rainAny = false;

  void Add(const RowValues& row);
};

// Keeps candidate when it is higher (or lower) than best, or as high but
// earlier: the first occurrence wins whatever order the rows come in.
void KeepHigher(Extreme& best, const Extreme& candidate);
void KeepLower(Extreme& best, const Extreme& candidate);

// The summary of a day (date "YYYY-MM-DD").
Summary SummarizeDay(const std::string& date, const DaySums& sums, const ClimateOptions& options);

// Months or years from the days (oldest first): date is the day's date cut
// to 7 or 4 characters. Periods without days are left out.
std::vector<Summary> RollUp(const std::vector<Summary>& days, Period period,
                            const std::vector<const DaySums*>& sums);

// The records of the days whose date starts with prefix (empty: all).
Records RecordsOf(const std::vector<Summary>& days, const std::string& prefix);

// Whole degrees 0..359 of a direction vector; absent when it is zero against
// the weight that made it.
std::optional<int> DirectionOf(double east, double north, double weight);

}  // namespace skyvane::climate
