#include "gui/shell/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/app_settings.h"
#include "core/app/text_table.h"
#include "gui/shell/link_label.h"

namespace skyvane {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QLabel* Line(const std::string& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(QString::fromStdString(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

CAboutDlg::CAboutDlg(const AppSettings& settings, const TextTable& text, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("aboutDialog"));
  setWindowTitle(Q(text.Text(Txt::AboutSkyvane)));

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("aboutIcon"));
  icon->setPixmap(QPixmap(QStringLiteral(":/pictures/skyvane_32.png")));
  icon->setAlignment(Qt::AlignTop);

  auto* texts = new QVBoxLayout;
  texts->addWidget(Line(settings.aboutVersion, "aboutVersion", this));
  texts->addWidget(Line(settings.aboutCopyright, "aboutCopyright", this));
  texts->addWidget(Line(settings.aboutDescription, "aboutDescription", this));
  link_ = new CLinkLabel(this);
  link_->setObjectName(QStringLiteral("aboutLink"));
  if (settings.aboutSoftUpdate.empty()) {
    link_->hide();
  } else {
    link_->setText(QString::fromStdString(settings.aboutSoftUpdate));
  }
  link_->Attach();
  texts->addWidget(link_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* grid = new QGridLayout(this);
  grid->addWidget(icon, 0, 0);
  grid->addLayout(texts, 0, 1);
  grid->addWidget(buttons, 0, 2, Qt::AlignTop);
  grid->setColumnStretch(1, 1);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace skyvane
