#include "core/dialogs/alarm_form.h"

#include <cstdio>

#include "core/units/conversions.h"
#include "core/units/record_display.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

using namespace alm;

constexpr std::array<AlarmControl, 24> kControls{{
    {kTimeHour, "Time", "Hour", AlarmInput::kHour},
    {kTimeMinute, "Time", "Minute", AlarmInput::kMinute},
    {kIndoorHumidityHigh, "Indoor Humidity", "High", AlarmInput::kHumidity},
    {kIndoorHumidityLow, "Indoor Humidity", "Low", AlarmInput::kHumidity},
    {kOutdoorHumidityHigh, "Outdoor Humidity", "High", AlarmInput::kHumidity},
    {kOutdoorHumidityLow, "Outdoor Humidity", "Low", AlarmInput::kHumidity},
    {kIndoorTempHigh, "Indoor Temperature", "High", AlarmInput::kIndoorTemperature},
    {kIndoorTempLow, "Indoor Temperature", "Low", AlarmInput::kIndoorTemperature},
    {kOutdoorTempHigh, "Outdoor Temperature", "High", AlarmInput::kOutdoorTemperature},
    {kOutdoorTempLow, "Outdoor Temperature", "Low", AlarmInput::kOutdoorTemperature},
    {kWindChillHigh, "Windchill", "High", AlarmInput::kOutdoorTemperature},
    {kWindChillLow, "Windchill", "Low", AlarmInput::kOutdoorTemperature},
    {kDewPointHigh, "Dewpoint", "High", AlarmInput::kOutdoorTemperature},
    {kDewPointLow, "Dewpoint", "Low", AlarmInput::kOutdoorTemperature},
    {kAbsPressureHigh, "Absolute Pressure", "High", AlarmInput::kPressure},
    {kAbsPressureLow, "Absolute Pressure", "Low", AlarmInput::kPressure},
    {kRelPressureHigh, "Relative Pressure", "High", AlarmInput::kPressure},
    {kRelPressureLow, "Relative Pressure", "Low", AlarmInput::kPressure},
    {kWindSpeedHigh, "Wind", "High", AlarmInput::kWindSpeed},
    {kWindLevelHigh, "Wind", "Level", AlarmInput::kLevel},
    {kGustSpeedHigh, "Gust", "High", AlarmInput::kWindSpeed},
    {kGustLevelHigh, "Gust", "Level", AlarmInput::kLevel},
    {kRainHourHigh, "Rain", "High     Hour", AlarmInput::kRain},
    {kRain24hHigh, "Rain", "High     24 Hour", AlarmInput::kRain},
}};

constexpr std::array<const char*, 16> kDirections{"N", "NNE", "NE", "NEE", "E", "SEE", "SE", "SSE",
                                                  "S", "SSW", "SW", "SWW", "W", "NWW", "NW", "NNW"};

// The edit fields the dialog fills from the block: 5 to 24 and 26 to 29.
bool IsEditField(int field) {
  return (field >= kIndoorHumidityHigh && field <= kGustSpeedHigh) ||
         (field >= kRainHourHigh && field <= kTimeMinute);
}

std::string Raw(const std::string& text, double factor) {
  return FormatFixed(NumericValue(text) * factor, 0);
}

std::string TwoDigits(const std::string& text) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", IntegerValue(text));
  return buffer;
}

}  // namespace

std::span<const AlarmControl> AlarmControls() { return kControls; }

const AlarmControl* FindAlarmControl(int field) {
  for (const AlarmControl& c : AlarmControls()) {
    if (c.field == field) return &c;
  }
  return nullptr;
}

std::span<const char* const> AlarmDirections() { return kDirections; }

bool IsIntegerInput(AlarmInput input) {
  return input == AlarmInput::kHour || input == AlarmInput::kMinute ||
         input == AlarmInput::kHumidity || input == AlarmInput::kLevel;
}

InputLimits AlarmInputLimits(AlarmInput input, const HeaderRecord& header) {
  switch (input) {
    case AlarmInput::kHour: return {0.0f, 23.0f};
    case AlarmInput::kMinute: return {0.0f, 59.0f};
    case AlarmInput::kHumidity: return {0.0f, 100.0f};
    case AlarmInput::kLevel: return {0.0f, 12.0f};
    case AlarmInput::kIndoorTemperature:
    case AlarmInput::kOutdoorTemperature: {
      const std::string& u =
          header[input == AlarmInput::kIndoorTemperature ? hdr::kUnitIndoorTemp : hdr::kUnitOutdoorTemp];
      return {TemperatureFromStation(-40.0f, 1.0f, u), TemperatureFromStation(60.0f, 1.0f, u)};
    }
    case AlarmInput::kPressure:
      return {PressureFromStation(500.0f, 1.0f, header[hdr::kUnitPressure]),
              PressureFromStation(1100.0f, 1.0f, header[hdr::kUnitPressure])};
    case AlarmInput::kWindSpeed:
      return {WindSpeedFromStation(0.0f, 1.0f, header[hdr::kUnitWind]),
              WindSpeedFromStation(50.0f, 1.0f, header[hdr::kUnitWind])};
    case AlarmInput::kRain:
      return {RainFromStation(0.0f, 1.0f, header[hdr::kUnitRain]),
              RainFromStation(1000.0f, 1.0f, header[hdr::kUnitRain])};
  }
  return {};
}

