#include "gui/dialogs/setup_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <utility>

#include "core/app/text_table.h"
#include "core/dialogs/control_name.h"
#include "gui/dialogs/setup_captions.h"

namespace skyvane {
namespace {

using setup::List;

QString NameOf(List list) {
  const SetupListCaption c = SetupListCaptionOf(list);
  return QString::fromStdString(ControlName(c.group, c.caption));
}

}  // namespace

CSetupDlg::CSetupDlg(StationDevice& device, const TextTable& text, QWidget* parent,
                     DialogPrompts prompts)
    : CStationDlg(text, parent, std::move(prompts)), session_(device, prompts_.sleep) {
  setObjectName(QStringLiteral("setupDialog"));
  Build();
  Fill(session_.Form());
}

void CSetupDlg::Build() {
  const SetupCaptions& c = SetupCaptionsFor(text_.LanguageIndex());
  setWindowTitle(c.title);

  auto makeList = [&](List list) {
    auto* box = new QComboBox(this);
    box->setObjectName(NameOf(list));
    box->setEditable(false);
    if (!c.items[list].isEmpty()) {
      box->addItems(c.items[list]);
    } else if (list != setup::kUnitIndoorTemperature && list != setup::kUnitOutdoorTemperature) {
      for (const char* item : SetupListItems(list)) box->addItem(QString::fromUtf8(item));
    }
    lists_[list] = box;
    return box;
  };

  auto* timeZoneGroup = new QGroupBox(c.timeZone, this);
  (new QVBoxLayout(timeZoneGroup))->addWidget(makeList(setup::kTimeZone));

  auto* intervalGroup = new QGroupBox(c.interval, this);
  auto* intervalRow = new QHBoxLayout(intervalGroup);
  interval_ = new QLineEdit(this);
  interval_->setObjectName(QString::fromStdString(ControlName("Interval", "")));
  intervalRow->addWidget(interval_);
  intervalRow->addWidget(new QLabel(c.minute, this));

  auto* unitGroup = new QGroupBox(c.unit, this);
  auto* unitForm = new QFormLayout(unitGroup);
  for (int l = setup::kUnitIndoorTemperature; l <= setup::kUnitRainfall; ++l) {
    unitForm->addRow(c.listLabel[l], makeList(static_cast<List>(l)));
  }

  auto* displayGroup = new QGroupBox(c.display, this);
  auto* displayForm = new QFormLayout(displayGroup);
  for (int l = setup::kDisplayFormat; l < setup::kListCount; ++l) {
    displayForm->addRow(c.listLabel[l], makeList(static_cast<List>(l)));
  }

  auto* alarmGroup = new QGroupBox(c.alarmEnable, this);
  auto* alarmGrid = new QGridLayout(alarmGroup);
  for (int i = 0; i < setup::kAlarmEnableCount; ++i) {
    auto* box = new QCheckBox(c.alarmBox[i], this);
    box->setObjectName(QString::fromStdString(ControlName("Alarm Enable", AlarmEnableCaptions()[i])));
    // "Time" and "Wind Direct" side by side, then the low/high pairs.
    alarmGrid->addWidget(box, i / 2, i % 2);
    boxes_[i] = box;
  }

  auto* pressureGroup = new QGroupBox(c.pressure, this);
  auto* pressureGrid = new QGridLayout(pressureGroup);
  relative_ = new QLineEdit(this);
  relative_->setObjectName(QString::fromStdString(ControlName("Pressure", "Relative")));
  absolute_ = new QLineEdit(this);
  absolute_->setObjectName(QString::fromStdString(ControlName("Pressure", "Absolute")));
  absolute_->setReadOnly(true);
  // A value shown, not asked for: no edit frame, no field colour, and Tab passes it by.
  absolute_->setFrame(false);
  absolute_->setFocusPolicy(Qt::NoFocus);
  QPalette shown = absolute_->palette();
  shown.setBrush(QPalette::Base, shown.brush(QPalette::Window));
  absolute_->setPalette(shown);
  relativeUnit_ = new QLabel(this);
  relativeUnit_->setObjectName(relative_->objectName() + QStringLiteral("-unit"));
  absoluteUnit_ = new QLabel(this);
  absoluteUnit_->setObjectName(absolute_->objectName() + QStringLiteral("-unit"));
  pressureGrid->addWidget(new QLabel(c.relative, this), 0, 0);
  pressureGrid->addWidget(relative_, 0, 1);
  pressureGrid->addWidget(relativeUnit_, 0, 2);
  pressureGrid->addWidget(new QLabel(c.absolute, this), 1, 0);
  pressureGrid->addWidget(absolute_, 1, 1);
  pressureGrid->addWidget(absoluteUnit_, 1, 2);

  QHBoxLayout* buttons = MakeButtons(c.save, c.cancel);

  auto* left = new QVBoxLayout;
  left->addWidget(timeZoneGroup);
  left->addWidget(intervalGroup);
  left->addWidget(unitGroup);
  left->addWidget(pressureGroup);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(displayGroup);
  right->addStretch(1);
  right->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addWidget(alarmGroup);
  layout->addLayout(right);

  connect(lists_[setup::kUnitPressure], &QComboBox::currentIndexChanged, this,
          &CSetupDlg::OnPressureUnitChanged);
}

void CSetupDlg::Open() {
  ShowMessages(session_.Open(), parentWidget());
  Fill(session_.Form());
}

void CSetupDlg::Fill(const SetupForm& form) {
  for (int l = 0; l < setup::kListCount; ++l) {
    const QSignalBlocker block(lists_[l]);
    if (l == setup::kUnitIndoorTemperature || l == setup::kUnitOutdoorTemperature) {
      lists_[l]->clear();
      for (const char* item : SetupListItems(static_cast<List>(l))) lists_[l]->addItem(QString::fromUtf8(item));
    }
    lists_[l]->setCurrentIndex(form.selection[l]);
  }
  interval_->setText(QString::fromStdString(form.interval));
  for (int i = 0; i < setup::kAlarmEnableCount; ++i) boxes_[i]->setChecked(form.alarmEnable[i]);
  relative_->setText(QString::fromStdString(form.relative));
  absolute_->setText(QString::fromStdString(form.absolute));
  shownPressureUnit_ = form.shownPressureUnit;
  relativeUnit_->setText(QString::fromStdString(shownPressureUnit_));
  absoluteUnit_->setText(QString::fromStdString(shownPressureUnit_));
  SetSaveEnabled(session_.SaveEnabled());
}

SetupForm CSetupDlg::Form() const {
  SetupForm form;
  for (int l = 0; l < setup::kListCount; ++l) form.selection[l] = lists_[l]->currentIndex();
  form.interval = interval_->text().toStdString();
  for (int i = 0; i < setup::kAlarmEnableCount; ++i) form.alarmEnable[i] = boxes_[i]->isChecked();
  form.relative = relative_->text().toStdString();
  form.absolute = absolute_->text().toStdString();
  form.shownPressureUnit = shownPressureUnit_;
  return form;
}

void CSetupDlg::OnPressureUnitChanged(int index) {
  SetupForm form = Form();
  ChangeSetupPressureUnit(form, index);
  relative_->setText(QString::fromStdString(form.relative));
  absolute_->setText(QString::fromStdString(form.absolute));
  shownPressureUnit_ = form.shownPressureUnit;
  relativeUnit_->setText(QString::fromStdString(shownPressureUnit_));
  absoluteUnit_->setText(QString::fromStdString(shownPressureUnit_));
}

void CSetupDlg::OnSave() {
  const SetupForm form = Form();
  FieldError error;
  if (!CheckSetupForm(form, error)) {
    ShowFieldError(error.message, error.control == setup::kInterval   ? interval_
                                  : error.control == setup::kRelative ? relative_
                                                                      : absolute_);
    return;
  }
  ConfirmAndSave([&] { return session_.Save(form); });
}

}  // namespace skyvane
