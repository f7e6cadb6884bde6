#include "gui/dialogs/station_dlg.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "core/app/text_table.h"

namespace skyvane {

CStationDlg::CStationDlg(const TextTable& text, QWidget* parent, DialogPrompts prompts)
    : QDialog(parent), text_(text), prompts_(std::move(prompts)) {}

int CStationDlg::Run() {
  Open();
  return exec();
}

QHBoxLayout* CStationDlg::MakeButtons(const QString& save, const QString& cancel) {
  save_ = new QPushButton(save, this);
  save_->setObjectName(QStringLiteral("save"));
  save_->setAutoDefault(false);
  cancel_ = new QPushButton(cancel, this);
  cancel_->setObjectName(QStringLiteral("cancel"));
  cancel_->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(save_);
  buttons->addWidget(cancel_);
  connect(save_, &QPushButton::clicked, this, [this] { OnSave(); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  return buttons;
}

void CStationDlg::SetSaveEnabled(bool enabled) { save_->setEnabled(enabled); }

void CStationDlg::ShowMessages(const DialogMessages& messages, QWidget* parent) {
  for (Txt entry : messages) prompts_.message(parent, ToQString(text_.Text(entry)));
}

void CStationDlg::ShowFieldError(const std::string& message, QLineEdit* field) {
  prompts_.message(this, QString::fromStdString(message));
  if (field == nullptr) return;
  field->setFocus();
  field->selectAll();
}

void CStationDlg::ConfirmAndSave(const std::function<SaveOutcome()>& save) {
  if (!prompts_.ask(this, ToQString(text_.Text(Txt::AskSave)), ToQString(text_.Text(Txt::OperationNotify)))) {
    return;
  }
  const SaveOutcome outcome = save();
  ShowMessages(outcome.messages, this);
  if (outcome.Written()) accept();
}

}  // namespace skyvane