std::string AlarmUnitText(AlarmInput input, const HeaderRecord& header) {
  switch (input) {
    case AlarmInput::kHour:
    case AlarmInput::kMinute: return {};
    case AlarmInput::kHumidity: return unit::kPercent;
    case AlarmInput::kLevel: return unit::kBeaufort;
    case AlarmInput::kIndoorTemperature: return header[hdr::kUnitIndoorTemp];
    case AlarmInput::kOutdoorTemperature: return header[hdr::kUnitOutdoorTemp];
    case AlarmInput::kPressure: return header[hdr::kUnitPressure];
    case AlarmInput::kWindSpeed: return header[hdr::kUnitWind];
    case AlarmInput::kRain: return header[hdr::kUnitRain];
  }
  return {};
}

AlarmForm FillAlarmForm(const HeaderRecord& header, const AlarmRecord& alarms) {
  AlarmRecord shown = alarms;
  AlarmsToDisplayUnits(shown, header);
  AlarmForm form;
  for (int f = 0; f < kCount; ++f) {
    if (IsEditField(f)) form.text[static_cast<std::size_t>(f)] = shown[f];
  }
  const std::string& direction = alarms[kWindDirection];
  if (!direction.empty() && direction != kNoValue) {
    const int position = IntegerValue(direction);
    if (position >= 0 && position < static_cast<int>(kDirections.size())) form.direction = position;
  }
  return form;
}

void AlarmSpeedFieldLeft(AlarmForm& form, int field, const HeaderRecord& header) {
  const std::string& windUnit = header[hdr::kUnitWind];
  auto speedToLevel = [&](int speedField, int levelField) {
    const float v = static_cast<float>(NumericValue(form.text[speedField]));
    form.text[levelField] = WholeNumberText(ConvertWindSpeed(v, 1.0f, windUnit, unit::kBeaufort));
  };
  auto levelToSpeed = [&](int levelField, int speedField) {
    const float v = static_cast<float>(NumericValue(form.text[levelField]));
    form.text[speedField] = FormatFixed(ConvertWindSpeed(v, 1.0f, unit::kBeaufort, windUnit), 1);
  };
  switch (field) {
    case kWindSpeedHigh: speedToLevel(kWindSpeedHigh, kWindLevelHigh); break;
    case kWindLevelHigh: levelToSpeed(kWindLevelHigh, kWindSpeedHigh); break;
    case kGustSpeedHigh: speedToLevel(kGustSpeedHigh, kGustLevelHigh); break;
    case kGustLevelHigh: levelToSpeed(kGustLevelHigh, kGustSpeedHigh); break;
    default: break;
  }
}

bool CheckAlarmForm(const AlarmForm& form, const HeaderRecord& header, FieldError& error) {
  for (const AlarmControl& c : AlarmControls()) {
    const InputLimits limits = AlarmInputLimits(c.input, header);
    const std::string& text = form.text[static_cast<std::size_t>(c.field)];
    const bool ok = IsIntegerInput(c.input)
                        ? CheckInteger(text, static_cast<int>(limits.low), static_cast<int>(limits.high),
                                       c.field, error)
                        : CheckNumber(text, limits.low, limits.high, c.field, error);
    if (!ok) return false;
  }
  return true;
}

void ApplyAlarmForm(const AlarmForm& form, const HeaderRecord& header, AlarmRecord& alarms) {
  const double pressureFactor = header[hdr::kUnitPressure] == unit::kInHg ? 100.0 : 10.0;
  const double rainFactor = header[hdr::kUnitRain] == unit::kInch ? 100.0 : 10.0;
  for (const AlarmControl& c : AlarmControls()) {
    const std::string& text = form.text[static_cast<std::size_t>(c.field)];
    switch (c.input) {
      case AlarmInput::kHour:
      case AlarmInput::kMinute: alarms[c.field] = TwoDigits(text); break;
      case AlarmInput::kHumidity:
      case AlarmInput::kLevel: alarms[c.field] = Raw(text, 1.0); break;
      case AlarmInput::kIndoorTemperature:
      case AlarmInput::kOutdoorTemperature:
      case AlarmInput::kWindSpeed: alarms[c.field] = Raw(text, 10.0); break;
      case AlarmInput::kPressure: alarms[c.field] = Raw(text, pressureFactor); break;
      case AlarmInput::kRain: alarms[c.field] = Raw(text, rainFactor); break;
    }
  }
  if (form.direction >= 0 && form.direction < static_cast<int>(kDirections.size())) {
    alarms[kWindDirection] = std::to_string(form.direction);
  }
}

}  // namespace skyvane
