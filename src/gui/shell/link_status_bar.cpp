#include "gui/shell/link_status_bar.h"

#include <QFontMetrics>
#include <QPainter>

namespace skyvane {

ConnectionPane::ConnectionPane(std::function<bool()> isConnected, QWidget* parent)
    : QWidget(parent),
      isConnected_(std::move(isConnected)),
      connected_(QStringLiteral(":/pictures/connected.png")),
      notConnected_(QStringLiteral(":/pictures/not_connected.png")) {
  setObjectName(QStringLiteral("connectionPane"));
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize ConnectionPane::sizeHint() const {
  // As wide as a pane made for the indicator text "STATUS", but tall enough for
  // the picture to stay readable.
  const QFontMetrics fm(font());
  const int width = std::max(fm.horizontalAdvance(QStringLiteral("STATUS")) + 16, 60);
  return {width, std::max(fm.height() + 6, 25)};
}

void ConnectionPane::paintEvent(QPaintEvent*) {
  showedConnected_ = isConnected_ && isConnected_();
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawPixmap(rect(), showedConnected_ ? connected_ : notConnected_);
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
