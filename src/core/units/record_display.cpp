#include "core/units/record_display.h"

#include "core/units/conversions.h"
#include "core/units/row_completion.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

// The scale of raw alarm-block pressures and rain amounts in a unit.
float PressureScale(const std::string& unit) { return unit == unit::kInHg ? 0.01f : 0.1f; }
float RainScale(const std::string& unit) { return unit == unit::kInch ? 0.01f : 0.1f; }

constexpr const char* kNeverSetTime = "2000-00-00 00:00";

// Status bit 6 of a record: the station restarted its rain total.
constexpr int kRainResetFlag = row::flag1 + 6;

// The display unit of each quantity, as the header names it.
struct UnitTexts {
  const std::string& indoor;
  const std::string& outdoor;
  const std::string& pressure;
  const std::string& wind;
  const std::string& rain;
};

UnitTexts UnitTextsOf(const HeaderRecord& header) {
  return {header[hdr::kUnitIndoorTemp], header[hdr::kUnitOutdoorTemp], header[hdr::kUnitPressure],
          header[hdr::kUnitWind], header[hdr::kUnitRain]};
}

}  // namespace

bool DeriveRow(HistoryRow& row, const HeaderRecord& header, const AlarmRecord& alarms) {
  using namespace row;
  if (row[kRainResetFlag] == "1") row[rainTotal].clear();
  FillRelativePressure(row, 0.1f, alarms, header);
  FillDewPoint(row, 0.1f);
  FillWindChill(row, 0.1f);
  FillRain(row);

  const HistoryRow c = row;
  const std::string celsius = unit::kCelsius, hpa = unit::kHpa, ms = unit::kMetresPerSecond;
  const std::string mm = unit::kMm, percent = unit::kPercent;
  row[indoorHumidity] = HumidityText(c[indoorHumidity], 1.0f, percent, percent);
  row[indoorTemperature] = TemperatureText(c[indoorTemperature], 0.1f, celsius, celsius);
  row[outdoorHumidity] = HumidityText(c[outdoorHumidity], 1.0f, percent, percent);
  row[outdoorTemperature] = TemperatureText(c[outdoorTemperature], 0.1f, celsius, celsius);
  row[absolutePressure] = PressureText(c[absolutePressure], 0.1f, hpa, hpa);
  row[windSpeed] = WindSpeedText(c[windSpeed], 0.1f, ms, ms);
  row[gustSpeed] = WindSpeedText(c[gustSpeed], 0.1f, ms, ms);
  row[windDir] = DirectionCodeText(c[windDir]);
  row[directionName] = DirectionNameText(c[windDir]);
  row[relativePressure] = PressureText(c[relativePressure], 1.0f, hpa, hpa);
  row[dewPoint] = TemperatureText(c[dewPoint], 1.0f, celsius, celsius);
  row[windChill] = TemperatureText(c[windChill], 1.0f, celsius, celsius);
  for (int f : {rainHour, rain24h, rainWeek, rainMonth, rainTotal}) row[f] = RainText(c[f], 1.0f, mm, mm);
  row[windLevel] = WindSpeedText(c[windSpeed], 0.1f, ms, unit::kBeaufort);
  row[gustLevel] = WindSpeedText(c[gustSpeed], 0.1f, ms, unit::kBeaufort);
  return true;
}

