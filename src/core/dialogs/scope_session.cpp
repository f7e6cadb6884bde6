#include "core/dialogs/scope_session.h"

#include <utility>

#include "core/history/current_reading.h"
#include "core/station/station_device.h"
#include "core/units/conversions.h"
#include "core/units/record_display.h"
#include "core/units/repair_maxmin.h"
#include "core/units/timestamps.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

using namespace mm;

constexpr std::array<ScopeEntry, 23> kEntries{{
    {kIndoorHumidityMax, "Indoor Humidity", "Maximum", 0},
    {kIndoorHumidityMin, "Indoor Humidity", "Minimum", 0},
    {kOutdoorHumidityMax, "Outdoor Humidity", "Maximum", 0},
    {kOutdoorHumidityMin, "Outdoor Humidity", "Minimum", 0},
    {kIndoorTempMax, "Indoor Temperature", "Maximum", hdr::kUnitIndoorTemp},
    {kIndoorTempMin, "Indoor Temperature", "Minimum", hdr::kUnitIndoorTemp},
    {kOutdoorTempMax, "Outdoor Temperature", "Maximum", hdr::kUnitOutdoorTemp},
    {kOutdoorTempMin, "Outdoor Temperature", "Minimum", hdr::kUnitOutdoorTemp},
    {kWindChillMax, "Windchill", "Maximum", hdr::kUnitOutdoorTemp},
    {kWindChillMin, "Windchill", "Minimum", hdr::kUnitOutdoorTemp},
    {kDewPointMax, "Dewpoint", "Maximum", hdr::kUnitOutdoorTemp},
    {kDewPointMin, "Dewpoint", "Minimum", hdr::kUnitOutdoorTemp},
    {kAbsPressureMax, "Absolute Pressure", "Maximum", hdr::kUnitPressure},
    {kAbsPressureMin, "Absolute Pressure", "Minimum", hdr::kUnitPressure},
    {kRelPressureMax, "Relative Pressure", "Maximum", hdr::kUnitPressure},
    {kRelPressureMin, "Relative Pressure", "Minimum", hdr::kUnitPressure},
    {kWindSpeedMax, "Wind", "Maximum", hdr::kUnitWind},
    {kGustSpeedMax, "Gust", "Maximum", hdr::kUnitWind},
    {kRainHourMax, "Rain Maximum", "Hour", hdr::kUnitRain},
    {kRain24hMax, "Rain Maximum", "24 Hours", hdr::kUnitRain},
    {kRainWeekMax, "Rain Maximum", "Week", hdr::kUnitRain},
    {kRainMonthMax, "Rain Maximum", "Month", hdr::kUnitRain},
    {kRainTotalMax, "Rain Maximum", "Total", hdr::kUnitRain},
}};

}  // namespace

std::span<const ScopeEntry> ScopeEntries() { return kEntries; }

ScopeSession::ScopeSession(StationDevice& device, HistoryFile& file, const TextTable& text,
                           BusySleep sleep)
    : device_(device), file_(file), text_(text), sleep_(std::move(sleep)) {}

bool ScopeSession::Open(DialogMessages& messages) {
  DeviceBusyClaim claim = ClaimForDialog(device_, sleep_, messages);
  if (!claim) return false;
  Noted(device_.ReadMaxMin(maxmin_), Txt::ReadScopeDataFail, messages);
  const bool headerRead = Noted(device_.ReadHeader(header_), Txt::ReadSetupDataFail, messages);
  Noted(device_.ReadAlarms(alarms_), Txt::ReadSetupDataFail, messages);
  // Without a header there is no current-record address: reading address 0
  // would take the header's bytes for a weather reading.
  const bool recordRead =
      headerRead && ReadCurrentReading(device_, claim, file_, header_, alarms_, current_);
  if (!recordRead) messages.push_back(Txt::ReadSetupDataFail);
  MaxMinToDisplayUnits(maxmin_, header_);
  RepairMaxMin(maxmin_, header_, current_);
  PrepareTexts();
  return true;
}

void ScopeSession::PrepareTexts() {
  for (const ScopeEntry& e : kEntries) {
    const std::string unitText = e.unitField == 0 ? std::string(unit::kPercent) : header_[e.unitField];
    values_[static_cast<std::size_t>(e.field)] = maxmin_[e.field] + " " + unitText;
    times_[static_cast<std::size_t>(e.field)] =
        TimestampDisplayText(maxmin_[e.field + kTimeOffset], text_);
  }
}

}  // namespace skyvane
