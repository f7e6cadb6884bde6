#pragma once
// The export of a time range of the data file written as the file is read:
// the text ExportText gives for the grid SearchToGrid fills, holding one
// piece of the file's rows at a time, however many the range has.
#include <functional>
#include <string>

#include "core/history/export_writer.h"
#include "core/history/history_grid.h"

namespace skyvane {

enum class ExportStreamResult { kDone, kNoColumns, kUnreadable, kUnwritten };

// Writes the export of the stored rows of [start, end] in the data file at
// path, in grid's headers and units, handing each block of text to write.
// grid is used for one piece of rows at a time and left empty. kNoColumns
// (nothing written) when the choices name no column of the grid; kUnwritten
// when write returned false; kUnreadable when the file could not be read
// (what was read before is written).
ExportStreamResult StreamExport(const std::string& path, HistoryGrid& grid, const std::string& start,
                                const std::string& end, const ExportChoices& choices,
                                const std::function<bool(const std::string& block)>& write);

}  // namespace skyvane
