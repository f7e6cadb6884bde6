#pragma once
// CHistoryGridModel: the History window's grid as a table model. The rows are
// held compactly by HistoryGrid and a cell's text is made only when the view
// asks for it, so a range of years opens quickly and scrolls smoothly.
#include <QAbstractTableModel>

#include <string>

#include "core/history/history_grid.h"

namespace skyvane {

class HistoryFile;

class CHistoryGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit CHistoryGridModel(const TextTable& text, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // New units: the headers and every cell follow them.
  void SetUnits(const HeaderRecord& units);
  // The stored rows of [start, end] (SearchToGrid); returns their number.
  int Search(HistoryFile& file, const std::string& start, const std::string& end);
  void ClearRows();

  const HistoryGrid& Grid() const { return grid_; }

 private:
  HistoryGrid grid_;
};

}  // namespace skyvane
