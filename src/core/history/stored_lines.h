#pragma once
// The data file's lines exactly as stored, for people and scripts that want
// the file's own text rather than parsed rows.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace skyvane {

class HistoryFile;

// Hands to onLine, in file order, every stored line (without its line end,
// not trimmed) whose recordTime lies in [start, end] (texts of the recordTime
// form, compared as text), as the file is read: only the parts of the file
// the record index names for the range. Blank lines and what follows the
// last record of the file are passed over. Returns the number of lines
// handed out; -1 when the file stayed busy or could not be read (some lines
// may have been handed out by then).
int ForEachStoredLine(HistoryFile& file, const std::string& start, const std::string& end,
                      const std::function<void(std::string_view line)>& onLine);

// The same, adding the lines to lines.
int LoadStoredLines(HistoryFile& file, const std::string& start, const std::string& end,
                    std::vector<std::string>& lines);

}  // namespace skyvane
