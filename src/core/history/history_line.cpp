#include "core/history/history_line.h"

#include <climits>
#include <cstring>

namespace skyvane {

std::string FormatRowLine(const HistoryRow& row, std::string_view saveTime) {
  std::string out;
  out.reserve(320);
  for (int pos = 0; pos < line::kPositions; ++pos) {
    if (pos > 0) out += ", ";
    if (pos == line::kRainCounterPosition) out += "\t\t";
    const int field = line::kFieldAt[pos];
    const std::string_view text =
        field == row::saveTime ? saveTime : std::string_view(row[field]);
    const auto width = static_cast<std::size_t>(line::kWidthAt[pos]);
    if (text.size() < width) out.append(width - text.size(), ' ');
    out += text;
  }
  out += "\r\n";
  return out;
}

std::string NextToken(std::string& text, std::string_view separator) {
  const std::size_t at = separator.empty() ? std::string::npos : text.find(separator);
  if (at == std::string::npos) {
    std::string piece = std::move(text);
    text.clear();
    return piece;
  }
  std::string piece = text.substr(0, at);
  text.erase(0, at + separator.size());
  return piece;
}

std::string_view TrimLine(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && IsLineBlank(text[b])) ++b;
  while (e > b && IsLineBlank(text[e - 1])) --e;
  return text.substr(b, e - b);
}

int SplitLine(std::string_view text, std::array<std::string_view, line::kPositions>& pieces) {
  int count = 0;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end) {
    const void* hit = std::memchr(p, ',', static_cast<std::size_t>(end - p));
    const char* stop = hit ? static_cast<const char*>(hit) : end;
    if (stop == p) break;  // an empty piece ends the line
    if (count < line::kPositions) pieces[count] = TrimLine(std::string_view(p, stop - p));
    ++count;
    if (!hit) break;
    p = stop + 1;
  }
  return count;
}

int ParseLine(HistoryRow& row, std::string_view text) {
  std::array<std::string_view, line::kPositions> pieces;
  const int count = SplitLine(text, pieces);
  const int used = count < line::kReservedPosition ? count : line::kReservedPosition;
  for (int pos = 0; pos < used; ++pos) row[line::kFieldAt[pos]].assign(pieces[pos]);
  return count;
}

int LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace skyvane
