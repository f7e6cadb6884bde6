#include "core/climate/day_sums.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skyvane::climate {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

std::optional<double> MeanOf(double sum, long count) {
  if (count == 0) return std::nullopt;
  return sum / static_cast<double>(count);
}

// Rain thresholds of the rain-day counts, in 0.01 mm.
constexpr std::int64_t kRainDay02 = 20, kRainDay1 = 100, kRainDay10 = 1000;

}  // namespace

void KeepHigher(Extreme& best, const Extreme& candidate) {
  if (!candidate.value) return;
  if (!best.value || *candidate.value > *best.value ||
      (*candidate.value == *best.value && candidate.time < best.time)) {
    best = candidate;
  }
}

void KeepLower(Extreme& best, const Extreme& candidate) {
  if (!candidate.value) return;
  if (!best.value || *candidate.value < *best.value ||
      (*candidate.value == *best.value && candidate.time < best.time)) {
    best = candidate;
  }
}

namespace {

// KeepHigher / KeepLower for a row's value, copying the texts only when the
// value is kept (a million rows pass through here).
void Consider(Extreme& best, double v, const std::string& time, const std::string& day, bool higher) {
  if (best.value) {
    if (higher ? v < *best.value : v > *best.value) return;
    if (v == *best.value && time >= best.time) return;
  }
  best.value = v;
  best.time = time;
  best.day = day;
}

}  // namespace

void ValueSums::Add(double v, const std::string& time, const std::string& day) {
  Consider(high, v, time, day, true);
  Consider(low, v, time, day, false);
  sum += v;
  ++count;
}

void DaySums::Add(const RowValues& row) {
  ++records;
  if (row.temperature) temperature.Add(*row.temperature, row.time, row.day);
  if (row.humidity) humidity.Add(*row.humidity, row.time, row.day);
  if (row.pressure) pressure.Add(*row.pressure, row.time, row.day);
  if (row.windSpeed) {
    windSum += *row.windSpeed;
    ++windCount;
    if (row.directionCode && *row.windSpeed > 0) {
      const double angle = *row.directionCode * 22.5 * kDegree;
      east += *row.windSpeed * std::sin(angle);
      north += *row.windSpeed * std::cos(angle);
      directionWeight += *row.windSpeed;
    }
  }
  if (row.gustSpeed) Consider(gust, *row.gustSpeed, row.time, row.day, true);
  if (row.rainHundredths) {
    rainHundredths += *row.rainHundredths;
    rainAny = true;
  }
}

std::optional<int> DirectionOf(double east, double north, double weight) {
  // Opposite directions cancel only up to rounding of sin and cos.
  if (weight <= 0 || std::hypot(east, north) <= weight * 1e-9) return std::nullopt;
  double degrees = std::atan2(east, north) / kDegree;
  if (!std::isfinite(degrees)) return std::nullopt;  // speeds beyond any wind
  if (degrees < 0) degrees += 360;
  const auto whole = static_cast<int>(std::lround(degrees));
  return whole >= 360 ? whole - 360 : whole;
}

Summary SummarizeDay(const std::string& date, const DaySums& sums, const ClimateOptions& options) {
  Summary s;
  s.date = date;
  s.records = sums.records;
  s.temperatureHigh = sums.temperature.high;
  s.temperatureLow = sums.temperature.low;
  s.temperatureMean = MeanOf(sums.temperature.sum, sums.temperature.count);
  s.humidityHigh = sums.humidity.high;
  s.humidityLow = sums.humidity.low;
  s.humidityMean = MeanOf(sums.humidity.sum, sums.humidity.count);
  s.pressureHigh = sums.pressure.high;
  s.pressureLow = sums.pressure.low;
  s.pressureMean = MeanOf(sums.pressure.sum, sums.pressure.count);
  s.windSpeedMean = MeanOf(sums.windSum, sums.windCount);
  s.gustHigh = sums.gust;
  s.directionDominant = DirectionOf(sums.east, sums.north, sums.directionWeight);
  if (sums.rainAny) s.rain = static_cast<double>(sums.rainHundredths) / 100.0;
  if (s.temperatureMean) {
    s.heatingDegreeDays = std::max(0.0, options.heatingBase - *s.temperatureMean);
    s.coolingDegreeDays = std::max(0.0, *s.temperatureMean - options.coolingBase);
  }
  return s;
}

