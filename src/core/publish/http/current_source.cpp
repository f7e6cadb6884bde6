#include "core/publish/http/current_source.h"

#include <sys/stat.h>

#include <optional>
#include <string_view>
#include <utility>

#include "core/app/time_text.h"
#include "core/history/history_line.h"
#include "core/publish/http/live_state.h"
#include "core/publish/reading_json.h"
#include "core/publish/world_texts.h"
#include "core/units/record_display.h"

namespace skyvane {
namespace {

// The header's unit of a key; nothing for a key the header names no unit for.
std::optional<std::string_view> HeaderUnit(const ReadingKey& key, const HeaderRecord& header) {
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
    default: return std::nullopt;
  }
}

// The unit a key is displayed in, as the world writes it ("hPa" for the
// header's "Hpa"); empty when the header names none the world knows.
std::string_view DisplayUnit(const ReadingKey& key, const HeaderRecord& header) {
  const std::optional<std::string_view> station = HeaderUnit(key, header);
  return station ? WorldUnitText(*station) : key.unit;
}

// The modification time and size of a file, to notice that it changed; zeros
// when it is not there.
std::pair<std::int64_t, std::int64_t> FileMark(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return {0, 0};
  return {static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
          static_cast<std::int64_t>(st.st_size)};
}

// A stored time text as a calendar time; 0 when it is none.
std::time_t StoredTime(std::string_view text) {
  const std::time_t t = LocalTimeOfText(TrimLine(text));
  return t == static_cast<std::time_t>(-1) ? 0 : t;
}

}  // namespace

std::string CurrentResponseJson(const std::string& reading, bool connected, std::time_t lastRead,
                                const char* source, const HistoryRow& display,
                                const HeaderRecord& header, std::time_t alarmsSeen) {
  std::string json = reading.size() >= 2 ? reading.substr(0, reading.size() - 1) : "{\"time\":null";
  json += ",\"connected\":";
  json += connected ? "true" : "false";
  json += ",\"last_read\":";
  json += lastRead != 0 ? JsonString(IsoLocalTime(lastRead)) : std::string("null");
  json += ",\"alarms_seen\":";
  json += alarmsSeen != 0 ? JsonString(IsoLocalTime(alarmsSeen)) : std::string("null");
  json += ",\"source\":";
  json += JsonString(source);
  json += ",\"units\":{";
  bool first = true;
  for (const ReadingKey& key : ReadingKeys()) {
    if (!first) json += ",";
    first = false;
    const std::string_view unit = DisplayUnit(key, header);
    json += JsonString(key.name) + ":" + (unit.empty() ? std::string("null") : JsonString(unit));
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
  return CurrentResponseJson(reading_, connected_, lastRead_, "live", display_, header_, lastRead_);
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

HeaderRecord LiveReading::DisplayUnits() {
  std::lock_guard<std::mutex> lock(mutex_);
  return header_;
}

HeaderRecord StoredReading::DisplayUnits() {
  LiveState state;
  if (liveStatePath_.empty() || !LoadLiveState(liveStatePath_, state)) return HeaderRecord();
  return state.units;
}

std::string StoredReading::CurrentJson() {
  HistoryRow stored;
  const bool have = file_.LoadLastRow(stored);
  // The units and lamps a logger on this folder last saw; without them the
  // values stay in base units and the lamps unknown.
  LiveState state;
  const bool haveState = !liveStatePath_.empty() && LoadLiveState(liveStatePath_, state);
  const HeaderRecord header = haveState ? state.units : HeaderRecord();
  HistoryRow display = stored;
  RowToDisplayUnits(display, header);
  const std::time_t recordTime = have ? StoredTime(stored[row::recordTime]) : 0;
  const std::optional<LampStates> lamps = haveState ? std::optional<LampStates>(state.lamps) : std::nullopt;
  const std::string reading = have ? CurrentReadingJson(stored, lamps, recordTime) : std::string();
  return CurrentResponseJson(reading, false, recordTime, "stored", have ? display : HistoryRow(), header,
                             haveState ? state.seen : 0);
}

void StoredReading::CheckFileLocked() {
  HistoryFile::Stamp now;
  if (!file_.ReadStamp(now)) return;
  const auto liveMark = FileMark(liveStatePath_);
  if (haveStamp_ && (!(now == stamp_) || liveMark != liveMark_)) ++cycle_;
  stamp_ = now;
  liveMark_ = liveMark;
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
