#pragma once
// The data file's lines exactly as stored, for people and scripts that want
// the file's own text rather than parsed rows.
#include <string>
#include <vector>

namespace skyvane {

class HistoryFile;

// Adds to lines, in file order, every stored line (without its line end, not
// trimmed) whose recordTime lies in [start, end] (texts of the recordTime
// form, compared as text). Blank lines and what follows the last record of
// the file are passed over. Returns the number of lines added; -1 when the file
// stayed busy or could not be read.
int LoadStoredLines(HistoryFile& file, const std::string& start, const std::string& end,
                    std::vector<std::string>& lines);

}  // namespace skyvane