namespace {

struct Rolling {
  Summary s;
  ValueSums temperatureMeans, humidityMeans, pressureMeans, windMeans;
  double east = 0, north = 0, weight = 0;
  std::int64_t rainHundredths = 0;
  bool rainAny = false;
  double heating = 0, cooling = 0;
  bool degreeDays = false;

  void Add(const Summary& day, const DaySums& sums) {
    ++s.days;
    s.records += day.records;
    KeepHigher(s.temperatureHigh, day.temperatureHigh);
    KeepLower(s.temperatureLow, day.temperatureLow);
    KeepHigher(s.humidityHigh, day.humidityHigh);
    KeepLower(s.humidityLow, day.humidityLow);
    KeepHigher(s.pressureHigh, day.pressureHigh);
    KeepLower(s.pressureLow, day.pressureLow);
    KeepHigher(s.gustHigh, day.gustHigh);
    if (day.temperatureMean) temperatureMeans.Add(*day.temperatureMean, day.date, day.date);
    if (day.humidityMean) humidityMeans.Add(*day.humidityMean, day.date, day.date);
    if (day.pressureMean) pressureMeans.Add(*day.pressureMean, day.date, day.date);
    if (day.windSpeedMean) windMeans.Add(*day.windSpeedMean, day.date, day.date);
    east += sums.east;
    north += sums.north;
    weight += sums.directionWeight;
    if (sums.rainAny) {
      rainAny = true;
      rainHundredths += sums.rainHundredths;
      KeepHigher(s.wettestDay, Extreme{day.rain, day.date, day.date});
      s.rainDays02 += sums.rainHundredths >= kRainDay02;
      s.rainDays1 += sums.rainHundredths >= kRainDay1;
      s.rainDays10 += sums.rainHundredths >= kRainDay10;
    }
    if (day.heatingDegreeDays) {
      degreeDays = true;
      heating += *day.heatingDegreeDays;
      cooling += *day.coolingDegreeDays;
    }
  }

  Summary Finish() {
    s.temperatureMean = MeanOf(temperatureMeans.sum, temperatureMeans.count);
    s.humidityMean = MeanOf(humidityMeans.sum, humidityMeans.count);
    s.pressureMean = MeanOf(pressureMeans.sum, pressureMeans.count);
    s.windSpeedMean = MeanOf(windMeans.sum, windMeans.count);
    s.directionDominant = DirectionOf(east, north, weight);
    if (rainAny) s.rain = static_cast<double>(rainHundredths) / 100.0;
    if (degreeDays) {
      s.heatingDegreeDays = heating;
      s.coolingDegreeDays = cooling;
    }
    return s;
  }
};

}  // namespace

std::vector<Summary> RollUp(const std::vector<Summary>& days, Period period,
                            const std::vector<const DaySums*>& sums) {
  const std::size_t width = period == Period::kMonth ? 7 : 4;
  std::vector<Summary> out;
  if (period == Period::kDay) return days;
  Rolling rolling;
  for (std::size_t i = 0; i < days.size(); ++i) {
    const std::string key = days[i].date.substr(0, width);
    if (rolling.s.days > 0 && rolling.s.date != key) {
      out.push_back(rolling.Finish());
      rolling = Rolling{};
    }
    rolling.s.date = key;
    rolling.Add(days[i], *sums[i]);
  }
  if (rolling.s.days > 0) out.push_back(rolling.Finish());
  return out;
}

Records RecordsOf(const std::vector<Summary>& days, const std::string& prefix) {
  Records r;
  for (const Summary& day : days) {
    if (day.date.compare(0, prefix.size(), prefix) != 0) continue;
    KeepHigher(r.temperatureHigh, day.temperatureHigh);
    KeepLower(r.temperatureLow, day.temperatureLow);
    KeepHigher(r.gustHigh, day.gustHigh);
    if (day.rain) KeepHigher(r.wettestDay, Extreme{day.rain, day.date, day.date});
    KeepHigher(r.pressureHigh, day.pressureHigh);
    KeepLower(r.pressureLow, day.pressureLow);
  }
  return r;
}

}  // namespace skyvane::climate
