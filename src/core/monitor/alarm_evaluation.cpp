#include "core/monitor/alarm_evaluation.h"

#include <charconv>
#include <optional>
#include <string>

#include "core/memory/byte_codec.h"
#include "core/units/record_display.h"

namespace skyvane {
namespace {

enum class Test { kAbove, kBelow, kDirection };
// How a missing reading is recognised. Temperatures may be zero or negative,
// so they are compared whenever a number is present; every other quantity
// uses "greater than 0" as its sign of a reading.
enum class Gate { kPresent, kPositive };

struct LampRule {
  const char* name;
  int rowField;
  Test test;
  int alarmField;
  int headerField;
  Gate gate;
};

constexpr LampRule kRules[kLampCount] = {
    {"Indoor humidity HI", row::indoorHumidity, Test::kAbove, alm::kIndoorHumidityHigh, hdr::kAlarmIndoorHumidityHigh, Gate::kPositive},
    {"Indoor humidity LO", row::indoorHumidity, Test::kBelow, alm::kIndoorHumidityLow, hdr::kAlarmIndoorHumidityLow, Gate::kPositive},
    {"Indoor temperature HI", row::indoorTemperature, Test::kAbove, alm::kIndoorTempHigh, hdr::kAlarmIndoorTempHigh, Gate::kPresent},
    {"Indoor temperature LO", row::indoorTemperature, Test::kBelow, alm::kIndoorTempLow, hdr::kAlarmIndoorTempLow, Gate::kPresent},
    {"Outdoor humidity HI", row::outdoorHumidity, Test::kAbove, alm::kOutdoorHumidityHigh, hdr::kAlarmOutdoorHumidityHigh, Gate::kPositive},
    {"Outdoor humidity LO", row::outdoorHumidity, Test::kBelow, alm::kOutdoorHumidityLow, hdr::kAlarmOutdoorHumidityLow, Gate::kPositive},
    {"Outdoor temperature HI", row::outdoorTemperature, Test::kAbove, alm::kOutdoorTempHigh, hdr::kAlarmOutdoorTempHigh, Gate::kPresent},
    {"Outdoor temperature LO", row::outdoorTemperature, Test::kBelow, alm::kOutdoorTempLow, hdr::kAlarmOutdoorTempLow, Gate::kPresent},
    {"Wind chill HI", row::windChill, Test::kAbove, alm::kWindChillHigh, hdr::kAlarmWindChillHigh, Gate::kPresent},
    {"Wind chill LO", row::windChill, Test::kBelow, alm::kWindChillLow, hdr::kAlarmWindChillLow, Gate::kPresent},
    {"Dew point HI", row::dewPoint, Test::kAbove, alm::kDewPointHigh, hdr::kAlarmDewPointHigh, Gate::kPresent},
    {"Dew point LO", row::dewPoint, Test::kBelow, alm::kDewPointLow, hdr::kAlarmDewPointLow, Gate::kPresent},
    {"Absolute pressure HI", row::absolutePressure, Test::kAbove, alm::kAbsPressureHigh, hdr::kAlarmAbsPressureHigh, Gate::kPositive},
    {"Absolute pressure LO", row::absolutePressure, Test::kBelow, alm::kAbsPressureLow, hdr::kAlarmAbsPressureLow, Gate::kPositive},
    {"Relative pressure HI", row::relativePressure, Test::kAbove, alm::kRelPressureHigh, hdr::kAlarmRelPressureHigh, Gate::kPositive},
    {"Relative pressure LO", row::relativePressure, Test::kBelow, alm::kRelPressureLow, hdr::kAlarmRelPressureLow, Gate::kPositive},
    {"Wind level HI", row::windLevel, Test::kAbove, alm::kWindLevelHigh, hdr::kAlarmWindSpeedHigh, Gate::kPositive},
    {"Wind speed HI", row::windSpeed, Test::kAbove, alm::kWindSpeedHigh, hdr::kAlarmWindSpeedHigh, Gate::kPositive},
    {"Gust level HI", row::gustLevel, Test::kAbove, alm::kGustLevelHigh, hdr::kAlarmGustSpeedHigh, Gate::kPositive},
    {"Gust speed HI", row::gustSpeed, Test::kAbove, alm::kGustSpeedHigh, hdr::kAlarmGustSpeedHigh, Gate::kPositive},
    {"Wind direction", row::windDir, Test::kDirection, alm::kWindDirection, hdr::kAlarmWindDirection, Gate::kPositive},
    {"Rain of the last hour HI", row::rainHour, Test::kAbove, alm::kRainHourHigh, hdr::kAlarmHourRainHigh, Gate::kPositive},
    {"Rain of the last 24 hours HI", row::rain24h, Test::kAbove, alm::kRain24hHigh, hdr::kAlarmDayRainHigh, Gate::kPositive},
};

// The decimal number at the start of a text (leading blanks and a sign allowed);
// nothing when the text does not start with one ("---", empty text).
std::optional<double> LeadingNumber(const std::string& text) {
  bool negative = false;
  std::size_t i = SkipBlanksAndSign(text, negative);
  std::size_t digitsStart = i;
  std::size_t digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  double value = 0;
  const char* first = text.data() + digitsStart;
  auto [end, ec] = std::from_chars(first, text.data() + i, value, std::chars_format::fixed);
  if (ec != std::errc() || end == first) return std::nullopt;
  return negative ? -value : value;
}

double NumberOrZero(const std::string& text) { return LeadingNumber(text).value_or(0.0); }

bool Triggered(const LampRule& rule, const HistoryRow& row, const AlarmRecord& alarms) {
  if (rule.test == Test::kDirection) {
    return NumberOrZero(row[row::windSpeed]) > 0 && row[row::windDir] == alarms[rule.alarmField];
  }
  std::optional<double> reading = LeadingNumber(row[rule.rowField]);
  if (!reading) return false;
  if (rule.gate == Gate::kPositive && !(*reading > 0)) return false;
  double threshold = NumberOrZero(alarms[rule.alarmField]);
  return rule.test == Test::kAbove ? *reading > threshold : *reading < threshold;
}

}  // namespace

std::string_view LampName(int number) {
  if (number < 1 || number > kLampCount) return {};
  return kRules[number - 1].name;
}

std::string_view LampStateName(LampState state) {
  switch (state) {
    case LampState::kDisabled: return "disabled";
    case LampState::kArmed: return "armed";
    case LampState::kTriggered: return "triggered";
  }
  return {};
}

LampStates EvaluateLamps(const HistoryRow& row, const HeaderRecord& header,
                         const AlarmRecord& displayAlarms) {
  LampStates states{};
  for (int i = 0; i < kLampCount; ++i) {
    const LampRule& rule = kRules[i];
    if (header[rule.headerField] != "1") {
      states[i] = LampState::kDisabled;
    } else {
      states[i] = Triggered(rule, row, displayAlarms) ? LampState::kTriggered : LampState::kArmed;
    }
  }
  return states;
}

LampStates EvaluateAlarms(const HistoryRow& row, const HeaderRecord& header,
                          const AlarmRecord& alarms) {
  AlarmRecord thresholds = alarms;
  AlarmsToDisplayUnits(thresholds, header);
  return EvaluateLamps(row, header, thresholds);
}

}  // namespace skyvane
