#pragma once
// The controls of the Setup dialog as plain values, and the rules between them
// and the station's records: filling them from the header and alarm block,
// changing the shown pressure unit, checking them, and writing them back into
// a freshly read header and alarm block.
#include <array>
#include <span>
#include <string>

#include "core/dialogs/field_check.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"

namespace skyvane {

namespace setup {
// The dialog's lists, each behind one header field.
enum List : int {
  kTimeZone,
  kUnitIndoorTemperature,
  kUnitOutdoorTemperature,
  kUnitPressure,
  kUnitWindSpeed,
  kUnitRainfall,
  kDisplayFormat,
  kDisplayDay,
  kDisplayTime,
  kDisplayAxis,
  kDisplayOutdoorTemperature,
  kDisplayPressure,
  kDisplayVelocity,
  kDisplayRainfall,
  kListCount
};
// Check boxes "Alarm Enable": box i is header field kFirstAlarmEnable + i.
constexpr int kFirstAlarmEnable = hdr::kAlarmTime;
constexpr int kAlarmEnableCount = hdr::kAlarmDewPointHigh - hdr::kAlarmTime + 1;  // 22

// Controls named in check failures.
enum Control : int { kInterval = 100, kRelative, kAbsolute };

constexpr int kIntervalMin = 5;
constexpr int kIntervalMax = 240;
}  // namespace setup

// The English group and caption of a list ("Unit", "Pressure"; the time zone
// list has only its group).
struct SetupListCaption {
  const char* group;
  const char* caption;
};
SetupListCaption SetupListCaptionOf(setup::List list);

// The English items of a list, in list order. The unit lists' and the time
// zone's items are also the texts the header holds.
std::span<const char* const> SetupListItems(setup::List list);
// The header field a list stands for.
int SetupListField(setup::List list);
// English captions of the alarm-enable check boxes, in box order.
std::span<const char* const> AlarmEnableCaptions();

struct PressureLimits {
  float low = 0.0f;
  float high = 0.0f;
};
// 500 hPa and 1100 hPa in the given pressure unit.
PressureLimits PressureLimitsIn(const std::string& pressureUnit);

struct SetupForm {
  std::array<int, setup::kListCount> selection{};  // list position, -1 for none
  std::string interval;
  std::array<bool, setup::kAlarmEnableCount> alarmEnable{};
  std::string relative;           // current relative pressure, in shownPressureUnit
  std::string absolute;           // current absolute pressure (read-only), same unit
  std::string shownPressureUnit;  // the unit beside both pressure fields

  // The selected item's text; empty with no selection.
  std::string SelectedText(setup::List list) const;
};

// The controls as the dialog fills them from the header and alarm block read
// when it opened.
SetupForm FillSetupForm(const HeaderRecord& header, const AlarmRecord& alarms);

// Selects position in the pressure unit list. When the unit differs from the
// shown one, both pressure fields are converted into it and it becomes the
// shown unit (the limits follow it).
void ChangeSetupPressureUnit(SetupForm& form, int position);

// Interval 5 to 240, "Relative" and "Absolute" within the pressure limits of
// the shown unit. False with the failing control and its message.
bool CheckSetupForm(const SetupForm& form, FieldError& error);

// Writes the controls into a freshly read header: time zone, interval, units,
// display choices and alarm enables. A list without selection keeps the
// station's value.
void ApplySetupToHeader(const SetupForm& form, HeaderRecord& header);

// Writes the two current pressures into a freshly read alarm block, raw in the
// shown pressure unit (tenths, hundredths of "inHg"), the unit the header is
// about to name.
void ApplySetupPressures(const SetupForm& form, AlarmRecord& alarms);

}  // namespace skyvane
