#pragma once
// The walk behind the rain amounts: one target row against the rows stored
// before it, newest first, until the first one 30 days older. The older rows
// come in as samples (their four rain-relevant fields read once), so that the
// same walk serves a row array, the tail of the data file and the rows of a
// download that were finished a moment ago.
#include <cstdint>
#include <ctime>
#include <string_view>

#include "core/history/history_row.h"

namespace skyvane {

namespace rain {
inline constexpr double kCounterWrap = 19660.8;  // 65536 ticks of 0.3 mm
inline constexpr double kLargestRise = 153.6;    // 512 ticks between two records
inline constexpr std::int64_t kHour = 3600;
inline constexpr std::int64_t kDay = 86400;
inline constexpr std::int64_t kWeek = 604800;
inline constexpr std::int64_t kMonth = 2592000;  // 30 days
}  // namespace rain

// Reads "%Y-%m-%d %H:%M:%S" texts as local time. Texts of 10 characters or
// fewer stand for 2000-01-01 00:00:00 as a start and for now as an end, as in
// the differences of recordTime everywhere else.
class LocalTimeReader {
 public:
  explicit LocalTimeReader(std::time_t now) : now_(now) {}
  std::int64_t StartTime(std::string_view text);
  std::int64_t EndTime(std::string_view text);

 private:
  std::int64_t Read(std::string_view text);
  std::time_t now_;
  // Rows come in time order: the local offset of the last hour read is kept.
  std::int64_t cachedHourKey_ = -1;
  std::int64_t cachedOffset_ = 0;
};

// What the walk reads from an older row.
struct RainSample {
  std::int64_t time = 0;  // recordTime as a start time
  bool hasRain = false;   // rain is neither empty nor "---"
  double rain = 0;
  float increment = 0;
  double total = 0;
};

RainSample MakeRainSample(std::string_view recordTime, std::string_view rain,
                          std::string_view increment, std::string_view total,
                          LocalTimeReader& times);
RainSample MakeRainSample(const HistoryRow& row, LocalTimeReader& times);

// The decimal number at the start of a text; 0 when there is none.
double LeadingNumber(std::string_view text);

// Computes the rain fields of one target. Give it the older rows newest first
// with Step until it returns false (or they run out), then call Finish.
class RainWalk {
 public:
  RainWalk(HistoryRow& target, std::int64_t targetTime);
  // False when the target has no rain value: nothing to walk.
  bool wanted() const { return valid_ && !stopped_; }
  // Takes the next older row; false once the walk has ended.
  bool Step(const RainSample& older);
  // Writes the rain fields; false when the target has no rain value.
  bool Finish();

 private:
  HistoryRow& target_;
  std::int64_t targetTime_;
  bool valid_ = false;
  bool stopped_ = false;
  bool first_ = true;
  double targetRain_ = 0;
  bool raised_ = false;
  double increment_ = 0;
  double total_ = 0;
  float sum_ = 0;
  float hour_ = 0, day_ = 0, week_ = 0, month_ = 0;
  bool hourOpen_ = true, dayOpen_ = true, weekOpen_ = true;
};

}  // namespace skyvane
