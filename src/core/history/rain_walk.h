#pragma once
// The walk behind the rain amounts: one target row against the rows stored
// before it, newest first, until the first one 30 days older. The older rows
// come in as samples (their four rain-relevant fields read once), so that the
// same walk serves a row array, the tail of the data file and the rows of a
// download that were finished a moment ago.
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "core/station/history_row.h"

namespace skyvane {

namespace rain {
// Rain values are one-decimal texts: the wrap test works on exact tenths of a
// millimetre, where binary fractions would turn "no rain" into a tiny fall.
inline constexpr std::int64_t kCounterWrapTenths = 196608;  // 65536 ticks of 0.3 mm
inline constexpr std::int64_t kLargestRiseTenths = 1536;    // 512 ticks between two records
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

// Computes the rain fields of one target. Give it the older rows newest first
// with Step until it returns false (or they run out), then call Finish.
class RainWalk {
 public:
  RainWalk(HistoryRow& target, std::int64_t targetTime);
  // False when the target has no rain value: nothing to walk.
  bool wanted() const { return valid_ && !stopped_; }
  // Takes the next older row; false once the walk has ended.
  bool Step(const RainSample& older) {
    if (!wanted()) return false;
    if (!older.hasRain) return true;  // changes nothing, not even the windows
    const std::int64_t dt = targetTime_ - older.time;
    if (first_) TakeFirst(older);
    // A window takes the sum while the row lies inside it, and once more at
    // the first row beyond it.
    if (dt < rain::kHour || hourOpen_) hour_ = sum_;
    hourOpen_ = hourOpen_ && dt < rain::kHour;
    if (dt < rain::kDay || dayOpen_) day_ = sum_;
    dayOpen_ = dayOpen_ && dt < rain::kDay;
    if (dt < rain::kWeek || weekOpen_) week_ = sum_;
    weekOpen_ = weekOpen_ && dt < rain::kWeek;
    month_ = sum_;
    if (dt >= rain::kMonth) {
      stopped_ = true;
      return false;
    }
    sum_ += older.increment;
    return true;
  }
  // Steps through [first, last) until the walk ends; false once it has.
  template <class It>
  bool StepAll(It first, It last) {
    for (; first != last && first_; ++first) {
      if (!Step(*first)) return false;
    }
    if (!wanted()) return false;
    // The same steps on local copies, which the compiler keeps in registers.
    float sum = sum_, hour = hour_, day = day_, week = week_, month = month_;
    bool hourOpen = hourOpen_, dayOpen = dayOpen_, weekOpen = weekOpen_;
    bool more = true;
    for (; first != last; ++first) {
      const RainSample& r = *first;
      if (!r.hasRain) continue;
      const std::int64_t dt = targetTime_ - r.time;
      if (dt < rain::kHour || hourOpen) hour = sum;
      hourOpen = hourOpen && dt < rain::kHour;
      if (dt < rain::kDay || dayOpen) day = sum;
      dayOpen = dayOpen && dt < rain::kDay;
      if (dt < rain::kWeek || weekOpen) week = sum;
      weekOpen = weekOpen && dt < rain::kWeek;
      month = sum;
      if (dt >= rain::kMonth) {
        more = false;
        break;
      }
      sum += r.increment;
    }
    sum_ = sum, hour_ = hour, day_ = day, week_ = week, month_ = month;
    hourOpen_ = hourOpen, dayOpen_ = dayOpen, weekOpen_ = weekOpen;
    stopped_ = !more;
    return more;
  }
  // Writes the rain fields; false when the target has no rain value.
  bool Finish();

 private:
  void TakeFirst(const RainSample& older);

  HistoryRow& target_;
  std::int64_t targetTime_;
  bool valid_ = false;
  bool stopped_ = false;
  bool first_ = true;
  std::int64_t targetTenths_ = 0;
  bool raised_ = false;
  std::int64_t incrementTenths_ = 0;
  double total_ = 0;
  float sum_ = 0;
  float hour_ = 0, day_ = 0, week_ = 0, month_ = 0;
  bool hourOpen_ = true, dayOpen_ = true, weekOpen_ = true;
};

}  // namespace skyvane
