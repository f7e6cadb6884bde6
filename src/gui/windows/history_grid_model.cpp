#include "gui/windows/history_grid_model.h"

namespace skyvane {

CHistoryGridModel::CHistoryGridModel(const TextTable& text, QObject* parent)
    : QAbstractTableModel(parent), grid_(text) {}

int CHistoryGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(grid_.RowCount());
}

int CHistoryGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.ColumnCount();
}

QVariant CHistoryGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.parent().isValid()) return {};
  if (role == Qt::DisplayRole) {
    return QString::fromStdString(grid_.Cell(static_cast<std::size_t>(index.row()), index.column()));
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  return {};
}

QVariant CHistoryGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= grid_.ColumnCount()) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(grid_.Header(section));
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  return {};
}

void CHistoryGridModel::SetUnits(const HeaderRecord& units) {
  beginResetModel();
  grid_.SetUnits(units);
  endResetModel();
}

int CHistoryGridModel::Search(HistoryFile& file, const std::string& start, const std::string& end) {
  beginResetModel();
  const int shown = SearchToGrid(file, grid_, start, end);
  endResetModel();
  return shown;
}

void CHistoryGridModel::ClearRows() {
  beginResetModel();
  grid_.Clear();
  endResetModel();
}

}  // namespace skyvane
