#pragma once
// The Statistics window's tables as texts: the daily, monthly and yearly
// summaries one row per period, and the records table, every value in the
// display units (climate_display.h) and every caption in the window's language.
// CCellGridModel shows such a table in a QTableView.
#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

#include "core/climate/climate_display.h"
#include "core/climate/climate_types.h"
#include "gui/windows/statistics_captions.h"

namespace skyvane {

struct CellGrid {
  QStringList headers;
  QStringList rowHeaders;  // empty: the rows have none
  std::vector<QStringList> rows;
};

// One row per summary, oldest first. Days show the clock time of their
// extremes; months and years their date and their rain days.
CellGrid SummaryGrid(climate::Period period, const std::vector<climate::Summary>& summaries,
                     const climate::ReportUnits& units, const StatisticsCaptions& captions);

// One row per record, one column per span: the value with its unit and when
// it was reached.
CellGrid RecordsGrid(const climate::RecordsTable& records, const climate::ReportUnits& units,
                     const StatisticsCaptions& captions);

class CCellGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit CCellGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  void SetGrid(CellGrid grid);
  const CellGrid& Grid() const { return grid_; }

 private:
  CellGrid grid_;
};

}  // namespace skyvane
