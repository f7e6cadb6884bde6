#include "core/publish/http/records_query.h"

#include <charconv>

#include "core/app/time_text.h"

namespace skyvane {
namespace {

bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
  if (at + count > text.size()) return false;
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

std::tm PartsOf(int y, int mo, int d, int h, int mi, int s) {
  std::tm parts{};
  parts.tm_year = y - 1900;
  parts.tm_mon = mo - 1;
  parts.tm_mday = d;
  parts.tm_hour = h;
  parts.tm_min = mi;
  parts.tm_sec = s;
  return parts;
}

const ReadingKey* KeyNamed(std::string_view name) {
  for (const ReadingKey& key : ReadingKeys()) {
    if (key.name == name) return &key;
  }
  return nullptr;
}

// A piece of the request quoted in an error: printable ASCII only, each other
// byte as "?", and not more than a line's worth, so that a hostile request
// can put nothing into the answer that a terminal or a log would act on.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kMost = 40;
  std::string quoted = "'";
  for (std::size_t i = 0; i < text.size() && i < kMost; ++i) {
    const char c = text[i];
    quoted += c >= 0x20 && c < 0x7f ? c : '?';
  }
  if (text.size() > kMost) quoted += "...";
  return quoted + "'";
}

int DaysInMonth(int y, int mo) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return mo == 2 && leap ? 29 : kDays[mo - 1];
}

const std::string kFirst = "1970-01-01 00:00:00";
const std::string kLast = "9999-12-31 23:59:59";

bool ParseCount(std::string_view text, std::size_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool ParseQueryTime(std::string_view text, std::string& recordTime) {
  int y, mo, d, h = 0, mi = 0, s = 0;
  if (!Digits(text, 0, 4, y) || text.size() < 10 || text[4] != '-' || !Digits(text, 5, 2, mo) ||
      text[7] != '-' || !Digits(text, 8, 2, d)) {
    return false;
  }
  std::size_t at = 10;
  if (at < text.size()) {
    if (text[at] != 'T' && text[at] != ' ') return false;
    if (!Digits(text, at + 1, 2, h) || at + 3 >= text.size() || text[at + 3] != ':' ||
        !Digits(text, at + 4, 2, mi)) {
      return false;
    }
    at += 6;
    if (at < text.size() && text[at] == ':') {
      if (!Digits(text, at + 1, 2, s)) return false;
      at += 3;
    }
  }
  if (y < 1970 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h > 23 || mi > 59 || s > 59) {
    return false;
  }
  if (at == text.size()) {
    recordTime = TimeText(PartsOf(y, mo, d, h, mi, s));
    return true;
  }
  // A UTC offset: "Z", "+02:00", "-0530"; a '+' may arrive as the blank a
  // query string makes of it.
  long offset = 0;
  const std::string_view zone = text.substr(at);
  if (zone != "Z") {
    int oh = 0, om = 0;
    const char sign = zone[0];
    if (sign != '+' && sign != '-' && sign != ' ') return false;
    if (!Digits(zone, 1, 2, oh)) return false;
    std::size_t m = 3;
    if (m < zone.size() && zone[m] == ':') ++m;
    if (!Digits(zone, m, 2, om) || m + 2 != zone.size() || oh > 23 || om > 59) return false;
    offset = (oh * 60L + om) * 60 * (sign == '-' ? -1 : 1);
  }
  std::tm utc = PartsOf(y, mo, d, h, mi, s);
  recordTime = LocalTimeText(timegm(&utc) - offset);
  // An offset may carry the time past the years a stored time can name; the
  // texts compare as times only with four-digit years.
  if (recordTime.size() > kLast.size() || recordTime > kLast) recordTime = kLast;
  if (recordTime.size() < kFirst.size() || recordTime < kFirst) recordTime = kFirst;
  return true;
}

bool ParseRecordsQuery(const std::vector<std::pair<std::string, std::string>>& params,
                       std::time_t now, RecordsQuery& query, std::string& error) {
  query = RecordsQuery();
  bool haveFrom = false, haveTo = false, haveKeys = false, haveFormat = false, haveMax = false;
  for (const auto& [name, value] : params) {
    bool* seen = name == "from" ? &haveFrom
                 : name == "to" ? &haveTo
                 : name == "keys" ? &haveKeys
                 : name == "format" ? &haveFormat
                 : name == "max" ? &haveMax
                 : nullptr;
    if (!seen) {
      error = "unknown parameter " + Quoted(name);
      return false;
    }
    if (*seen) {
      error = "parameter " + Quoted(name) + " given twice";
      return false;
    }
    *seen = true;
    if (name == "from" || name == "to") {
      if (!ParseQueryTime(value, name == "from" ? query.start : query.end)) {
        error = Quoted(value) + " is no time: write 2024-05-06T07:08:09 or 2024-05-06 07:08:09";
        return false;
      }
    } else if (name == "keys") {
      std::string_view rest = value;
      while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view keyName = rest.substr(0, comma);
        const ReadingKey* key = KeyNamed(keyName);
        if (!key) {
          error = "unknown key " + Quoted(keyName);
          return false;
        }
        // Each key at most once: a repeated one would only multiply the answer.
        for (const ReadingKey* had : query.keys) {
          if (had == key) {
            error = "key " + Quoted(keyName) + " given twice";
            return false;
          }
        }
        query.keys.push_back(key);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
      }
    } else if (name == "format") {
      if (value != "json" && value != "csv") {
        error = "format must be json or csv";
        return false;
      }
      query.csv = value == "csv";
    } else if (!ParseCount(value, query.maxPoints) || query.maxPoints == 0) {
      error = "max must be a whole number above 0";
      return false;
    }
  }
  if (!haveTo) query.end = kLast;
  if (!haveFrom) {
    std::time_t to = now;
    if (haveTo) to = LocalTimeOfText(query.end);
    query.start = to - 86400 < 0 ? kFirst : LocalTimeText(to - 86400);
  }
  if (query.start > query.end) {
    error = "from lies after to";
    return false;
  }
  return true;
}

