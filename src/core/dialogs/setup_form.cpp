#include "core/dialogs/setup_form.h"

#include "core/units/conversions.h"
#include "core/units/record_display.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

using namespace setup;

constexpr std::array<const char*, 25> kTimeZones{
    "+12", "+11", "+10", "+9", "+8", "+7", "+6", "+5", "+4", "+3", "+2", "+1", "0",
    "-1",  "-2",  "-3",  "-4", "-5", "-6", "-7", "-8", "-9", "-10", "-11", "-12"};
constexpr std::array<const char*, 2> kTemperatureUnits{unit::kCelsius, unit::kFahrenheit};
constexpr std::array<const char*, 3> kPressureUnits{unit::kHpa, unit::kInHg, unit::kMmHg};
constexpr std::array<const char*, 5> kWindUnits{unit::kMetresPerSecond, unit::kKmPerHour,
                                                unit::kKnot, unit::kMilesPerHour, unit::kBeaufort};
constexpr std::array<const char*, 2> kRainUnits{unit::kMm, unit::kInch};
constexpr std::array<const char*, 3> kFormats{"Full Date", "Date and Week", "Alarm Time"};
constexpr std::array<const char*, 2> kDays{"dd-mm-yy", "mm-dd-yy"};
constexpr std::array<const char*, 2> kTimes{"24H", "12H"};
constexpr std::array<const char*, 2> kAxes{"12 Hours", "24 Hours"};
constexpr std::array<const char*, 3> kOutdoorShown{"Temperature", "Windchill ", "Dewpoint "};
constexpr std::array<const char*, 2> kPressureShown{"Absolute", "Relative"};
constexpr std::array<const char*, 2> kVelocities{"Wind", "Gust"};
constexpr std::array<const char*, 5> kRainShown{"Hour", "24 Hours", "Week", "Month", "Total"};

constexpr std::array<const char*, kAlarmEnableCount> kAlarmEnables{
    "Time",
    "Wind Direct",
    "Indoor Humidity Low",
    "Indoor Humidity High",
    "Outdoor Humidity Low",
    "Outdoor Humidity High",
    "Wind Speed High",
    "Gust Speed High",
    "Hour Rainfall High",
    "Day Rainfall High",
    "Absolute Pressure Low",
    "Absolute Pressure High",
    "Relative Pressure Low",
    "Relative Pressure High",
    "Indoor Temperature Low",
    "Indoor Temperature High",
    "Outdoor Temperature Low",
    "Outdoor Temperature High",
    "Windchill Low",
    "Windchill High",
    "Dewpoint Low",
    "Dewpoint High"};

constexpr std::array<int, kListCount> kListFields{
    hdr::kTimeZone,         hdr::kUnitIndoorTemp,  hdr::kUnitOutdoorTemp, hdr::kUnitPressure,
    hdr::kUnitWind,         hdr::kUnitRain,        hdr::kDisplayDateLine, hdr::kDisplayDate,
    hdr::kDisplayTime,      hdr::kDisplayAxis,     hdr::kDisplayOutdoorTemp,
    hdr::kDisplayPressure,  hdr::kDisplayWind,     hdr::kDisplayRain};

constexpr std::array<SetupListCaption, kListCount> kListCaptions{{
    {"Time Zone", ""},
    {"Unit", "Indoor Temperature"},
    {"Unit", "Outdoor Temperature"},
    {"Unit", "Pressure"},
    {"Unit", "Wind Speed"},
    {"Unit", "Rainfall"},
    {"Display", "Format"},
    {"Display", "Day"},
    {"Display", "Time"},
    {"Display", "Axis"},
    {"Display", "Outdoor Temperature"},
    {"Display", "Pressure"},
    {"Display", "Velocity"},
    {"Display", "Rainfall"},
}};

bool IsTextList(List list) { return list <= kUnitRainfall; }

// Position of the item equal to text, -1 when none is.
int PositionOf(std::span<const char* const> items, const std::string& text) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (text == items[i]) return static_cast<int>(i);
  }
  return -1;
}

std::string RawPressure(const std::string& shown, const std::string& unitText) {
  const double factor = unitText == unit::kInHg ? 100.0 : 10.0;
  return FormatFixed(NumericValue(shown) * factor, 0);
}

}  // namespace

