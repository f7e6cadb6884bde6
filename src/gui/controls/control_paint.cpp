#include "gui/controls/control_paint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <algorithm>

namespace skyvane {

QFont ControlLabelFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QColor ControlFace(const QWidget& widget) { return widget.palette().color(QPalette::Button); }

QColor ControlInk(const QWidget& widget) { return widget.palette().color(QPalette::ButtonText); }

void FillBox(QPainter& p, int left, int top, int right, int bottom, const QColor& colour) {
  if (right <= left || bottom <= top) return;
  p.fillRect(QRect(left, top, right - left, bottom - top), colour);
}

void LineTo(QPainter& p, int x1, int y1, int x2, int y2, const QColor& colour) {
  if (x1 == x2 && y1 == y2) return;
  if (y1 == y2) {
    if (x2 > x1) FillBox(p, x1, y1, x2, y1 + 1, colour);
    else FillBox(p, x2 + 1, y1, x1 + 1, y1 + 1, colour);
    return;
  }
  if (x1 == x2) {
    if (y2 > y1) FillBox(p, x1, y1, x1 + 1, y2, colour);
    else FillBox(p, x1, y2 + 1, x1 + 1, y1 + 1, colour);
    return;
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(colour, 0));
  p.drawLine(x1, y1, x2, y2);
  p.restore();
}

void OutlinedBox(QPainter& p, int left, int top, int right, int bottom, const QColor& outline,
                 const QColor& fill) {
  if (right <= left || bottom <= top) return;
  FillBox(p, left, top, right, bottom, outline);
  FillBox(p, left + 1, top + 1, right - 1, bottom - 1, fill);
}

void OutlinedEllipse(QPainter& p, int left, int top, int right, int bottom, const QColor& outline,
                     const QColor& fill) {
  if (right - left < 2 || bottom - top < 2) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(outline, 0));
  p.setBrush(fill);
  // A cosmetic outline covers the rectangle's last row and column as well.
  p.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
  p.restore();
}

void TextLeftCentred(QPainter& p, int x, int y, const QString& text) {
  const QFontMetrics fm(p.font());
  const int top = y - fm.height() / 2;
  p.drawText(QRect(x, top, fm.horizontalAdvance(text) + 1, fm.height()),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

}  // namespace skyvane
