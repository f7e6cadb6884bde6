#pragma once
// The readings a weather network is sent, taken from the live reading in the
// station's base units; a missing reading stays missing (never zero).
#include <ctime>
#include <optional>

#include "core/station/history_row.h"

namespace skyvane {

class HistoryFile;

struct UploadValues {
  std::time_t time = 0;  // when the reading was taken
  std::optional<double> outdoorTemperature, dewPoint, windChill, indoorTemperature;  // °C
  std::optional<double> outdoorHumidity, indoorHumidity;                             // %
  std::optional<double> relativePressure;                                            // hPa
  std::optional<double> windDirection;                                               // degrees
  std::optional<double> windSpeed, gustSpeed;                                        // m/s
  std::optional<double> rainHour, rain24h, rainToday;                                // mm
};

// The values of a stored-form reading; rainToday as given.
UploadValues UploadValuesOf(const HistoryRow& stored, std::time_t readTime,
                            std::optional<double> rainToday);

// Rain since local midnight of readTime: the reading's total rain less the
// total of the last stored record up to midnight (a record stamped 00:00:00
// belongs to the day before), or, when the file begins today, less the first
// record's total before its own rain. Nothing when the
// file has no record, the total is missing, or the file stays busy.
std::optional<double> RainSinceMidnight(HistoryFile& file, const HistoryRow& stored,
                                        std::time_t readTime);

// Unit conversions the networks ask for.
inline double Fahrenheit(double celsius) { return celsius * 9.0 / 5.0 + 32.0; }
inline double MilesPerHour(double metresPerSecond) { return metresPerSecond * 3600.0 / 1609.344; }
inline double Inches(double millimetres) { return millimetres / 25.4; }
inline double InchesOfMercury(double hectopascals) { return hectopascals / 33.8638866667; }

}  // namespace skyvane
