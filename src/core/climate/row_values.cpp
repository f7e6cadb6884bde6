#include "core/climate/row_values.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/app/time_text.h"
#include "core/history/history_line.h"

namespace skyvane::climate {
namespace {

// Days since 1970-01-01 back to the date (the inverse of DaysFromCivil).
void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
}

}  // namespace

std::optional<double> FieldNumber(std::string_view text) {
  text = TrimLine(text);
  if (text.empty()) return std::nullopt;
  double v = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, v);
  if (ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
  return v;
}

bool DayOfTime(std::string_view time, std::string& day, std::int64_t& seconds) {
  unsigned n[6];
  if (!ReadTimeText(time, n) || n[1] < 1 || n[1] > 12 || n[2] < 1 || n[2] > 31 || n[3] > 23 ||
      n[4] > 59 || n[5] > 60) {
    return false;
  }
  const std::int64_t days = DaysFromCivil(n[0], n[1], n[2]);
  seconds = days * 86400 + n[3] * 3600 + n[4] * 60 + n[5];
  std::int64_t y = 0;
  unsigned m = 0, d = 0;
  CivilFromDays((seconds - 1) >= days * 86400 ? days : days - 1, y, m, d);
  char text[40];
  std::snprintf(text, sizeof text, "%04lld-%02u-%02u", static_cast<long long>(y), m, d);
  day = text;
  return true;
}

bool ReadRowValues(const HistoryTable::FieldViews& fields, RowValues& out) {
  out.time.assign(TrimLine(fields[row::recordTime]));
  if (!DayOfTime(out.time, out.day, out.seconds)) return false;
  out.temperature = FieldNumber(fields[row::outdoorTemperature]);
  out.humidity = FieldNumber(fields[row::outdoorHumidity]);
  out.pressure = FieldNumber(fields[row::relativePressure]);
  out.windSpeed = FieldNumber(fields[row::windSpeed]);
  out.gustSpeed = FieldNumber(fields[row::gustSpeed]);
  const auto code = FieldNumber(fields[row::windDir]);
  out.directionCode.reset();
  if (code && *code >= 0 && *code <= 15 && *code == std::floor(*code)) {
    out.directionCode = static_cast<int>(*code);
  }
  const auto rain = FieldNumber(fields[row::rainIncrement]);
  out.rainHundredths.reset();
  // Increments are tenths; counted in hundredths the sums stay exact.
  if (rain && std::fabs(*rain) < 1e9) out.rainHundredths = std::llround(*rain * 100);
  return true;
}

}  // namespace skyvane::climate
