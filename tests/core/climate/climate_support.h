#pragma once
// Hand-made data files for the climate tests: one line per row, written as a
// download stores it, with the values the climate reads given as texts.
#include <sstream>
#include <string>
#include <vector>

#include "core/history/history_line.h"
#include "core/history/history_support.h"

namespace skyvane::testing {

struct ClimateRow {
  std::string time;
  std::string temperature = "10.0", humidity = "80", pressure = "1013.0";
  std::string wind = "0.0", gust = "0.0", direction = "0", rain = "0.0";
};

inline std::string ClimateLines(const std::vector<ClimateRow>& rows) {
  std::string text;
  int sequence = 1;
  for (const ClimateRow& c : rows) {
    HistoryRow r = StoredRow(c.time, "30.0", c.rain);
    r[row::sequenceNo] = std::to_string(sequence++);
    r[row::outdoorTemperature] = c.temperature;
    r[row::outdoorHumidity] = c.humidity;
    r[row::relativePressure] = c.pressure;
    r[row::windSpeed] = c.wind;
    r[row::gustSpeed] = c.gust;
    r[row::windDir] = c.direction;
    text += FormatRowLine(r, c.time);
  }
  return text;
}

}  // namespace skyvane::testing
