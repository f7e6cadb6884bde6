#pragma once
// CHistoryDlg: the modal History window. It shows the stored records of a time
// range in a grid (one row per record, values in the station's display units),
// exports the grid, opens the Graph window on the same range, empties the PC
// data file and clears the station's history memory.
//
// The data file is read anew on every Search and Refresh; the station is used
// only for the header's units when the window opens and for Clear Memory.
#include <QDateTime>
#include <QDialog>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <string>

#include "core/app/text_entry.h"
#include "gui/dialogs/dialog_prompts.h"
#include "gui/windows/search_range_controls.h"

class QPushButton;
class QTableView;

namespace skyvane {

class CHistoryGridModel;
class Clock;
class HistoryFile;
class StationDevice;
class TextTable;

// What "Graph..." hands on: the Condition selection and the four picker
// values, start and end written "yyyy-MM-dd HH:mm:ss".
struct GraphRequest {
  int condition = 0;
  QString start;
  QString end;
};
using GraphOpener = std::function<void(QWidget* parent, const GraphRequest& request)>;

class CHistoryDlg : public QDialog {
  Q_OBJECT

 public:
  // Builds the window for the language of the text table. Without a graph
  // opener the "Graph..." button stays disabled. prompts show the messages and
  // questions and wait for a busy station.
  CHistoryDlg(const TextTable& text, StationDevice& device, HistoryFile& file, const Clock& clock,
              QWidget* parent = nullptr, GraphOpener graph = {},
              DialogPrompts prompts = StandardPrompts());
  ~CHistoryDlg() override;

  // The opening: the header's units (or the defaults, with a message), the
  // last hour, Search. False, after "Can't communicate with device!", when the
  // station stays busy; the window is then not to be shown.
  bool Open();

  // The commands of the window.
  void OnConditionChanged();
  void Search();
  void Refresh();
  void ClearData();
  void ClearMemory();
  void Graph();
  void Export();

  // The range of the last Search, in the form of recordTime.
  const std::string& StartText() const { return start_; }
  const std::string& EndText() const { return end_; }
  CHistoryGridModel* Model() const { return model_; }
  QTableView* GridView() const { return grid_; }
  // Set when "Graph..." ended the window.
  const std::optional<GraphRequest>& PendingGraph() const { return pendingGraph_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void PlaceControls();
  // Widens the columns to their header and their widest value; shut columns
  // stay shut unless all is true (the first fill).
  void FitColumns(bool all);
  bool Ask(Txt question);

  const TextTable& text_;
  StationDevice& device_;
  HistoryFile& file_;
  const Clock& clock_;
  GraphOpener graph_;
  DialogPrompts prompts_;

  std::string start_;
  std::string end_;
  std::optional<GraphRequest> pendingGraph_;
  bool shown_ = false;

  CHistoryGridModel* model_ = nullptr;
  SearchRangeControls range_;
  QTableView* grid_ = nullptr;
  QPushButton* refresh_ = nullptr;
  QPushButton* clearData_ = nullptr;
  QPushButton* clearMemory_ = nullptr;
  QPushButton* graphButton_ = nullptr;
  QPushButton* export_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* delete_ = nullptr;
};

// The History command of the main frame: opens the window modally and, when
// "Graph..." ended it, the Graph window through graph.
void OpenHistoryWindow(QWidget* parent, const TextTable& text, StationDevice& device,
                       HistoryFile& file, const Clock& clock, const GraphOpener& graph = {},
                       const DialogPrompts& prompts = StandardPrompts());

}  // namespace skyvane
