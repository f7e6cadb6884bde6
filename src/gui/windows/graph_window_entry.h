#pragma once
// Opening the Graph window (CGraphDlg) modally: from the main frame's Graph
// command, and from the History window's "Graph..." button with its Condition
// selection and time range. Both return when the window has been closed.
#include <QString>

class QWidget;

namespace skyvane {

class Clock;
class HistoryFile;
class StationDevice;
class TextTable;

// The Graph command: the last 30 days ("a month"), Humidity, Line.
void OpenGraphWindow(QWidget* parent, const TextTable& text, StationDevice& device, HistoryFile& file,
                     const Clock& clock);

// The History window's "Graph...": condition is the index of its Condition
// list (0 "an hour" ... 4 "user defined"); start and end are its picker values
// written "yyyy-MM-dd HH:mm:ss" (the form of recordTime). The window opens on
// exactly that selection and range; a text that is no valid date and time
// leaves that picker at the Graph command's default.
void OpenGraphWindow(QWidget* parent, const TextTable& text, StationDevice& device, HistoryFile& file,
                     const Clock& clock, int condition, const QString& start, const QString& end);

}  // namespace skyvane
