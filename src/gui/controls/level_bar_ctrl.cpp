#include "gui/controls/level_bar_ctrl.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "gui/controls/control_paint.h"
#include "gui/controls/reading_text.h"

namespace skyvane {

namespace {
constexpr int kMargin = 4;
constexpr int kTick = 5;
}  // namespace

CLevelBarCtrl::CLevelBarCtrl(QWidget* parent) : QWidget(parent) {
  // Every paint covers the whole control, so Qt need not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CLevelBarCtrl::SetLevel(int level) {
  if (level < 0 || level > kMaxLevel || level == level_) return;
  level_ = level;
  update();
}

void CLevelBarCtrl::SetLevelText(std::string_view text) {
  SetLevel(HasGaugeReading(text) ? GaugeReadingInteger(text) : 0);
}

QSize CLevelBarCtrl::sizeHint() const { return {200, 36}; }

void CLevelBarCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor ink = ControlInk(*this);
  FillBox(p, 0, 0, width(), height(), ControlFace(*this));
  p.setFont(ControlLabelFont());
  p.setPen(ink);
  const QFontMetrics fm(p.font());
  const int h = fm.height();
  // The end labels are centred on the ends of the bar: keep "12" whole where
  // the font is wider than the usual four pixels allow.
  const int margin = std::max(kMargin, (fm.horizontalAdvance(QStringLiteral("12")) + 1) / 2);
  const int left = margin;
  const int right = width() - margin;
  const int top = 0;
  const int bottom = height();

  for (int i = 0; i <= kMaxLevel; ++i) {
    const int x = left + i * (right - left) / kMaxLevel;
    const QString label = QString::number(i);
    const int w = fm.horizontalAdvance(label);
    p.drawText(QRect(x - w / 2, top, w + 1, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, label);
    LineTo(p, x, top + h, x, top + h + kTick, ink);
  }

  const int barTop = top + h + kTick;
  OutlinedBox(p, left, barTop, right + 1, bottom + 1, ink, ControlWell(*this));
  FillBox(p, left, barTop, left + (right - left) * level_ / kMaxLevel + 1, bottom + 1, ControlFill(*this));
}

}  // namespace skyvane
