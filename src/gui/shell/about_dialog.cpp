#include "gui/shell/about_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
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

QString AboutLinkAddress(const std::string& configured, const QString& programFolder) {
  const QString address = QString::fromStdString(configured);
  const QUrl url(address);
  if (address.isEmpty() || !url.isLocalFile()) return address;
  if (QFileInfo::exists(url.toLocalFile())) return address;
  const QString beside = QDir(programFolder).filePath(QStringLiteral("README.md"));
  if (!programFolder.isEmpty() && QFileInfo::exists(beside)) return QUrl::fromLocalFile(beside).toString();
  return {};
}

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
  const QString address = AboutLinkAddress(settings.aboutSoftUpdate, QCoreApplication::applicationDirPath());
  if (address.isEmpty()) {
    link_->hide();
  } else {
    link_->setText(address);
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
