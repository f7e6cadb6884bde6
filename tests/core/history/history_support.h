#pragma once
// Rows and times for the history tests, the command-line tests and the
// History and Graph window tests.
#include <ctime>
#include <ostream>
#include <string>

#include "core/station/history_row.h"
#include "support/local_time.h"

namespace skyvane {

// Rows in test messages: field number and text.
inline void PrintTo(const HistoryRow& r, std::ostream* os) {
  for (int f = 0; f < row::kCount; ++f) *os << (f ? " " : "") << f << "=[" << r[f] << "]";
}

}  // namespace skyvane

namespace skyvane::testing {

// A completed row as a download stores it.
inline HistoryRow StoredRow(const std::string& recordTime, const std::string& rain = "30.0",
                            const std::string& increment = "0.0",
                            const std::string& total = "0.0") {
  HistoryRow r;
  r[row::stationAddress] = "0001F0";
  r[row::rawBytes] = "05 2D D7 00 50 20 80 24 27 0C 18 00 64 00 00 00 ";
  r[row::recordTime] = recordTime;
  r[row::interval] = "5";
  r[row::indoorHumidity] = "45";
  r[row::indoorTemperature] = "21.5";
  r[row::outdoorHumidity] = "80";
  r[row::outdoorTemperature] = "-3.2";
  r[row::absolutePressure] = "1013.2";
  r[row::windSpeed] = "1.2";
  r[row::gustSpeed] = "2.0";
  r[row::windDir] = "5";
  r[row::rainCounter] = "100";
  r[row::rain] = rain;
  r[row::relativePressure] = "1020.1";
  r[row::dewPoint] = "-6.1";
  r[row::windChill] = "-8.4";
  r[row::rainIncrement] = increment;
  r[row::rainHour] = "0.6";
  r[row::rain24h] = "1.2";
  r[row::rainWeek] = "4.5";
  r[row::rainMonth] = "12.0";
  r[row::rainTotal] = total;
  r[row::windLevel] = "1";
  r[row::gustLevel] = "2";
  r[row::directionName] = "SEE";
  for (int f = row::flag1; f <= row::flag8; ++f) r[f] = "0";
  r[row::flag1 + 6] = "1";
  return r;
}

}  // namespace skyvane::testing
