#pragma once
// CStatisticsDlg: the modal Statistics window. Tabs show the daily, monthly
// and yearly summaries of the data file in a chosen date range and the
// records table, in the station's display units; "Export report..." saves the
// monthly or yearly report chosen beside it as text.
//
// The file is read once when the window opens (and on Refresh) on a thread
// of its own; a busy bar shows while it is read. The range only filters what
// was read.
#include <QDate>
#include <QDialog>
#include <QString>

#include <string>

#include "core/climate/climate_report.h"
#include "gui/dialogs/dialog_prompts.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;

namespace skyvane {

class ClimateLoader;
class CCellGridModel;
class TextTable;
struct StatisticsCaptions;

// What the window reads and how it shows it.
struct StatisticsSource {
  std::string dataPath;
  std::string now;  // "YYYY-MM-DD HH:MM:SS": the year and month of the records
  climate::ReportUnits units;
  climate::ClimateOptions options;  // degree-day bases, the station's name
};

class CStatisticsDlg : public QDialog {
  Q_OBJECT

 public:
  CStatisticsDlg(const TextTable& text, StatisticsSource source, QWidget* parent = nullptr,
                 DialogPrompts prompts = StandardPrompts());
  ~CStatisticsDlg() override;

  // Starts reading the data file (the window opens reading it).
  void Refresh();
  // Shows the periods of the picked range.
  void ShowRange();
  // Asks for a file and writes the chosen report into it.
  void ExportReport();

  bool Loading() const { return loading_; }
  const climate::ClimateTables& Tables() const { return tables_; }
  // The tables in tab order: daily, monthly, yearly, records.
  CCellGridModel* Model(int tab) const { return models_[tab]; }
  QTabWidget* Tabs() const { return tabs_; }

 private:
  void BuildControls();
  void PlaceControls();
  void OnLoaded();
  void SetLoading(bool loading);

  const StatisticsCaptions& captions_;
  StatisticsSource source_;
  DialogPrompts prompts_;
  ClimateLoader* loader_ = nullptr;
  bool loading_ = false;
  climate::ClimateTables tables_;
  QDate newest_;  // the newest day of the last read; null before one

  QDateEdit* from_ = nullptr;
  QDateEdit* to_ = nullptr;
  QPushButton* show_ = nullptr;
  QPushButton* refresh_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  CCellGridModel* models_[4] = {};
  QTableView* views_[4] = {};
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  QComboBox* report_ = nullptr;
  QPushButton* export_ = nullptr;
  QPushButton* close_ = nullptr;
};

class Clock;
class HistoryFile;
class StationDevice;

// The Statistics command of the main frame: the header's units from the
// station (the defaults, after a message, when it cannot be read), the
// degree-day bases of the program folder's Skyvane.ini; opens the window
// modally.
void OpenStatisticsWindow(QWidget* parent, const TextTable& text, StationDevice& device,
                          const HistoryFile& file, const Clock& clock, const std::string& folder,
                          const DialogPrompts& prompts = StandardPrompts());

}  // namespace skyvane
