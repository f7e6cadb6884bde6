#include "gui/shell/language_dialog.h"

#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <unistd.h>

#include "core/app/app_settings.h"
#include "core/app/text_table.h"
#include "core/station/device_busy.h"
#include "core/station/station_device.h"
#include "gui/shell/restart.h"

namespace skyvane {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Waits without freezing the window; clicks and keys wait until afterwards.
void WaitWithEvents(std::chrono::milliseconds duration) {
  QEventLoop loop;
  QTimer::singleShot(duration, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

CLanguageDlg::CLanguageDlg(DesktopContext& context, QWidget* parent)
    : QDialog(parent), context_(context), sleep_(&WaitWithEvents) {
  setObjectName(QStringLiteral("languageDialog"));
  list_ = new QComboBox(this);
  list_->setObjectName(QStringLiteral("languageList"));
  list_->setEditable(false);
  list_->addItems({QStringLiteral("English"), QStringLiteral("German"), QStringLiteral("Danish")});
  group_ = new QGroupBox(this);
  group_->setObjectName(QStringLiteral("languageGroup"));
  auto* inGroup = new QVBoxLayout(group_);
  inGroup->addWidget(list_);

  save_ = new QPushButton(this);
  save_->setObjectName(QStringLiteral("saveButton"));
  save_->setDefault(true);
  cancel_ = new QPushButton(this);
  cancel_->setObjectName(QStringLiteral("cancelButton"));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(save_);
  buttons->addWidget(cancel_);
  buttons->addStretch(1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(group_, 1);
  layout->addLayout(buttons);

  restart_ = [this] {
    RestartProgram(context_.arguments);
    std::perror("skyvane: cannot start again");
    ::_exit(1);
  };

  selection_ = context_.settings.languageIndex;
  list_->setCurrentIndex(selection_);
  Translate();
  connect(list_, &QComboBox::activated, this, [this] { Translate(); });
  connect(save_, &QPushButton::clicked, this, &CLanguageDlg::OnSave);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void CLanguageDlg::done(int result) {
  ended_ = true;
  QDialog::done(result);
}

void CLanguageDlg::Translate() {
  if (list_->currentIndex() >= 0) selection_ = list_->currentIndex();
  const TextTable& t = context_.text;
  const QSignalBlocker block(list_);
  list_->clear();
  list_->addItem(Q(t.TextIn(Txt::English, selection_)));
  list_->addItem(Q(t.TextIn(Txt::German, selection_)));
  list_->addItem(Q(t.TextIn(Txt::Danish, selection_)));
  setWindowTitle(Q(t.TextIn(Txt::LanguageTitle, selection_)));
  group_->setTitle(Q(t.TextIn(Txt::LanguageLabel, selection_)));
  save_->setText(Q(t.TextIn(Txt::Save, selection_)));
  cancel_->setText(Q(t.TextIn(Txt::Cancel, selection_)));
  list_->setCurrentIndex(selection_);
}

void CLanguageDlg::OnSave() {
  if (list_->currentIndex() >= 0) selection_ = list_->currentIndex();
  const TextTable& t = context_.text;
  const auto answer = QMessageBox::question(this, Q(t.Text(Txt::OperationNotifyLanguage)),
                                            Q(t.Text(Txt::AskSaveAndRestart)),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  if (answer != QMessageBox::Yes) return;

  save_->setEnabled(false);
  cancel_->setEnabled(false);
  ended_ = false;
  DeviceBusyClaim claim = ClaimDeviceForUser(context_.device.DeviceBusy(), sleep_);
  save_->setEnabled(true);
  cancel_->setEnabled(true);
  // Closed while waiting for the link: the user (or the program's end) took
  // the choice back; the link is given back as the claim goes.
  if (ended_) return;
  if (!claim) {
    QMessageBox::warning(this, QStringLiteral("Skyvane"), Q(t.Text(Txt::DeviceIsBusy)));
    return;
  }
  // The link stays taken: the program ends below.
  claim.Keep();
  SaveLanguage(context_.folder, selection_, context_.settings);
  accept();
  if (beforeRestart_) beforeRestart_();
  if (restart_) restart_();
}

}  // namespace skyvane
