#include "core/units/row_completion.h"

#include "core/units/conversions.h"
#include "core/units/derived.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

constexpr int kFixedDecimals = 6;  // "%f"

float StationPressureHpa(const std::string& value, const HeaderRecord& header) {
  const std::string& unit = header[hdr::kUnitPressure];
  const float scale = unit == unit::kInHg ? 0.01f : 0.1f;
  return ConvertPressure(static_cast<float>(NumericValue(value)), scale, unit, unit::kHpa);
}

float Scaled(const std::string& value, float scale) { return ScaledValue(NumericValue(value), scale); }

}  // namespace

float CurrentRelativePressureHpa(const AlarmRecord& alarms, const HeaderRecord& header) {
  return StationPressureHpa(alarms[alm::kCurrentRelPressure], header);
}

float CurrentAbsolutePressureHpa(const AlarmRecord& alarms, const HeaderRecord& header) {
  return StationPressureHpa(alarms[alm::kCurrentAbsPressure], header);
}

bool FillRelativePressure(HistoryRow& row, float scale, const AlarmRecord& alarms,
                          const HeaderRecord& header) {
  std::string& out = row[row::relativePressure];
  if (!IsValidReading(row[row::absolutePressure], Quantity::kPressure)) {
    out.clear();
    return true;
  }
  const float relative = RelativePressure(Scaled(row[row::absolutePressure], scale),
                                          CurrentAbsolutePressureHpa(alarms, header),
                                          CurrentRelativePressureHpa(alarms, header));
  out = FormatFixed(relative, kFixedDecimals);
  if (out == kNoValue) out.clear();
  return true;
}

bool FillDewPoint(HistoryRow& row, float scale) {
  std::string& out = row[row::dewPoint];
  out.clear();
  if (!IsValidReading(row[row::outdoorTemperature], Quantity::kTemperature) ||
      !IsValidReading(row[row::outdoorHumidity], Quantity::kHumidity)) {
    return true;
  }
  const float dew = DewPoint(Scaled(row[row::outdoorTemperature], scale),
                             static_cast<float>(NumericValue(row[row::outdoorHumidity])));
  out = FormatFixed(dew, kFixedDecimals);
  if (out == kNoValue) out.clear();  // 0 % humidity: no dew point, never "nan"
  return true;
}

bool FillWindChill(HistoryRow& row, float scale) {
  std::string& out = row[row::windChill];
  out.clear();
  if (!IsValidReading(row[row::outdoorTemperature], Quantity::kTemperature)) return true;
  const float chill =
      WindChill(Scaled(row[row::outdoorTemperature], scale), Scaled(row[row::windSpeed], scale));
  out = FormatFixed(chill, kFixedDecimals);
  if (out == kNoValue) out.clear();
  return true;
}

bool FillRain(HistoryRow& row) {
  if (!IsValidReading(row[row::rainCounter], Quantity::kRain)) {
    row[row::rainCounter].clear();
    row[row::rain].clear();
    return true;
  }
  row[row::rain] = FormatFixed(RainFromCounter(static_cast<float>(NumericValue(row[row::rainCounter]))), 1);
  return true;
}

}  // namespace skyvane
