#include "core/dialogs/alarm_rescale.h"

#include <initializer_list>
#include <string>

#include "core/units/conversions.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

using Converter = float (*)(float, float, const std::string&, const std::string&);

// Hundredths for inches (of mercury or of rain), tenths for every other unit.
bool InHundredths(const std::string& unitText) {
  return unitText == unit::kInHg || unitText == unit::kInch;
}

void Rescale(AlarmRecord& alarms, std::initializer_list<int> fields, Converter convert,
             const std::string& from, const std::string& to) {
  if (from == to) return;
  const float scale = InHundredths(from) ? 0.01f : 0.1f;
  const double factor = InHundredths(to) ? 100.0 : 10.0;
  for (int f : fields) {
    // Scaled here and converted with scale 1.0: a conversion from "bft" applies
    // its scale to the level's upper bound as well, which would scale it twice.
    const float value = ScaledValue(IntegerValue(alarms[f]), scale);
    alarms[f] = FormatFixed(static_cast<double>(convert(value, 1.0f, from, to)) * factor, 0);
  }
}

}  // namespace

void RescaleAlarmThresholds(AlarmRecord& alarms, const HeaderRecord& from, const HeaderRecord& to) {
  using namespace alm;
  Rescale(alarms, {kIndoorTempHigh, kIndoorTempLow}, &ConvertTemperature,
          from[hdr::kUnitIndoorTemp], to[hdr::kUnitIndoorTemp]);
  Rescale(alarms,
          {kOutdoorTempHigh, kOutdoorTempLow, kWindChillHigh, kWindChillLow, kDewPointHigh,
           kDewPointLow},
          &ConvertTemperature, from[hdr::kUnitOutdoorTemp], to[hdr::kUnitOutdoorTemp]);
  Rescale(alarms, {kAbsPressureHigh, kAbsPressureLow, kRelPressureHigh, kRelPressureLow},
          &ConvertPressure, from[hdr::kUnitPressure], to[hdr::kUnitPressure]);
  Rescale(alarms, {kWindSpeedHigh, kGustSpeedHigh}, &ConvertWindSpeed, from[hdr::kUnitWind],
          to[hdr::kUnitWind]);
  Rescale(alarms, {kRainHourHigh, kRain24hHigh}, &ConvertRain, from[hdr::kUnitRain],
          to[hdr::kUnitRain]);
}

}  // namespace skyvane
