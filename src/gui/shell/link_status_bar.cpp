#include "gui/shell/link_status_bar.h"

#include <QFontMetrics>
#include <QPainter>

#include "gui/controls/control_paint.h"
#include "gui/gui_resources.h"

namespace skyvane {

ConnectionPane::ConnectionPane(std::function<bool()> isConnected, QWidget* parent)
    : QWidget(parent),
      isConnected_(std::move(isConnected)),
      connected_(LoadPicture(QStringLiteral(":/pictures/connected.png"))),
      notConnected_(LoadPicture(QStringLiteral(":/pictures/not_connected.png"))),
      notPollingPicture_(LoadPicture(QStringLiteral(":/pictures/not_polling.png"))) {
  setObjectName(QStringLiteral("connectionPane"));
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  setMinimumSize(PictureSize());
}

QSize ConnectionPane::PictureSize() const {
  return connected_.isNull() ? QSize(90, 37) : connected_.deviceIndependentSize().toSize();
}

QSize ConnectionPane::sizeHint() const {
  // As wide as a pane made for the indicator text "STATUS", and never smaller
  // than the picture: drawn at its own size it stays sharp and readable.
  const QFontMetrics fm(font());
  const int width = fm.horizontalAdvance(QStringLiteral("STATUS")) + 16;
  return QSize(width, fm.height() + 6).expandedTo(PictureSize());
}

void ConnectionPane::ShowNotPolling(const QString& toolTip) {
  notPolling_ = true;
  setToolTip(toolTip);
  update();
}

void ConnectionPane::paintEvent(QPaintEvent*) {
  showedConnected_ = !notPolling_ && isConnected_ && isConnected_();
  // The pictures' red, blue and grey are made to stand out from a dark bar too.
  const QColor ground = palette().color(backgroundRole());
  if (readableOn_ != ground.rgba() || readable_[0].isNull()) {
    readable_[0] = ReadablePicture(connected_, ground);
    readable_[1] = ReadablePicture(notConnected_, ground);
    readable_[2] = ReadablePicture(notPollingPicture_, ground);
    readableOn_ = ground.rgba();
  }
  const QPixmap& picture = readable_[notPolling_ ? 2 : showedConnected_ ? 0 : 1];
  const QSize size = PictureSize();
  QPainter p(this);
  // Unscaled, centred; a HiDPI screen gets the picture of twice the pixels.
  p.drawPixmap(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size), picture);
}

CLinkStatusBar::CLinkStatusBar(std::function<bool()> isConnected, QWidget* parent)
    : QStatusBar(parent), pane1_(new ConnectionPane(std::move(isConnected), this)) {
  setObjectName(QStringLiteral("statusBar"));
  addPermanentWidget(pane1_);
  resting_ = QStringLiteral("Ready");
  showMessage(resting_);
}

void CLinkStatusBar::SetPaneText(const QString& text) {
  resting_ = text;
  showMessage(text);
}

void CLinkStatusBar::ShowPrompt(const QString& prompt) {
  showMessage(prompt.isEmpty() ? resting_ : prompt);
}

}  // namespace skyvane
