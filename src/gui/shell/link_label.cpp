#include "gui/shell/link_label.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QUrl>

namespace skyvane {

QString LinkErrorText(int code) {
  switch (code) {
    case 0: return QStringLiteral("The operating system is out\nof memory or resources.");
    case 2: return QStringLiteral("The specified file was not found.");
    case 3: return QStringLiteral("The specified path was not found.");
    case 5: return QStringLiteral("The operating system denied\naccess to the specified file.");
    case 8: return QStringLiteral("There was not enough memory to complete the operation.");
    case 11:
      return QStringLiteral("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
    case 26: return QStringLiteral("A sharing violation occurred. ");
    case 27: return QStringLiteral("The filename association is\nincomplete or invalid.");
    case 28:
      return QStringLiteral(
          "The DDE transaction could not\nbe completed because the request timed out.");
    case 29: return QStringLiteral("The DDE transaction failed.");
    case 30:
      return QStringLiteral(
          "The DDE transaction could not\nbe completed because other DDE transactions\n"
          "were being processed.");
    case 31:
      return QStringLiteral("There is no application associated\nwith the given filename extension.");
    case 32: return QStringLiteral("The specified dynamic-link library was not found.");
    default: return QStringLiteral("Unknown Error (%1) occurred.").arg(code);
  }
}

int OpenAddress(const QString& address) {
  if (address.isEmpty()) return kOpenNotFound;
  if (QDesktopServices::openUrl(QUrl::fromUserInput(address))) return kOpenSucceeded;

  // Fallback: the user's $BROWSER list. Each entry is split into program and
  // arguments by quoting rules only; the address goes in as one argument.
  const QString browsers = QString::fromLocal8Bit(qgetenv("BROWSER"));
  const QStringList entries = browsers.split(QLatin1Char(':'), Qt::SkipEmptyParts);
  if (entries.isEmpty()) return kOpenNoAssociation;
  for (const QString& entry : entries) {
    QStringList args = QProcess::splitCommand(entry);
    if (args.isEmpty()) continue;
    const QString program = args.takeFirst();
    bool placed = false;
    for (QString& arg : args) {
      if (arg.contains(QLatin1String("%s"))) {
        arg.replace(QLatin1String("%s"), address);
        placed = true;
      }
    }
    if (!placed) args << address;
    if (QProcess::startDetached(program, args)) return kOpenSucceeded;
  }
  return kOpenNotFound;
}

CLinkLabel::CLinkLabel(QWidget* parent) : QLabel(parent) {
  hoverColour_ = palette().color(QPalette::Highlight);
  opener_ = &OpenAddress;
  report_ = [this](const QString& text) {
    QMessageBox::warning(this, QApplication::applicationName(), text);
  };
  setAutoFillBackground(false);
  setTextFormat(Qt::PlainText);
  ApplyColour();
}

void CLinkLabel::Attach() {
  if (address_.isEmpty()) address_ = text();
  if (text().isEmpty()) setText(address_);
  QFont f = font();
  f.setUnderline(underline_);
  setFont(f);
  AdjustToFit();
  setCursor(Qt::PointingHandCursor);
  setToolTip(address_);
  ApplyColour();
}

QColor CLinkLabel::CurrentColour() const {
  if (over_) return hoverColour_;
  return visited_ ? visitedColour_ : linkColour_;
}

void CLinkLabel::SetVisited(bool visited) {
  visited_ = visited;
  ApplyColour();
}

void CLinkLabel::Activate() {
  const int result = opener_ ? opener_(address_) : kOpenNoAssociation;
  if (result > kOpenOk) {
    SetVisited(true);
    emit opened(address_);
    return;
  }
  QApplication::beep();
  if (report_) report_(QStringLiteral("Unable to open hyperlink:\n\n") + LinkErrorText(result));
}

void CLinkLabel::enterEvent(QEnterEvent* event) {
  over_ = true;
  ApplyColour();
  QLabel::enterEvent(event);
}

void CLinkLabel::leaveEvent(QEvent* event) {
  over_ = false;
  ApplyColour();
  QLabel::leaveEvent(event);
}

void CLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    Activate();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

void CLinkLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) AdjustToFit();
}

void CLinkLabel::ApplyColour() {
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, CurrentColour());
  setPalette(pal);
  update();
}

void CLinkLabel::AdjustToFit() {
  if (!adjustToFit_) return;
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  const QSize want = sizeHint();
  QRect r = geometry();
  const Qt::Alignment align = alignment();
  if (align & Qt::AlignHCenter) {
    r.setLeft(r.center().x() - want.width() / 2);
  } else if (align & Qt::AlignRight) {
    r.setLeft(r.right() - want.width() + 1);
  }
  r.setWidth(want.width());
  if (align & Qt::AlignVCenter) r.setTop(r.center().y() - want.height() / 2);
  r.setHeight(want.height());
  setGeometry(r);
  updateGeometry();
}

}  // namespace skyvane
