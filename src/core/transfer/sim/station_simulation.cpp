#include "core/transfer/sim/station_simulation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "core/memory/byte_codec.h"
#include "core/transfer/sim/maxmin_keeper.h"
#include "core/transfer/sim/rain_windows.h"
#include "core/transfer/sim/station_record.h"

namespace skyvane::sim {

namespace {

constexpr int kPressureOffset = 7;  // in a weather record

int MonthKey(std::int64_t t) {
  std::tm local{};
  const auto tt = static_cast<std::time_t>(t);
  localtime_r(&tt, &local);
  return (local.tm_year + 1900) * 100 + local.tm_mon + 1;
}

// Tenths of °C, from tenths of °C and percent.
int DewPoint(int temperature, int humidity) {
  const double t = temperature / 10.0;
  const double g = std::log(std::max(humidity, 1) / 100.0) + 17.62 * t / (243.12 + t);
  return static_cast<int>(std::lround(10 * 243.12 * g / (17.62 - g)));
}

// Tenths of °C, from tenths of °C and tenths of m/s.
int WindChill(int temperature, int wind) {
  const double t = temperature / 10.0;
  const double v = wind / 10.0;
  if (t > 33 || v < 1.8) return temperature;
  return static_cast<int>(std::lround(10 * (33 - (0.55 + 0.417 * std::sqrt(v) - 0.0454 * v) * (33 - t))));
}

}  // namespace

void StationSimulation::SetUp(MemorySpan memory, std::int64_t now, int prefillDays,
                              int timeZoneHours) {
  SetUpInService(memory, timeZoneHours);
  const std::int64_t start = now - std::max(prefillDays, 0) * 86400LL;
  state_.stationTime = start;
  state_.slotStart = start;
  state_.lastRefresh = start;
  state_.rainTotal = 0;
  state_.counterBase = static_cast<std::uint16_t>(0x10000 - kStepsBeforeWrap);
  state_.monthKey = MonthKey(start);
  state_.monthStartTotal = 0;
  state_.relativeOffset = kDefaultRelativeOffset;
  WriteRunningRecord(memory, start);
  Remember(memory);
  Run(memory, now);
}

void StationSimulation::Adopt(MemorySpan memory, std::int64_t now) {
  const std::uint16_t current = CurrentAddress(memory);
  state_.stationTime = now;
  state_.slotStart = now;
  state_.lastRefresh = now;
  state_.rainTotal = 0;
  state_.counterBase = static_cast<std::uint16_t>(ReadU16(&memory[current + 13]));
  state_.monthKey = MonthKey(now);
  state_.monthStartTotal = 0;
  const std::uint8_t units = memory[hb::kUnits.offset];
  const auto alarms = AlarmBlock(memory);
  const auto pressure = [&alarms, units](layout::Field f) {
    return PressureFromStationUnit(static_cast<int>(layout::ReadNumber(alarms, f)), units);
  };
  const int offset = pressure(al::kRelPressureNow) - pressure(al::kAbsPressureNow);
  state_.relativeOffset = std::abs(offset) <= 1500 ? offset : kDefaultRelativeOffset;
  memory[hb::kInterval.offset] = static_cast<std::uint8_t>(Interval(memory));
  WriteRunningRecord(memory, now);
  Remember(memory);
}

void StationSimulation::Run(MemorySpan memory, std::int64_t now) {
  TakeProgramWrites(memory);
  if (now - state_.lastRefresh > kMaxCatchUpSeconds) {
    // Off for months: start the catch-up where it still shows in the ring.
    const std::int64_t skipTo = now - kMaxCatchUpSeconds;
    state_.lastRefresh = skipTo;
    state_.slotStart = skipTo;
  }
  // Refreshes and slot changes in the order they fall due. A shortened
  // interval closes the running record at once, not in the past.
  while (true) {
    const std::int64_t refreshDue = state_.lastRefresh + WeatherModel::kRefreshSeconds;
    const std::int64_t closeDue =
        std::max<std::int64_t>(state_.slotStart + 60LL * Interval(memory), state_.lastRefresh);
    if (std::min(refreshDue, closeDue) > now) break;
    if (closeDue <= refreshDue) {
      CloseSlot(memory, closeDue);
    } else {
      Refresh(memory, refreshDue);
      state_.lastRefresh = refreshDue;
    }
  }
  state_.stationTime = std::max(state_.stationTime, now);
  Remember(memory);
}

void StationSimulation::TakeProgramWrites(MemorySpan memory) {
  std::uint8_t* h = memory.data();
  // The markers say the base unit is in service; that is not the program's to change.
  for (const layout::Field f : {hb::kMarker55, hb::kMarkerAA}) h[f.offset] = shadow_[f.offset];
  // The settings-changed mark: the base unit takes in its settings and clears it.
  std::uint8_t& mark = h[hb::kSettingsChanged.offset];
  if (mark == memmap::kSettingsChangedMark) mark = 0;
  // Intervals the base unit cannot keep are refused.
  std::uint8_t& interval = h[hb::kInterval.offset];
  if (interval == 0 || interval > kMaxInterval) interval = shadow_[hb::kInterval.offset];
  // The ring is the station's own: a write may only clear it (a count of 0);
  // a header written back with an older count or address is not followed.
  const long long count = layout::ReadNumber(memory, hb::kRecordCount);
  const long long shadowCount = layout::ReadNumber(shadow_, hb::kRecordCount);
  if (count == 0) {
    layout::WriteNumber(memory, hb::kRecordCount, 1);  // only the running record is left
  } else if (count != shadowCount) {
    layout::WriteNumber(memory, hb::kRecordCount, shadowCount);
  }
  layout::WriteNumber(memory, hb::kCurrentAddress,
                      layout::ReadNumber(shadow_, hb::kCurrentAddress));

  // A relative pressure written by the program sets the offset to the
  // absolute one; a value that only differs by the rounding of a unit change
  // leaves it alone, so changing units back and forth does not make it drift.
  const std::uint8_t units = h[hb::kUnits.offset];
  const int absolute = AbsolutePressureNow(memory);
  const int written = static_cast<int>(layout::ReadNumber(AlarmBlock(memory), al::kRelPressureNow));
  const int expected = PressureToStationUnit(absolute + state_.relativeOffset, units);
  if (std::abs(written - expected) > 1) {
    const int relative = PressureFromStationUnit(written, units);
    if (relative >= 8000 && relative <= 12000) state_.relativeOffset = relative - absolute;
  }
  WriteCurrentPressures(memory, absolute, absolute + state_.relativeOffset);
}

void StationSimulation::Refresh(MemorySpan memory, std::int64_t t) {
  const int rain = model_.RainCounts(t);
  state_.rainTotal += rain;
  const int month = MonthKey(t);
  if (month != state_.monthKey) {
    state_.monthKey = month;
    state_.monthStartTotal = state_.rainTotal;
  }
  WriteRunningRecord(memory, t);

  const WeatherReading r = model_.At(t);
  MaxMinSample sample;
  sample.indoorHumidity = r.indoorHumidity;
  sample.indoorTemperature = r.indoorTemperature;
  sample.absolutePressure = r.absolutePressure;
  sample.relativePressure = r.absolutePressure + state_.relativeOffset;
  if (!r.outdoorLost) {
    sample.outdoorHumidity = r.outdoorHumidity;
    sample.outdoorTemperature = r.outdoorTemperature;
    sample.windChill = WindChill(r.outdoorTemperature, r.windSpeed);
    sample.dewPoint = DewPoint(r.outdoorTemperature, r.outdoorHumidity);
    sample.windSpeed = r.windSpeed;
    sample.gustSpeed = r.gustSpeed;
  }
  // Rain over a window only grows when rain falls, so its maximum can only
  // move then (and once at the start, to set it).
  if (rain > 0 || !rainWindowsFollowed_) {
    const RainWindows windows = RainInWindows(memory, state_.slotStart, t);
    sample.rainHour = windows.hour * 3;  // steps of 0.3 mm in tenths of mm
    sample.rain24h = windows.day * 3;
    sample.rainWeek = windows.week * 3;
    rainWindowsFollowed_ = true;
  }
  sample.rainMonth = static_cast<int>(std::min<std::int64_t>((state_.rainTotal - state_.monthStartTotal) * 3, 0xFFFFF));
  sample.rainTotal = static_cast<int>(std::min<std::int64_t>(state_.rainTotal * 3, 0xFFFFF));
  FollowMaxMin(memory.subspan<memmap::kMaxMinAddress, memmap::kMaxMinSize>(), sample, t);
}

void StationSimulation::CloseSlot(MemorySpan memory, std::int64_t closeTime) {
  const std::uint16_t current = CurrentAddress(memory);
  const auto minutes = (closeTime - state_.slotStart + 30) / 60;
  memory[current] = static_cast<std::uint8_t>(std::clamp<std::int64_t>(minutes, 1, kMaxInterval));
  layout::WriteNumber(memory, hb::kCurrentAddress, memmap::NextSlot(current));
  layout::WriteNumber(memory, hb::kRecordCount,
                      std::min<int>(RecordCount(memory) + 1, memmap::kRingSlots));
  state_.slotStart = closeTime;
  WriteRunningRecord(memory, closeTime);
}

void StationSimulation::WriteRunningRecord(MemorySpan memory, std::int64_t t) {
  const WeatherReading r = model_.At(t);
  const RecordBytes bytes = EncodeStationRecord(r, Interval(memory), state_.RainCounter());
  std::copy(bytes.begin(), bytes.end(), memory.begin() + CurrentAddress(memory));
  WriteCurrentPressures(memory, r.absolutePressure, r.absolutePressure + state_.relativeOffset);
}

int StationSimulation::AbsolutePressureNow(ConstMemorySpan memory) const {
  const int p = static_cast<int>(ReadU16(&memory[CurrentAddress(memory) + kPressureOffset]));
  return p >= 8000 && p <= 12000 ? p : model_.At(state_.lastRefresh).absolutePressure;
}

void StationSimulation::Remember(ConstMemorySpan memory) {
  std::copy(memory.begin(), memory.begin() + memmap::kRingFirst, shadow_.begin());
}

}  // namespace skyvane::sim
