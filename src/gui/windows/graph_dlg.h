#pragma once
// CGraphDlg: the modal Graph window. It charts one quantity of the stored
// history (humidity, a temperature, wind chill, pressure, wind or rain) over a
// time range, as one or two series of a chosen chart type, optionally in 3D,
// and saves the chart as a JPEG picture.
//
// The data file is read on Search and Refresh only; Series, Type and 3D redraw
// the rows already loaded. The station header (for the display units) is read
// under deviceBusy before every drawing.
#include <QDateTime>
#include <QDialog>
#include <QSize>

#include <string>

#include "core/history/history_table.h"
#include "core/station/header_record.h"
#include "gui/dialogs/dialog_prompts.h"
#include "gui/windows/search_range_controls.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace skyvane {

class ChartWidget;
class Clock;
class HistoryFile;
class StationDevice;
class TextTable;

// What the window opens on: the Condition list's selection and the four
// picker values (start and end, each date and time).
struct GraphOpening {
  int condition = 3;
  QDateTime start;
  QDateTime end;
};

// The main frame's opening: "a month", the last 30 days up to now.
GraphOpening MenuGraphOpening(const Clock& clock);

class CGraphDlg : public QDialog {
  Q_OBJECT

 public:
  // Sets up the controls for the language of the text table and searches the
  // opening range. prompts wait for a busy station and show the message of a
  // picture that could not be written.
  CGraphDlg(const TextTable& text, StationDevice& device, HistoryFile& file, const Clock& clock,
            const GraphOpening& opening, QWidget* parent = nullptr,
            DialogPrompts prompts = StandardPrompts());
  ~CGraphDlg() override;

  // The commands of the window.
  void OnConditionChanged();
  void Search();
  void Refresh();
  void Draw();
  void Export();

  // The range of the last Search, in the form of recordTime.
  const std::string& StartText() const { return start_; }
  const std::string& EndText() const { return end_; }
  // The rows of that range and the units of the last drawing.
  const HistoryTable& Rows() const { return rows_; }
  const HeaderRecord& Units() const { return units_; }
  ChartWidget* Chart() const { return chart_; }

 private:
  void BuildControls();
  void PlaceControls();
  void ReadUnits();

  const TextTable& text_;
  StationDevice& device_;
  HistoryFile& file_;
  const Clock& clock_;
  DialogPrompts prompts_;

  std::string start_;
  std::string end_;
  HistoryTable rows_;
  HeaderRecord units_;

  SearchRangeControls range_;
  ChartWidget* chart_ = nullptr;
  QLabel* seriesLabel_ = nullptr;
  QComboBox* series_ = nullptr;
  QLabel* typeLabel_ = nullptr;
  QComboBox* type_ = nullptr;
  QCheckBox* view3D_ = nullptr;
  QPushButton* refresh_ = nullptr;
  QPushButton* export_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* print_ = nullptr;
};

}  // namespace skyvane
