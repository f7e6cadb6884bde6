#pragma once
// The live values in the Prometheus text format, from the body /api/current
// answers: one gauge per reading, named with its unit as Prometheus names
// units (skyvane_outdoor_temperature_celsius, ..._hectopascals,
// ..._meters_per_second, and rain in its base unit: skyvane_rain_total_meters);
// a missing reading has no sample.
// Besides them skyvane_station_up, skyvane_last_read_timestamp_seconds and
// skyvane_alarm_state, one sample per alarm and state, 1 for the state it is
// in (all 0 while the states are unknown).
#include <string>
#include <string_view>

namespace skyvane {

std::string LiveMetricsText(const std::string& currentJson);

// "2024-05-06T07:08:09+02:00" as seconds since the epoch; -1 when it is no such time.
long long IsoTimeSeconds(std::string_view iso);

}  // namespace skyvane
