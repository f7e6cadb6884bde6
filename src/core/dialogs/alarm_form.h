#pragma once
// The controls of the Alarm dialog as plain values, and the rules between them
// and the alarm block: filling them, keeping a speed and its Beaufort level in
// step, checking them against the station's units, and turning the display
// texts back into raw station values.
#include <array>
#include <span>
#include <string>

#include "core/dialogs/control_name.h"
#include "core/dialogs/field_check.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"

namespace skyvane {

// What an edit field accepts.
enum class AlarmInput {
  kHour,                // integer 0 to 23
  kMinute,              // integer 0 to 59
  kHumidity,            // integer 0 to 100, "%"
  kLevel,               // integer 0 to 12, "bft"
  kIndoorTemperature,   // number, -40 to 60 °C in header field 6
  kOutdoorTemperature,  // number, -40 to 60 °C in header field 7
  kPressure,            // number, 500 to 1100 hPa in header field 9
  kWindSpeed,           // number, 0 to 50 m/s in header field 10
  kRain,                // number, 0 to 1000 mm in header field 8
};

// One edit field on an alarm field, and its input. The level fields carry no
// label in the dialog (only "bft" beside them); "Level" names them.
struct AlarmControl : DialogControl {
  AlarmInput input;
};

// Every edit field in dialog order (time, humidity, temperatures, pressures,
// wind, gust, rain).
std::span<const AlarmControl> AlarmControls();
const AlarmControl* FindAlarmControl(int field);

// The compass names of the "Wind Direct" list, position = alarm field 25.
std::span<const char* const> AlarmDirections();

struct InputLimits {
  float low = 0.0f;
  float high = 0.0f;
};
// The input's bounds in the station's unit for it.
InputLimits AlarmInputLimits(AlarmInput input, const HeaderRecord& header);
// True for the inputs that take whole numbers.
bool IsIntegerInput(AlarmInput input);
// The unit shown beside a field: "%", "bft", a header unit, or none.
std::string AlarmUnitText(AlarmInput input, const HeaderRecord& header);

struct AlarmForm {
  std::array<std::string, alm::kCount> text;  // edit field texts by alarm field number
  int direction = -1;                         // "Wind Direct" position, -1 for none
};

// The controls as the dialog fills them from the blocks read when it opened.
AlarmForm FillAlarmForm(const HeaderRecord& header, const AlarmRecord& alarms);

// A speed or level field was changed and left: its partner is recomputed with
// the wind conversion (speed in the header's wind unit to "bft" and back).
// Other fields are left alone.
void AlarmSpeedFieldLeft(AlarmForm& form, int field, const HeaderRecord& header);

// Every field checked against its input in the header's units. False with the
// first failing field (its alarm field number) and the message.
bool CheckAlarmForm(const AlarmForm& form, const HeaderRecord& header, FieldError& error);

// Writes the checked controls into a freshly read block as raw station values:
// humidity, levels and direction as they are; temperatures and speeds × 10;
// pressures × 10 (× 100 in "inHg"); rain × 10 (× 100 in "inch"); the time as
// two "%02d" texts (BCD in the block). The current pressures and the bytes the
// dialog does not show keep the fresh block's values, as does the direction
// when none is selected.
void ApplyAlarmForm(const AlarmForm& form, const HeaderRecord& header, AlarmRecord& alarms);

}  // namespace skyvane
