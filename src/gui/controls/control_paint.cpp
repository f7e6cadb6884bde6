#include "gui/controls/control_paint.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace skyvane {

QFont ControlLabelFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QColor ControlFace(const QWidget& widget) { return widget.palette().color(QPalette::Button); }

QColor ControlInk(const QWidget& widget) { return widget.palette().color(QPalette::ButtonText); }

QColor ControlWell(const QWidget& widget) {
  return IsDarkPalette(widget.palette()) ? widget.palette().color(QPalette::Base) : QColor(Qt::white);
}

QColor ControlSign(const QWidget& widget) { return ReadableOn(kControlAccent, ControlFace(widget)); }

QColor ControlFill(const QWidget& widget) {
  // Face and well lie on the same side of the accent in both kinds of
  // palette, so moving it clear of one never brings it closer to the other.
  return ReadableOn(ReadableOn(kControlAccent, ControlWell(widget)), ControlFace(widget));
}

bool IsDarkPalette(const QPalette& palette) {
  return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

QPixmap InkedPicture(const QPixmap& picture, const QColor& ink) {
  QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = QColor::fromRgba(line[x]);
      if (c.alpha() == 0 || c.hslSaturation() > 120 || c.lightness() >= 110) continue;
      line[x] = qRgba(ink.red(), ink.green(), ink.blue(), c.alpha());
    }
  }
  QPixmap inked = QPixmap::fromImage(image);
  inked.setDevicePixelRatio(picture.devicePixelRatio());
  return inked;
}

double RelativeLuminance(const QColor& colour) {
  auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  const QColor c = colour.toRgb();
  return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& colour, const QColor& background) {
  // A little above the bar, so rounding to whole channels never falls below it.
  constexpr double kAim = kReadableContrast + 0.1;
  if (ContrastRatio(colour, background) >= kAim) return colour;
  // Below this luminance white stands out more than black does.
  const bool darkGround = RelativeLuminance(background) < 0.18;
  const QColor target = darkGround ? QColor(Qt::white) : QColor(Qt::black);
  const QColor from = colour.toRgb();
  QColor mixed = from;
  for (int step = 1; step <= 20; ++step) {
    const double t = step / 20.0;
    auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    mixed = QColor(mix(from.red(), target.red()), mix(from.green(), target.green()),
                   mix(from.blue(), target.blue()), from.alpha());
    if (ContrastRatio(mixed, background) >= kAim) break;
  }
  return mixed;
}

QPixmap ReadablePicture(const QPixmap& picture, const QColor& background) {
  QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(line[x]) == 0) continue;
      line[x] = ReadableOn(QColor::fromRgba(line[x]), background).rgba();
    }
  }
  QPixmap readable = QPixmap::fromImage(image);
  readable.setDevicePixelRatio(picture.devicePixelRatio());
  return readable;
}

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
