#pragma once
// Alarm evaluation: compares the current reading with the station's alarm
// thresholds and decides the state of each of the 23 alarm lamps.
#include <array>
#include <string_view>

#include "core/station/alarm_record.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"

namespace skyvane {

enum class LampState { kDisabled, kArmed, kTriggered };

constexpr int kLampCount = 23;
using LampStates = std::array<LampState, kLampCount>;

// Lamp numbers 1..23 in the order of the main view's lamps.
namespace lamp {
enum Number : int {
  kIndoorHumidityHigh = 1,
  kIndoorHumidityLow,
  kIndoorTempHigh,
  kIndoorTempLow,
  kOutdoorHumidityHigh,
  kOutdoorHumidityLow,
  kOutdoorTempHigh,
  kOutdoorTempLow,
  kWindChillHigh,
  kWindChillLow,
  kDewPointHigh,
  kDewPointLow,
  kAbsPressureHigh,
  kAbsPressureLow,
  kRelPressureHigh,
  kRelPressureLow,
  kWindLevelHigh,
  kWindSpeedHigh,
  kGustLevelHigh,
  kGustSpeedHigh,
  kWindDirection,
  kRainHourHigh,
  kRain24hHigh,
};
}  // namespace lamp

// English name of lamp 1..23 ("Indoor humidity HI"); empty for other numbers.
std::string_view LampName(int number);
// "disabled", "armed" or "triggered".
std::string_view LampStateName(LampState state);

// Evaluates all lamps. row is in the display units named by header; alarms holds
// the thresholds already scaled for display (AlarmsToDisplayUnits). Index 0 of
// the result is lamp 1.
LampStates EvaluateLamps(const HistoryRow& row, const HeaderRecord& header,
                         const AlarmRecord& displayAlarms);

// The same from the alarm record as read from the station: a copy of its
// thresholds is scaled into display values first.
LampStates EvaluateAlarms(const HistoryRow& row, const HeaderRecord& header,
                          const AlarmRecord& alarms);

}  // namespace skyvane
