#include "gui/dialogs/maxmin_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>
#include <utility>

#include "core/app/text_table.h"
#include "core/dialogs/control_name.h"
#include "gui/dialogs/scope_captions.h"

namespace skyvane {
namespace {

constexpr int kGroupColumns = 2;

QLineEdit* ReadOnlyField(QWidget* parent, const std::string& name, const QString& widest) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromStdString(name));
  field->setReadOnly(true);
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(widest) + 12);
  return field;
}

}  // namespace

CMaxMinDlg::CMaxMinDlg(StationDevice& device, HistoryFile& file, const TextTable& text,
                       QWidget* parent, DialogPrompts prompts)
    : QDialog(parent),
      text_(text),
      prompts_(std::move(prompts)),
      session_(device, file, text, prompts_.sleep) {
  setObjectName(QStringLiteral("maxMinDialog"));
  Build();
}

void CMaxMinDlg::Build() {
  const ScopeCaptions c = ScopeCaptionsFor(text_.LanguageIndex());
  setWindowTitle(c.title);

  auto* grid = new QGridLayout;
  int slot = 0;
  QGroupBox* box = nullptr;
  QGridLayout* rows = nullptr;
  int row = 0;
  std::string group;
  for (const ScopeEntry& e : ScopeEntries()) {
    if (box == nullptr || group != e.group) {
      group = e.group;
      box = new QGroupBox(c.Of(group), this);
      rows = new QGridLayout(box);
      row = 0;
      grid->addWidget(box, slot / kGroupColumns, slot % kGroupColumns);
      ++slot;
    }
    const std::string name = ControlName(e.group, e.caption);
    values_[e.field] = ReadOnlyField(this, name, QStringLiteral("00000.0 km/h"));
    times_[e.field] = ReadOnlyField(this, name + "-time", QStringLiteral("00-00-0000 00:00"));
    rows->addWidget(new QLabel(c.Of(e.caption), this), row, 0);
    rows->addWidget(values_[e.field], row, 1);
    rows->addWidget(new QLabel(c.time, this), row, 2);
    rows->addWidget(times_[e.field], row, 3);
    ++row;
  }

  ok_ = new QPushButton(c.ok, this);
  ok_->setObjectName(QStringLiteral("ok"));
  ok_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

bool CMaxMinDlg::Open() {
  DialogMessages messages;
  const bool opened = session_.Open(messages);
  for (Txt entry : messages) prompts_.message(parentWidget(), ToQString(text_.Text(entry)));
  if (!opened) return false;
  for (const ScopeEntry& e : ScopeEntries()) {
    values_[e.field]->setText(QString::fromStdString(session_.ValueText(e.field)));
    times_[e.field]->setText(QString::fromStdString(session_.TimeText(e.field)));
  }
  return true;
}

int CMaxMinDlg::Run() {
  if (!Open()) return QDialog::Rejected;
  return exec();
}

}  // namespace skyvane
