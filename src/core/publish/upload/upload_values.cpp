#include "core/publish/upload/upload_values.h"

#include <string>

#include "core/app/time_text.h"
#include "core/history/history_file.h"
#include "core/publish/reading_json.h"

namespace skyvane {
namespace {

std::optional<double> Value(const HistoryRow& row, std::string_view key) {
  for (const ReadingKey& k : ReadingKeys()) {
    if (k.name == key) return ReadingValue(row, k);
  }
  return std::nullopt;
}

std::optional<double> Field(const HistoryRow& row, int field) {
  return ReadingValue(row, ReadingKey{"", field, "", "", false});
}

}  // namespace

UploadValues UploadValuesOf(const HistoryRow& stored, std::time_t readTime,
                            std::optional<double> rainToday) {
  UploadValues v;
  v.time = readTime;
  v.outdoorTemperature = Value(stored, "outdoor_temperature");
  v.dewPoint = Value(stored, "dewpoint");
  v.windChill = Value(stored, "windchill");
  v.indoorTemperature = Value(stored, "indoor_temperature");
  v.outdoorHumidity = Value(stored, "outdoor_humidity");
  v.indoorHumidity = Value(stored, "indoor_humidity");
  v.relativePressure = Value(stored, "relative_pressure");
  v.windDirection = Value(stored, "wind_direction");
  v.windSpeed = Value(stored, "wind_speed");
  v.gustSpeed = Value(stored, "gust_speed");
  v.rainHour = Value(stored, "rain_hour");
  v.rain24h = Value(stored, "rain_24h");
  v.rainToday = rainToday;
  return v;
}

std::optional<double> RainSinceMidnight(HistoryFile& file, const HistoryRow& stored,
                                        std::time_t readTime) {
  const std::optional<double> total = Field(stored, row::rainTotal);
  if (!total) return std::nullopt;
  std::tm midnight{};
  if (localtime_r(&readTime, &midnight) == nullptr) return std::nullopt;
  midnight.tm_hour = midnight.tm_min = midnight.tm_sec = 0;
  const std::string start = TimeText(midnight);

  std::optional<double> base;
  bool any = false;
  const HistoryFile::Scan scan = file.ScanBackward([&](std::string_view line) {
    HistoryRow row;
    if (HistoryFile::ParseLine(row, line) <= 0) return true;
    const std::optional<double> rowTotal = Field(row, row::rainTotal);
    if (!rowTotal) return true;
    any = true;
    // A record covers the minutes before its time: one stamped at midnight
    // closes the day before.
    if (row[row::recordTime] <= start) {
      base = rowTotal;
      return false;
    }
    // Today's oldest record so far: what fell before it belongs to yesterday.
    const std::optional<double> increment = Field(row, row::rainIncrement);
    base = *rowTotal - increment.value_or(0);
    return true;
  });
  if (scan != HistoryFile::Scan::kDone || !any || !base) return std::nullopt;
  const double today = *total - *base;
  // A total that went back (a new data file, a reset station) gives no answer.
  if (today < -0.05) return std::nullopt;
  return today < 0 ? 0.0 : today;
}

}  // namespace skyvane
