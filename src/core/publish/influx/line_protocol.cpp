#include "core/publish/influx/line_protocol.h"

#include <charconv>

#include "core/app/time_text.h"
#include "core/history/history_line.h"
#include "core/publish/reading_json.h"

namespace skyvane {
namespace {

std::string Escaped(std::string_view text, std::string_view special) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (special.find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

std::string EscapedMeasurement(std::string_view name) { return Escaped(name, ", "); }

std::string EscapedKey(std::string_view key) { return Escaped(key, ",= "); }

bool IsLineProtocolName(std::string_view text) {
  if (text.empty() || text.front() == '#' || text.front() == '_') return false;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '\\') return false;
  }
  return true;
}

std::string RecordPoint(const HistoryRow& stored, std::string_view measurement,
                        std::string_view station) {
  const std::time_t time = LocalTimeOfText(TrimLine(stored[row::recordTime]));
  if (time == static_cast<std::time_t>(-1)) return {};
  std::string fields;
  for (const ReadingKey& key : ReadingKeys()) {
    const std::optional<double> value = ReadingValue(stored, key);
    const std::string number = value ? JsonNumber(*value) : std::string("null");
    if (number == "null") continue;
    if (!fields.empty()) fields += ',';
    fields += EscapedKey(key.name);
    fields += '=';
    fields += number;  // no 'i' suffix: a float, whatever the digits
  }
  if (fields.empty()) return {};
  return EscapedMeasurement(measurement) + ",station=" + EscapedKey(station) + " " + fields + " " +
         std::to_string(static_cast<long long>(time));
}

bool IsPointLine(std::string_view text) {
  if (text.empty() || text.find_first_of("\r\n") != std::string_view::npos) return false;
  const std::size_t lastSpace = text.rfind(' ');
  if (lastSpace == std::string_view::npos || lastSpace == 0) return false;
  const std::string_view time = text.substr(lastSpace + 1);
  long long seconds = 0;
  const auto [end, ec] = std::from_chars(time.data(), time.data() + time.size(), seconds);
  if (time.empty() || ec != std::errc() || end != time.data() + time.size()) return false;
  // The field set: after the first space that no backslash escapes.
  for (std::size_t i = 0; i < lastSpace; ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == ' ') {
      return i > 0 && i + 1 < lastSpace && text.find('=', i) < lastSpace;
    }
  }
  return false;
}

}  // namespace skyvane
