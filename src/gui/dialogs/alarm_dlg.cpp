#include "gui/dialogs/alarm_dlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <string>
#include <utility>
#include <vector>

#include "core/app/text_table.h"
#include "core/dialogs/control_name.h"
#include "gui/dialogs/alarm_captions.h"

namespace skyvane {
namespace {

bool IsSpeedOrLevel(int field) {
  return field == alm::kWindSpeedHigh || field == alm::kWindLevelHigh ||
         field == alm::kGustSpeedHigh || field == alm::kGustLevelHigh;
}

constexpr int kGroupColumns = 3;

}  // namespace

CAlarmDlg::CAlarmDlg(StationDevice& device, const TextTable& text, QWidget* parent,
                     DialogPrompts prompts)
    : CStationDlg(text, parent, std::move(prompts)), session_(device, prompts_.sleep) {
  setObjectName(QStringLiteral("alarmDialog"));
  Build();
  Fill(session_.Form());
}

void CAlarmDlg::Build() {
  const AlarmCaptions& c = AlarmCaptionsFor(text_.LanguageIndex());
  setWindowTitle(c.title);

  // The controls of one group follow each other in the table.
  std::vector<std::vector<AlarmControl>> groups;
  for (const AlarmControl& control : AlarmControls()) {
    if (groups.empty() || std::string(groups.back().front().group) != control.group) groups.emplace_back();
    groups.back().push_back(control);
  }

  const int fieldWidth = fontMetrics().horizontalAdvance(QStringLiteral("-0000.00")) + 12;
  auto* grid = new QGridLayout;
  int slot = 0;
  auto place = [&](QGroupBox* box) {
    grid->addWidget(box, slot / kGroupColumns, slot % kGroupColumns);
    ++slot;
  };
  for (const auto& group : groups) {
    auto* box = new QGroupBox(c.Of(group.front().group), this);
    auto* layout = new QGridLayout(box);
    const bool highLow = group.size() == 2 && std::string(group[0].caption) == "High" &&
                         std::string(group[1].caption) == "Low";
    for (std::size_t i = 0; i < group.size(); ++i) {
      const AlarmControl& control = group[i];
      auto* edit = new QLineEdit(this);
      edit->setObjectName(QString::fromStdString(ControlName(control.group, control.caption)));
      auto* unitLabel = new QLabel(this);
      unitLabel->setObjectName(edit->objectName() + QStringLiteral("-unit"));
      edits_[control.field] = edit;
      units_[control.field] = unitLabel;
      const int row = static_cast<int>(i);
      edit->setMinimumWidth(fieldWidth);
      if (highLow) {
        // "High" and "Low" above their fields, each with its unit.
        layout->addWidget(new QLabel(i == 0 ? c.high : c.low, this), 0, 2 * row);
        layout->addWidget(edit, 1, 2 * row);
        layout->addWidget(unitLabel, 1, 2 * row + 1);
      } else {
        const std::string caption = control.caption;
        const QString label = caption == "High"    ? c.high
                              : caption == "Level" ? QString()
                                                   : c.Of(caption);
        layout->addWidget(new QLabel(label, this), row, 0);
        layout->addWidget(edit, row, 1);
        layout->addWidget(unitLabel, row, 2);
      }
      if (IsSpeedOrLevel(control.field)) {
        const int field = control.field;
        connect(edit, &QLineEdit::editingFinished, this, [this, field] { OnFieldLeft(field); });
      }
    }
    place(box);
  }

  auto* directionBox = new QGroupBox(c.Of("Wind Direct"), this);
  direction_ = new QComboBox(this);
  direction_->setObjectName(QString::fromStdString(ControlName("Wind Direct", "")));
  for (const char* name : AlarmDirections()) direction_->addItem(QString::fromUtf8(name));
  (new QVBoxLayout(directionBox))->addWidget(direction_);
  place(directionBox);

  QHBoxLayout* buttons = MakeButtons(c.save, c.cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

void CAlarmDlg::Open() {
  ShowMessages(session_.Open(), parentWidget());
  Fill(session_.Form());
}

void CAlarmDlg::Fill(const AlarmForm& form) {
  const HeaderRecord& header = session_.Header();
  for (const AlarmControl& control : AlarmControls()) {
    edits_[control.field]->setText(QString::fromStdString(form.text[control.field]));
    units_[control.field]->setText(QString::fromStdString(AlarmUnitText(control.input, header)));
  }
  direction_->setCurrentIndex(form.direction);
  SetSaveEnabled(session_.SaveEnabled());
}

AlarmForm CAlarmDlg::Form() const {
  AlarmForm form;
  for (const AlarmControl& control : AlarmControls()) {
    form.text[control.field] = edits_[control.field]->text().toStdString();
  }
  form.direction = direction_->currentIndex();
  return form;
}

void CAlarmDlg::OnFieldLeft(int field) {
  QLineEdit* edit = edits_[field];
  // Only a change by the user moves the partner.
  if (!edit->isModified()) return;
  edit->setModified(false);
  AlarmForm form = Form();
  AlarmSpeedFieldLeft(form, field, session_.Header());
  for (int partner : {alm::kWindSpeedHigh, alm::kWindLevelHigh, alm::kGustSpeedHigh, alm::kGustLevelHigh}) {
    if (partner == field) continue;
    const QString text = QString::fromStdString(form.text[partner]);
    if (edits_[partner]->text() != text) edits_[partner]->setText(text);
  }
}

void CAlarmDlg::OnSave() {
  const AlarmForm form = Form();
  FieldError error;
  if (!CheckAlarmForm(form, session_.Header(), error)) {
    const bool known = error.control >= 0 && error.control < alm::kCount;
    ShowFieldError(error.message, known ? edits_[error.control] : nullptr);
    return;
  }
  ConfirmAndSave([&] { return session_.Save(form); });
}

}  // namespace skyvane