bool RowToDisplayUnits(HistoryRow& row, const HeaderRecord& header) {
  using namespace row;
  const HistoryRow c = row;
  const UnitTexts units = UnitTextsOf(header);
  for (int f : {indoorHumidity, outdoorHumidity}) {
    row[f] = HumidityTextFromStation(c[f], 1.0f, unit::kPercent);
  }
  row[indoorTemperature] = TemperatureTextFromStation(c[indoorTemperature], 1.0f, units.indoor);
  for (int f : {outdoorTemperature, dewPoint, windChill}) {
    row[f] = TemperatureTextFromStation(c[f], 1.0f, units.outdoor);
  }
  for (int f : {absolutePressure, relativePressure}) {
    row[f] = PressureTextFromStation(c[f], 1.0f, units.pressure);
  }
  for (int f : {windSpeed, gustSpeed}) row[f] = WindSpeedTextFromStation(c[f], 1.0f, units.wind);
  row[windDir] = DirectionCodeText(c[windDir]);
  row[directionName] = DirectionNameText(c[windDir]);
  for (int f : {rainHour, rain24h, rainWeek, rainMonth, rainTotal}) {
    row[f] = RainTextFromStation(c[f], 1.0f, units.rain);
  }
  return true;
}

bool AlarmsToDisplayUnits(AlarmRecord& alarms, const HeaderRecord& header) {
  using namespace alm;
  const AlarmRecord c = alarms;
  const UnitTexts units = UnitTextsOf(header);
  const float p = PressureScale(units.pressure);
  const float r = RainScale(units.rain);
  // The current pressures share the thresholds' unit and scale (hundredths of inHg).
  for (int f : {kCurrentRelPressure, kCurrentAbsPressure, kAbsPressureHigh, kAbsPressureLow,
                kRelPressureHigh, kRelPressureLow}) {
    alarms[f] = PressureText(c[f], p, units.pressure, units.pressure);
  }
  for (int f : {kIndoorHumidityHigh, kIndoorHumidityLow, kOutdoorHumidityHigh, kOutdoorHumidityLow}) {
    alarms[f] = HumidityText(c[f], 1.0f, unit::kPercent, unit::kPercent);
  }
  for (int f : {kIndoorTempHigh, kIndoorTempLow}) {
    alarms[f] = TemperatureText(c[f], 0.1f, units.indoor, units.indoor);
  }
  for (int f = kOutdoorTempHigh; f <= kDewPointLow; ++f) {
    alarms[f] = TemperatureText(c[f], 0.1f, units.outdoor, units.outdoor);
  }
  for (int f : {kWindSpeedHigh, kGustSpeedHigh}) {
    alarms[f] = WindSpeedText(c[f], 0.1f, units.wind, units.wind);
  }
  for (int f : {kRainHourHigh, kRain24hHigh}) alarms[f] = RainText(c[f], r, units.rain, units.rain);
  return true;
}

bool MaxMinToDisplayUnits(MaxMinRecord& maxmin, const HeaderRecord& header) {
  using namespace mm;
  const MaxMinRecord c = maxmin;
  for (int f = kIndoorHumidityMax; f <= kOutdoorHumidityMin; ++f) {
    maxmin[f] = HumidityTextFromStation(c[f], 1.0f, unit::kPercent);
  }
  for (int f : {kIndoorTempMax, kIndoorTempMin}) {
    maxmin[f] = TemperatureTextFromStation(c[f], 0.1f, header[hdr::kUnitIndoorTemp]);
  }
  for (int f = kOutdoorTempMax; f <= kDewPointMin; ++f) {
    maxmin[f] = TemperatureTextFromStation(c[f], 0.1f, header[hdr::kUnitOutdoorTemp]);
  }
  for (int f = kAbsPressureMax; f <= kRelPressureMin; ++f) {
    maxmin[f] = PressureTextFromStation(c[f], 0.1f, header[hdr::kUnitPressure]);
  }
  for (int f : {kWindSpeedMax, kGustSpeedMax}) {
    maxmin[f] = WindSpeedTextFromStation(c[f], 0.1f, header[hdr::kUnitWind]);
  }
  for (int f = kRainHourMax; f <= kRainTotalMax; ++f) {
    maxmin[f] = RainTextFromStation(c[f], 0.1f, header[hdr::kUnitRain]);
  }
  for (int f = kFirstTime; f <= kLastTime; ++f) {
    if (maxmin[f] == kNeverSetTime) maxmin[f] = kNoValue;
  }
  return true;
}

}  // namespace skyvane
