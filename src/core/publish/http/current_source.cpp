#include "core/publish/http/current_source.h"

#include <string_view>

#include "core/app/time_text.h"
#include "core/history/history_line.h"
#include "core/publish/reading_json.h"
#include "core/units/record_display.h"

namespace skyvane {
namespace {

// The unit a key is displayed in, as the header names it.
std::string_view DisplayUnit(const ReadingKey& key, const HeaderRecord& header) {
  switch (key.field) {
    case row::indoorTemperature: return header[hdr::kUnitIndoorTemp];
    case row::outdoorTemperature:
    case row::dewPoint:
    case row::windChill: return header[hdr::kUnitOutdoorTemp];
    case row::absolutePressure:
    case row::relativePressure: return header[hdr::kUnitPressure];
    case row::windSpeed:
    case row::gustSpeed: return header[hdr::kUnitWind];
    case row::rainHour:
    case row::rain24h:
    case row::rainWeek:
    case row::rainMonth:
    case row::rainTotal: return header[hdr::kUnitRain];
    default: return key.unit;
  }
}

// A stored time text as a calendar time; 0 when it is none.
std::time_t StoredTime(std::string_view text) {
  const std::time_t t = LocalTimeOfText(TrimLine(text));
  return t == static_cast<std::time_t>(-1) ? 0 : t;
}

}  // namespace

std::string CurrentResponseJson(const std::string& reading, bool connected, std::time_t lastRead,
                                const char* source, const HistoryRow& display,
                                const HeaderRecord& header) {
  std::string json = reading.size() >= 2 ? reading.substr(0, reading.size() - 1) : "{\"time\":null";
  json += ",\"connected\":";
  json += connected ? "true" : "false";
  json += ",\"last_read\":";
  json += lastRead != 0 ? JsonString(IsoLocalTime(lastRead)) : std::string("null");
  json += ",\"source\":";
  json += JsonString(source);
  json += ",\"units\":{";
  bool first = true;
  for (const ReadingKey& key : ReadingKeys()) {
    if (!first) json += ",";
    first = false;
    json += JsonString(key.name) + ":" + JsonString(DisplayUnit(key, header));
  }
  json += "},\"display\":{";
  first = true;
  for (const ReadingKey& key : ReadingKeys()) {
    if (!first) json += ",";
    first = false;
    json += JsonString(key.name) + ":";
    if (key.field == row::windDir) {
      // The row holds the compass code; people read degrees.
      const std::optional<double> degrees = ReadingValue(display, key);
      json += degrees ? JsonString(JsonNumber(*degrees)) : std::string("null");
      continue;
    }
    const std::string_view text = TrimLine(display[key.field]);
    json += text.empty() || text == "---" ? std::string("null") : JsonString(text);
  }
  json += "}}";
  return json;
}

void LiveReading::OnLiveValues(const HistoryRow& display, const HeaderRecord& header) {
  std::lock_guard<std::mutex> lock(mutex_);
  display_ = display;
  header_ = header;
}

void LiveReading::OnReading(const HistoryRow& stored, const LampStates& lamps, std::time_t readTime) {
  std::string json = CurrentReadingJson(stored, lamps, readTime);
  std::lock_guard<std::mutex> lock(mutex_);
  reading_ = std::move(json);
  lastRead_ = readTime;
  // Read from the station just now, while the cycle goes on to download.
  connected_ = true;
}

void LiveReading::OnCycleEnded(StationSeen seen) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (seen != StationSeen::kUntried) connected_ = seen == StationSeen::kRead;
    ++cycle_;
  }
  changed_.notify_all();
}

std::string LiveReading::CurrentJson() {
  std::lock_guard<std::mutex> lock(mutex_);
  return CurrentResponseJson(reading_, connected_, lastRead_, "live", display_, header_);
}

bool LiveReading::WaitForCycle(std::uint64_t& seen, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait_for(lock, timeout, [&] { return stopped_ || cycle_ != seen; });
  if (stopped_ || cycle_ == seen) return false;
  seen = cycle_;
  return true;
}

std::uint64_t LiveReading::Cycle() {
  std::lock_guard<std::mutex> lock(mutex_);
  return cycle_;
}

void LiveReading::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
  }
  changed_.notify_all();
}

std::string StoredReading::CurrentJson() {
  HistoryRow stored;
  const bool have = file_.LoadLastRow(stored);
  HistoryRow display = stored;
  const HeaderRecord base;  // the stored values stay in base units
  RowToDisplayUnits(display, base);
  const std::time_t recordTime = have ? StoredTime(stored[row::recordTime]) : 0;
  const std::string reading = have ? CurrentReadingJson(stored, LampStates{}, recordTime) : std::string();
  return CurrentResponseJson(reading, false, recordTime, "stored", have ? display : HistoryRow(), base);
}

void StoredReading::CheckFileLocked() {
  HistoryFile::Stamp now;
  if (!file_.ReadStamp(now)) return;
  if (haveStamp_ && !(now == stamp_)) ++cycle_;
  stamp_ = now;
  haveStamp_ = true;
}

bool StoredReading::WaitForCycle(std::uint64_t& seen, std::chrono::milliseconds timeout) {
  const auto until = std::chrono::steady_clock::now() + timeout;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    if (stopped_) return false;
    CheckFileLocked();
    if (cycle_ != seen) {
      seen = cycle_;
      return true;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= until) return false;
    stopping_.wait_for(lock, std::min<std::chrono::steady_clock::duration>(checkEvery_, until - now));
  }
}

std::uint64_t StoredReading::Cycle() {
  std::lock_guard<std::mutex> lock(mutex_);
  CheckFileLocked();
  return cycle_;
}

void StoredReading::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
  }
  stopping_.notify_all();
}

}  // namespace skyvane
