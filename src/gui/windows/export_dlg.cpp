#include "gui/windows/export_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

#include "core/app/text_table.h"
#include "gui/windows/window_controls.h"

namespace skyvane {

namespace {

constexpr int kColumnRole = Qt::UserRole;

const QString kTxtFilter = QStringLiteral("TXT Files (*.txt)");
const QString kExcelFilter = QStringLiteral("EXCEL Files (*.xls)");
const QString kAllFilter = QStringLiteral("All Files (*.*)");

}  // namespace

CExportDlg::CExportDlg(const TextTable& text, const std::vector<std::string>& entries,
                       QWidget* parent)
    : QDialog(parent), text_(text) {
  setWindowTitle(QStringLiteral("Export Grid Data"));

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("columns"));
  list_->setSelectionMode(QAbstractItemView::MultiSelection);
  for (const std::string& entry : entries) {
    ExportColumn column = ExportColumn::AtGridColumn(0);
    if (!ParseColumnEntry(entry, column)) continue;
    // "%d.%s-%d": the width follows the last "-", so a header holding a "-"
    // stays whole.
    const std::size_t dash = entry.rfind('-');
    const std::string shown = dash == std::string::npos ? entry : entry.substr(0, dash);
    const std::string width = dash == std::string::npos ? std::string() : entry.substr(dash + 1);
    auto* item = new QListWidgetItem(QString::fromStdString(shown), list_);
    item->setData(kColumnRole, column.gridColumn());
    item->setSelected(width != "0");
  }
  if (list_->count() > 0) list_->setCurrentRow(0, QItemSelectionModel::NoUpdate);

  up_ = MakeButton(this, QStringLiteral("UP"), "up");
  down_ = MakeButton(this, QStringLiteral("Down"), "down");
  header_ = new QCheckBox(QStringLiteral("Header"), this);
  header_->setObjectName(QStringLiteral("header"));
  header_->setChecked(true);
  separatorLabel_ = new QLabel(QStringLiteral("Separator:"), this);
  separator_ = MakeCombo(this, "separator");
  separator_->setEditable(true);
  separator_->setInsertPolicy(QComboBox::NoInsert);
  separator_->addItems({QStringLiteral("TAB"), QStringLiteral("BLANK"), QStringLiteral("|"),
                        QStringLiteral(","), QStringLiteral(";"), QStringLiteral("."),
                        QStringLiteral(":")});
  separator_->setCurrentIndex(0);
  export_ = MakeButton(this, QStringLiteral("Export"), "export");
  export_->setDefault(true);
  cancel_ = MakeButton(this, QStringLiteral("Cancel"), "cancel");

  // The column list on the left, the controls in a column on the right; the
  // first design's sizes are minimums that a larger font widens.
  // Every column name whole, beside the scroll bar a long list shows.
  const int names = list_->sizeHintForColumn(0) + 2 * list_->frameWidth() +
                    list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list_) + 4;
  list_->setMinimumSize(std::max(260, names), 200);
  for (QWidget* w : std::initializer_list<QWidget*>{up_, down_, export_, cancel_}) w->setMinimumSize(125, 28);
  separator_->setMinimumWidth(125);
  auto* side = new QVBoxLayout;
  side->addWidget(up_);
  side->addWidget(down_);
  side->addSpacing(14);
  side->addWidget(header_);
  side->addSpacing(6);
  side->addWidget(separatorLabel_);
  side->addWidget(separator_);
  side->addStretch(1);
  side->addWidget(export_);
  side->addWidget(cancel_);
  auto* page = new QHBoxLayout(this);
  page->setContentsMargins(10, 10, 10, 10);
  page->setSpacing(15);
  page->addWidget(list_, 1);
  page->addLayout(side);
  resize(QSize(420, 330).expandedTo(sizeHint()));

  connect(up_, &QPushButton::clicked, this, &CExportDlg::MoveUp);
  connect(down_, &QPushButton::clicked, this, &CExportDlg::MoveDown);
  connect(export_, &QPushButton::clicked, this, &CExportDlg::accept);
  connect(cancel_, &QPushButton::clicked, this, &CExportDlg::reject);
}

void CExportDlg::MoveUp() { Move(-1); }
void CExportDlg::MoveDown() { Move(+1); }

void CExportDlg::Move(int by) {
  const int row = list_->currentRow();
  if (row < 0) return;
  const int to = row + by;
  if (to < 0 || to >= list_->count()) return;
  QListWidgetItem* item = list_->item(row);
  const bool selected = item->isSelected();
  list_->takeItem(row);
  list_->insertItem(to, item);
  item->setSelected(selected);
  list_->setCurrentRow(to, QItemSelectionModel::NoUpdate);
}

void CExportDlg::accept() {
  ExportChoices choices;
  for (int row = 0; row < list_->count(); ++row) {
    const QListWidgetItem* item = list_->item(row);
    if (!item->isSelected()) continue;
    if (static_cast<int>(choices.columns.size()) == kMaxExportColumns) break;
    choices.columns.push_back(ExportColumn::AtGridColumn(item->data(kColumnRole).toInt()));
  }
  if (choices.columns.empty()) {
    QMessageBox box(QMessageBox::Warning, TableText(text_, Txt::OperationNotify),
                    TableText(text_, Txt::PleaseSelectData), QMessageBox::Ok, this);
    box.exec();
    return;
  }
  choices.separator = ExportSeparator(separator_->currentText().toStdString());
  choices.header = header_->isChecked();
  choices_ = std::move(choices);
  QDialog::accept();
}

QString AskExportFileName(QWidget* parent, const QString& folder) {
  QFileDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("exportFile"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({kTxtFilter, kExcelFilter, kAllFilter});
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  dialog.selectFile(QStringLiteral("Skyvane.txt"));
  // A name typed without an extension gets the one of the chosen filter.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    dialog.setDefaultSuffix(filter == kExcelFilter ? QStringLiteral("xls") : QStringLiteral("txt"));
  });
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

}  // namespace skyvane