RowPicker::RowPicker(std::size_t rows, std::size_t maxPoints)
    : rows_(rows), limit_(maxPoints == 0 || maxPoints > rows ? rows : maxPoints) {}

bool RowPicker::Take() {
  const std::size_t index = next_++;
  if (index >= rows_ || picked_ >= limit_) return false;
  std::size_t wanted = index;
  if (limit_ < rows_) wanted = limit_ == 1 ? rows_ - 1 : picked_ * (rows_ - 1) / (limit_ - 1);
  if (index != wanted) return false;
  ++picked_;
  return true;
}

void AppendRecordJson(std::string& out, const HistoryRow& row, const RecordsQuery& query) {
  if (query.keys.empty()) {
    out += RecordJson(row);
    return;
  }
  const std::string time = IsoLocalTime(row[row::recordTime]);
  out += "{\"time\":";
  out += time.empty() ? std::string("null") : JsonString(time);
  for (const ReadingKey* key : query.keys) {
    out += ",";
    out += JsonString(key->name);
    out += ":";
    const std::optional<double> value = ReadingValue(row, *key);
    out += value ? JsonNumber(*value) : std::string("null");
  }
  out += "}";
}

namespace {

std::vector<const ReadingKey*> CsvKeys(const RecordsQuery& query) {
  std::vector<const ReadingKey*> keys = query.keys;
  if (keys.empty()) {
    for (const ReadingKey& key : ReadingKeys()) keys.push_back(&key);
  }
  return keys;
}

}  // namespace

std::string RecordsCsvHead(const RecordsQuery& query) {
  std::string csv = "time";
  for (const ReadingKey* key : CsvKeys(query)) {
    csv += ",";
    csv += key->name;
  }
  return csv + "\r\n";
}

void AppendRecordCsv(std::string& out, const HistoryRow& row, const RecordsQuery& query) {
  out += IsoLocalTime(row[row::recordTime]);
  auto add = [&out, &row](const ReadingKey& key) {
    out += ",";
    const std::optional<double> value = ReadingValue(row, key);
    if (value) out += JsonNumber(*value);
  };
  if (query.keys.empty()) {
    for (const ReadingKey& key : ReadingKeys()) add(key);
  } else {
    for (const ReadingKey* key : query.keys) add(*key);
  }
  out += "\r\n";
}

}  // namespace skyvane
