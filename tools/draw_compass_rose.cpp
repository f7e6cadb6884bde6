// Draws resources/pictures/compass_rose.png: the 213 x 128 picture under the wind
// direction needle. An ellipse with a tick for each of the sixteen compass
// points and the labels N, NE, E, SE, S, SW, W, NW around it; the surround is
// transparent so the control's face shows through.
//
//   QT_QPA_PLATFORM=offscreen skyvane-draw-compass-rose resources/pictures/compass_rose.png
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr int kWidth = 213;
constexpr int kHeight = 128;
// The ellipse the needle swings in: 33, 29, 32 and 30 pixels inside the edges.
const QRectF kEllipse(33, 29, kWidth - 33 - 32, kHeight - 29 - 30);

QPointF OnEllipse(double sixteenths, double scale) {
  const double angle = (sixteenths - 4) * M_PI / 8;
  const QPointF c = kEllipse.center();
  return {c.x() + std::cos(angle) * kEllipse.width() / 2 * scale,
          c.y() + std::sin(angle) * kEllipse.height() / 2 * scale};
}

// scale 2 draws the picture for screens of two device pixels per pixel.
QImage DrawRose(int scale) {
  QImage image(kWidth * scale, kHeight * scale, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);

  // Face of the dial with a soft rim.
  QRadialGradient face(kEllipse.center(), kEllipse.width() / 2);
  face.setColorAt(0.0, QColor(0xFF, 0xFF, 0xFF));
  face.setColorAt(1.0, QColor(0xE4, 0xEA, 0xF2));
  p.setPen(QPen(QColor(0x40, 0x48, 0x58), 1.5));
  p.setBrush(face);
  p.drawEllipse(kEllipse);

  // Ticks: long at the eight named points, short between them.
  for (int i = 0; i < 16; ++i) {
    const bool major = i % 2 == 0;
    p.setPen(QPen(QColor(0x40, 0x48, 0x58), major ? 1.5 : 1.0));
    p.drawLine(OnEllipse(i, major ? 0.80 : 0.88), OnEllipse(i, 1.0));
  }

  // Cross hairs through the centre, faint, for orientation.
  p.setPen(QPen(QColor(0xB8, 0xC0, 0xCC), 1.0, Qt::DotLine));
  p.drawLine(OnEllipse(0, 0.75), OnEllipse(8, 0.75));
  p.drawLine(OnEllipse(4, 0.75), OnEllipse(12, 0.75));

  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  font.setBold(true);
  p.setFont(font);
  const QFontMetricsF fm(font);
  const char* names[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
  for (int i = 0; i < 8; ++i) {
    const QString name = QString::fromLatin1(names[i]);
    const bool diagonal = i % 2 == 1;
    // Labels sit outside the rim: further out on the flat sides of the ellipse.
    const double scale = diagonal ? 1.22 : (i % 4 == 0 ? 1.40 : 1.22);
    const QPointF at = OnEllipse(2 * i, scale);
    const QSizeF size(fm.horizontalAdvance(name), fm.height());
    QRectF box(at.x() - size.width() / 2, at.y() - size.height() / 2, size.width(), size.height());
    box.moveLeft(std::clamp(box.left(), 1.0, kWidth - 1 - box.width()));
    box.moveTop(std::clamp(box.top(), 0.0, kHeight - box.height()));
    p.setPen(i == 0 ? QColor(0xB0, 0x20, 0x20) : QColor(0x20, 0x28, 0x38));
    p.drawText(box, Qt::AlignCenter, name);
  }
  p.end();
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  // OUTPUT.png and, with 2, the picture for HiDPI screens (OUTPUT@2x.png).
  if (argc != 2 && !(argc == 3 && std::string(argv[2]) == "2")) {
    std::fprintf(stderr, "usage: %s OUTPUT.png [2]\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (!DrawRose(argc == 3 ? 2 : 1).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