std::span<const char* const> SetupListItems(List list) {
  switch (list) {
    case kTimeZone: return kTimeZones;
    case kUnitIndoorTemperature:
    case kUnitOutdoorTemperature: return kTemperatureUnits;
    case kUnitPressure: return kPressureUnits;
    case kUnitWindSpeed: return kWindUnits;
    case kUnitRainfall: return kRainUnits;
    case kDisplayFormat: return kFormats;
    case kDisplayDay: return kDays;
    case kDisplayTime: return kTimes;
    case kDisplayAxis: return kAxes;
    case kDisplayOutdoorTemperature: return kOutdoorShown;
    case kDisplayPressure: return kPressureShown;
    case kDisplayVelocity: return kVelocities;
    case kDisplayRainfall: return kRainShown;
    case kListCount: break;
  }
  return {};
}

SetupListCaption SetupListCaptionOf(List list) { return kListCaptions[static_cast<std::size_t>(list)]; }

int SetupListField(List list) { return kListFields[static_cast<std::size_t>(list)]; }

std::span<const char* const> AlarmEnableCaptions() { return kAlarmEnables; }

PressureLimits PressureLimitsIn(const std::string& pressureUnit) {
  return {ConvertPressure(500.0f, 1.0f, unit::kHpa, pressureUnit),
          ConvertPressure(1100.0f, 1.0f, unit::kHpa, pressureUnit)};
}

std::string SetupForm::SelectedText(List list) const {
  const auto items = SetupListItems(list);
  const int position = selection[static_cast<std::size_t>(list)];
  if (position < 0 || position >= static_cast<int>(items.size())) return {};
  return items[static_cast<std::size_t>(position)];
}

SetupForm FillSetupForm(const HeaderRecord& header, const AlarmRecord& alarms) {
  AlarmRecord shown = alarms;
  AlarmsToDisplayUnits(shown, header);

  SetupForm form;
  for (int l = 0; l < kListCount; ++l) {
    const List list = static_cast<List>(l);
    const std::string& text = header[SetupListField(list)];
    int& position = form.selection[static_cast<std::size_t>(l)];
    if (list == kUnitIndoorTemperature || list == kUnitOutdoorTemperature) {
      position = text == unit::kCelsius ? 0 : 1;  // anything but "°C" shows "°F"
    } else if (IsTextList(list)) {
      position = PositionOf(SetupListItems(list), text);
    } else {
      position = IntegerValue(text);
      if (position < 0 || position >= static_cast<int>(SetupListItems(list).size())) position = -1;
    }
  }
  form.interval = header[hdr::kInterval];
  for (int i = 0; i < kAlarmEnableCount; ++i) {
    form.alarmEnable[static_cast<std::size_t>(i)] = header[kFirstAlarmEnable + i] == "1";
  }
  form.shownPressureUnit = header[hdr::kUnitPressure];
  form.relative = shown[alm::kCurrentRelPressure];
  form.absolute = shown[alm::kCurrentAbsPressure];
  return form;
}

void ChangeSetupPressureUnit(SetupForm& form, int position) {
  form.selection[kUnitPressure] = position;
  const std::string chosen = form.SelectedText(kUnitPressure);
  if (chosen == form.shownPressureUnit) return;
  form.relative = PressureText(form.relative, 1.0f, form.shownPressureUnit, chosen);
  form.absolute = PressureText(form.absolute, 1.0f, form.shownPressureUnit, chosen);
  form.shownPressureUnit = chosen;
}

bool CheckSetupForm(const SetupForm& form, FieldError& error) {
  if (!CheckInteger(form.interval, kIntervalMin, kIntervalMax, kInterval, error)) return false;
  const PressureLimits limits = PressureLimitsIn(form.shownPressureUnit);
  return CheckNumber(form.relative, limits.low, limits.high, kRelative, error) &&
         CheckNumber(form.absolute, limits.low, limits.high, kAbsolute, error);
}

void ApplySetupToHeader(const SetupForm& form, HeaderRecord& header) {
  for (int l = 0; l < kListCount; ++l) {
    const List list = static_cast<List>(l);
    const int position = form.selection[static_cast<std::size_t>(l)];
    if (position < 0 || position >= static_cast<int>(SetupListItems(list).size())) continue;
    header[SetupListField(list)] = IsTextList(list) ? form.SelectedText(list) : std::to_string(position);
  }
  long long interval = 0;
  if (ParseIntegerText(form.interval, interval)) header[hdr::kInterval] = std::to_string(interval);
  for (int i = 0; i < kAlarmEnableCount; ++i) {
    header[kFirstAlarmEnable + i].assign(1, form.alarmEnable[static_cast<std::size_t>(i)] ? '1' : '0');
  }
}

void ApplySetupPressures(const SetupForm& form, AlarmRecord& alarms) {
  alarms[alm::kCurrentRelPressure] = RawPressure(form.relative, form.shownPressureUnit);
  alarms[alm::kCurrentAbsPressure] = RawPressure(form.absolute, form.shownPressureUnit);
}

}  // namespace skyvane
