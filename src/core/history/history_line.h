#pragma once
// The line format of the data file: one HistoryRow per line, 37 fields in a
// fixed order and fixed minimum widths, separated by ", ", two TABs before the
// rain counter, CR LF at the end. Files written on Windows and here stay
// interchangeable; readers accept a bare LF as well.
#include <array>
#include <string>
#include <string_view>

#include "core/station/history_row.h"

namespace skyvane {

namespace line {
inline constexpr int kPositions = row::kCount;  // fields per line
inline constexpr int kReservedPosition = 36;    // never read back
inline constexpr int kRainCounterPosition = 18; // preceded by two TABs
inline constexpr int kAddressPosition = 34;     // stationAddress
inline constexpr int kRawBytesPosition = 35;    // rawBytes
// A line holds every field once it has this many commas (the last field,
// `reserved`, may have lost its blanks to an editor).
inline constexpr int kCompleteCommas = kPositions - 1;

// The row field written at each line position.
inline constexpr std::array<int, kPositions> kFieldAt = {
    row::sequenceNo,       row::saveTime,           row::recordTime,   row::interval,
    row::indoorHumidity,   row::indoorTemperature,  row::outdoorHumidity,
    row::outdoorTemperature, row::dewPoint,         row::windChill,    row::absolutePressure,
    row::relativePressure, row::windSpeed,          row::windLevel,    row::gustSpeed,
    row::gustLevel,        row::windDir,            row::directionName, row::rainCounter,
    row::rain,             row::rainIncrement,      row::rainHour,     row::rain24h,
    row::rainWeek,         row::rainMonth,          row::rainTotal,    row::flag1,
    row::flag1 + 1,        row::flag1 + 2,          row::flag1 + 3,    row::flag1 + 4,
    row::flag1 + 5,        row::flag1 + 6,          row::flag8,        row::stationAddress,
    row::rawBytes,         row::reserved};
static_assert(kFieldAt[kAddressPosition] == row::stationAddress &&
              kFieldAt[kRawBytesPosition] == row::rawBytes);

// Minimum width of each position ("%4s" ...); 0 for the one written "%s".
inline constexpr std::array<int, kPositions> kWidthAt = {
    4, 19, 19, 3, 4, 5, 4, 5, 5, 5, 7, 7, 4, 3, 4, 3, 3, 3, 5,
    7, 7,  7,  7, 7, 7, 8, 1, 1, 1, 1, 1, 1, 1, 1, 6, 0, 6};
}  // namespace line

// The line of a row, CR LF included. Each field is right-aligned in its width
// and never cut. The row's saveTime is written as given in saveTime.
std::string FormatRowLine(const HistoryRow& row, std::string_view saveTime);

// The piece before the first separator; text keeps what follows it. Without
// a separator the piece is the whole text and text becomes empty.
std::string NextToken(std::string& text, std::string_view separator);

// Splits a line at commas, as NextToken would, stopping at the first piece that
// is empty before trimming. The first 37 pieces go to pieces (by line position)
// trimmed of blanks, TABs and line-end characters; the others stay untouched.
// Returns the number of pieces of the whole line, or `limit` when splitting
// stopped after that many. Without `trim` the pieces keep their blanks.
int SplitLine(std::string_view line, std::array<std::string_view, line::kPositions>& pieces,
              int limit = 1 << 30, bool trim = true);

// Counts the pieces of a line as SplitLine does, up to `limit`, without
// storing them; the third piece (recordTime) goes to third, untrimmed.
int CountPieces(std::string_view line, int limit, std::string_view& third);

// The third piece of a line (recordTime), untrimmed, as SplitLine finds it.
// False when the line has fewer than three pieces.
bool ThirdPiece(std::string_view line, std::string_view& third);

// Parses a line into row: pieces 0..35 go to their fields; fields beyond the
// pieces of the line keep their values, and `reserved` is never changed.
// Returns the number of pieces.
int ParseLine(HistoryRow& row, std::string_view line);

// Blanks, TABs and line-end characters.
inline bool IsLineBlank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u <= ' ' && ((0x100002600ULL >> u) & 1) != 0;  // ' ', '\t', '\n', '\r'
}
inline std::string_view TrimLine(std::string_view text) {
  const char* b = text.data();
  const char* e = b + text.size();
  while (b < e && IsLineBlank(*b)) ++b;
  while (e > b && IsLineBlank(e[-1])) --e;
  return std::string_view(b, static_cast<std::size_t>(e - b));
}

}  // namespace skyvane
