#pragma once
// CExportDlg: the choices of one export of the History grid — which of the
// offered columns, in which order, with which separator and whether a header
// line comes first. The file itself is written by the core's export writer.
#include <QDialog>
#include <QString>

#include <string>
#include <vector>

#include "core/history/export_writer.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace skyvane {

class TextTable;

class CExportDlg : public QDialog {
  Q_OBJECT

 public:
  // entries: the offered columns as "%d.%s-%d" (entry number, header, width),
  // in the grid's creation order (ColumnEntries).
  CExportDlg(const TextTable& text, const std::vector<std::string>& entries,
             QWidget* parent = nullptr);

  // UP and Down: the item with the focus moves one place, keeping its
  // selection and the focus.
  void MoveUp();
  void MoveDown();
  // Export: takes the choices and closes, or says "Please select data!".
  void accept() override;

  // Valid after the dialog closed with Export.
  const ExportChoices& Choices() const { return choices_; }

  QListWidget* List() const { return list_; }

 private:
  void Move(int by);

  const TextTable& text_;
  ExportChoices choices_;
  QListWidget* list_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
  QCheckBox* header_ = nullptr;
  QLabel* separatorLabel_ = nullptr;
  QComboBox* separator_ = nullptr;
  QPushButton* export_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// The save-file dialog of an export: "Skyvane.txt" in folder, the TXT, EXCEL
// and All Files filters, asking before replacing a file. Empty when cancelled.
QString AskExportFileName(QWidget* parent, const QString& folder);

}  // namespace skyvane
