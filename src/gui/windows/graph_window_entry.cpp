#include "gui/windows/graph_window_entry.h"

#include "gui/windows/graph_dlg.h"

namespace skyvane {

void OpenGraphWindow(QWidget* parent, const TextTable& text, StationDevice& device, HistoryFile& file,
                     const Clock& clock) {
  CGraphDlg dialog(text, device, file, clock, MenuGraphOpening(clock), parent);
  dialog.exec();
}

void OpenGraphWindow(QWidget* parent, const TextTable& text, StationDevice& device, HistoryFile& file,
                     const Clock& clock, int condition, const QString& start, const QString& end) {
  GraphOpening opening = MenuGraphOpening(clock);
  opening.condition = condition;
  const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
  const QDateTime startTime = QDateTime::fromString(start, format);
  const QDateTime endTime = QDateTime::fromString(end, format);
  if (startTime.isValid()) opening.start = startTime;
  if (endTime.isValid()) opening.end = endTime;
  CGraphDlg dialog(text, device, file, clock, opening, parent);
  dialog.exec();
}

}  // namespace skyvane
