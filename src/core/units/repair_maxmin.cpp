#include "core/units/repair_maxmin.h"

#include "core/units/conversions.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

struct Range {
  double low;
  double high;
  bool Excludes(int v) const { return v < low || v > high; }
};

// Rain maxima: 16-bit counts of tenths, the month and total 20-bit.
constexpr int kRainLimit16 = 65534;
constexpr int kRainLimitMonth = 1048574;
constexpr int kRainLimitTotal = 1048575;  // this value itself is already implausible
constexpr int kWindLimit = 500;           // compared with the shown number in any unit

class Repair {
 public:
  Repair(MaxMinRecord& maxmin, const HistoryRow& current)
      : out_(maxmin), before_(maxmin), current_(current) {}

  // Integer part of a value as it was before this run.
  int Before(int field) const { return IntegerValue(before_[field]); }
  int Current(int rowField) const { return IntegerValue(current_[rowField]); }

  void TakeIf(bool replace, int field, int rowField) {
    if (!replace || before_[field].empty()) return;
    out_[field] = current_[rowField];
    out_[field + mm::kTimeOffset] = current_[row::recordTime];
  }

  void Humidity(int maxField, int rowField) {
    const int max = Before(maxField), min = Before(maxField + 1);
    const bool reading = Current(rowField) > 0;
    TakeIf(reading && (max < 1 || max > 99), maxField, rowField);
    TakeIf(reading && (min < 1 || min > 99 || max < min), maxField + 1, rowField);
  }

  void Temperature(int maxField, int rowField, Range range) {
    const int max = Before(maxField), min = Before(maxField + 1);
    TakeIf(range.Excludes(max), maxField, rowField);
    TakeIf(range.Excludes(min) || max < min, maxField + 1, rowField);
  }

  void Pressure(int maxField, int rowField, Range range) {
    const int max = Before(maxField), min = Before(maxField + 1);
    const bool reading = Current(rowField) > 0;
    TakeIf(reading && range.Excludes(max), maxField, rowField);
    TakeIf(reading && (range.Excludes(min) || max < min), maxField + 1, rowField);
  }

  void Wind(int maxField, int rowField, double low) {
    const int max = Before(maxField);
    TakeIf(Current(rowField) > 0 && (max < low || max > kWindLimit), maxField, rowField);
  }

  void Rain(int maxField, int rowField, bool (*implausible)(int)) {
    TakeIf(Current(rowField) > 0 && implausible(Before(maxField)), maxField, rowField);
  }

 private:
  MaxMinRecord& out_;
  const MaxMinRecord before_;
  const HistoryRow& current_;
};

Range TemperatureRange(const std::string& unit, double factor) {
  return {factor * TemperatureFromStation(-40.0f, 1.0f, unit),
          factor * TemperatureFromStation(60.0f, 1.0f, unit)};
}

}  // namespace

bool RepairMaxMin(MaxMinRecord& maxmin, const HeaderRecord& header, const HistoryRow& current) {
  using namespace mm;
  Repair repair(maxmin, current);
  const Range indoor = TemperatureRange(header[hdr::kUnitIndoorTemp], 1.0);
  const Range outdoor = TemperatureRange(header[hdr::kUnitOutdoorTemp], 1.0);
  const Range derived = TemperatureRange(header[hdr::kUnitOutdoorTemp], 2.0);
  const std::string& pressureUnit = header[hdr::kUnitPressure];
  const Range pressure{PressureFromStation(500.0f, 1.0f, pressureUnit),
                       PressureFromStation(1100.0f, 1.0f, pressureUnit)};
  const double windLow = WindSpeedFromStation(0.0f, 1.0f, header[hdr::kUnitWind]);

  repair.Humidity(kIndoorHumidityMax, row::indoorHumidity);
  repair.Humidity(kOutdoorHumidityMax, row::outdoorHumidity);
  repair.Temperature(kIndoorTempMax, row::indoorTemperature, indoor);
  repair.Temperature(kOutdoorTempMax, row::outdoorTemperature, outdoor);
  repair.Temperature(kWindChillMax, row::windChill, derived);
  repair.Temperature(kDewPointMax, row::dewPoint, derived);
  repair.Pressure(kAbsPressureMax, row::absolutePressure, pressure);
  repair.Pressure(kRelPressureMax, row::relativePressure, pressure);
  repair.Wind(kWindSpeedMax, row::windSpeed, windLow);
  repair.Wind(kGustSpeedMax, row::gustSpeed, windLow);
  const auto rain16 = [](int max) { return max < 1 || max > kRainLimit16; };
  repair.Rain(kRainHourMax, row::rainHour, rain16);
  repair.Rain(kRain24hMax, row::rain24h, rain16);
  repair.Rain(kRainWeekMax, row::rainWeek, rain16);
  repair.Rain(kRainMonthMax, row::rainMonth, [](int max) { return max < 1 || max > kRainLimitMonth; });
  repair.Rain(kRainTotalMax, row::rainTotal, [](int max) { return max < 1 || max >= kRainLimitTotal; });
  return true;
}

}  // namespace skyvane
