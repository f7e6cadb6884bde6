// Draws the desktop program's own pictures (tool bar icons, bells, connection
// pictures, application icon) into resources/pictures/. The PNG files are kept
// in the repository; run this again only to change a drawing:
//   cmake --build build --target skyvane-draw-pictures
//   QT_QPA_PLATFORM=offscreen build/src/gui/skyvane-draw-pictures resources/pictures
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstdio>
#include <functional>

namespace {

QImage Canvas(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  return img;
}

// Each picture twice: name.png and, for screens of two device pixels per
// pixel, name@2x.png drawn at twice the size (Qt picks it by its name).
bool Save(const QString& dir, const QString& name, int w, int h,
          const std::function<void(QPainter&)>& draw) {
  for (int scale : {1, 2}) {
    QImage img = Canvas(w * scale, h * scale);
    {
      QPainter p(&img);
      p.setRenderHint(QPainter::Antialiasing);
      p.scale(scale, scale);
      draw(p);
    }
    QString file = name;
    if (scale == 2) file.insert(file.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    const QString path = dir + "/" + file;
    if (!img.save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return false;
    }
  }
  return true;
}

// A bell of 20 x 20 pixels: body, rim, clapper and a little handle.
void Bell(QPainter& p, QColor fill, QColor outline, QColor clapper) {
  QPainterPath body;
  body.moveTo(3.5, 15.5);
  body.cubicTo(5.5, 13.5, 5.0, 9.0, 6.0, 6.5);
  body.cubicTo(7.0, 3.5, 13.0, 3.5, 14.0, 6.5);
  body.cubicTo(15.0, 9.0, 14.5, 13.5, 16.5, 15.5);
  body.closeSubpath();
  p.setPen(QPen(outline, 1.2));
  p.setBrush(fill);
  p.drawPath(body);
  p.drawRoundedRect(QRectF(2.5, 15.0, 15.0, 2.0), 1.0, 1.0);
  p.setBrush(clapper);
  p.drawEllipse(QRectF(8.5, 16.5, 3.0, 3.0));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(8.8, 1.5, 2.4, 2.4));
}

void Hammer(QPainter& p) {
  // A window frame with a hammer laid across it.
  p.setPen(QPen(QColor(0, 0, 128), 1.5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(2.5, 5.5, 16, 14));
  p.setBrush(QColor(0, 0, 160));
  p.drawRect(QRectF(2.5, 5.5, 16, 3));
  p.save();
  p.translate(14, 12);
  p.rotate(-40);
  p.setPen(QPen(QColor(90, 50, 10), 1));
  p.setBrush(QColor(170, 110, 40));
  p.drawRect(QRectF(-1.5, -2, 3, 13));  // handle
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(110, 110, 120));
  p.drawRect(QRectF(-5.5, -6, 11, 4.5));  // head
  p.restore();
}

void TrafficLight(QPainter& p) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(60, 60, 60));
  p.drawRoundedRect(QRectF(7.5, 1.5, 9, 21), 2, 2);
  const QColor lamps[] = {QColor(230, 20, 20), QColor(250, 200, 0), QColor(20, 190, 40)};
  for (int i = 0; i < 3; ++i) {
    p.setBrush(lamps[i]);
    p.drawEllipse(QRectF(9.0, 3.0 + i * 6.5, 6, 6));
  }
}

void BarChart(QPainter& p) {
  p.setPen(QPen(Qt::black, 1.2));
  p.drawLine(QPointF(2.5, 2), QPointF(2.5, 21.5));
  p.drawLine(QPointF(2.5, 21.5), QPointF(22, 21.5));
  const QColor colours[] = {QColor(220, 40, 40), QColor(40, 120, 220), QColor(40, 170, 60),
                            QColor(240, 170, 0)};
  const double heights[] = {9, 16, 12, 6};
  for (int i = 0; i < 4; ++i) {
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(colours[i]);
    p.drawRect(QRectF(4.5 + i * 4.5, 21 - heights[i], 3.5, heights[i]));
  }
}

void Table(QPainter& p) {
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(2.5, 3.5, 19, 17));
  p.setBrush(QColor(80, 120, 200));
  p.drawRect(QRectF(2.5, 3.5, 19, 4));
  for (int r = 1; r < 4; ++r) p.drawLine(QPointF(2.5, 7.5 + r * 3.25), QPointF(21.5, 7.5 + r * 3.25));
  p.drawLine(QPointF(8.5, 3.5), QPointF(8.5, 20.5));
  p.drawLine(QPointF(15.0, 3.5), QPointF(15.0, 20.5));
}

void LineChart(QPainter& p) {
  p.setPen(QPen(Qt::black, 1.2));
  p.drawLine(QPointF(2.5, 2), QPointF(2.5, 21.5));
  p.drawLine(QPointF(2.5, 21.5), QPointF(22, 21.5));
  p.setPen(QPen(QColor(220, 30, 30), 1.8));
  const QPointF red[] = {{4, 17}, {8, 10}, {12, 13}, {16, 5}, {21, 8}};
  p.drawPolyline(red, 5);
  p.setPen(QPen(QColor(30, 80, 220), 1.8));
  const QPointF blue[] = {{4, 20}, {8, 16}, {12, 18}, {16, 13}, {21, 15}};
  p.drawPolyline(blue, 5);
}

// A calendar sheet: a red band with two rings on top, the days below it in
// rows, one of them marked.
void Calendar(QPainter& p) {
  p.setPen(QPen(Qt::black, 1.0));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(2.5, 4.5, 19, 17));
  p.setBrush(QColor(220, 30, 30));
  p.drawRect(QRectF(2.5, 4.5, 19, 4.5));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::black, 1.4));
  p.drawLine(QPointF(7, 2), QPointF(7, 6.5));
  p.drawLine(QPointF(17, 2), QPointF(17, 6.5));
  p.setPen(Qt::NoPen);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 4; ++col) {
      p.setBrush(row == 1 && col == 2 ? QColor(30, 80, 220) : QColor(110, 110, 110));
      p.drawRect(QRectF(4.5 + col * 4.2, 10.5 + row * 3.6, 2.6, 2.4));
    }
  }
}

void QuestionMark(QPainter& p) {
  p.setPen(QPen(QColor(0, 0, 140), 1));
  p.setBrush(QColor(255, 255, 210));
  p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
  QFont f("DejaVu Sans");
  f.setPixelSize(17);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(0, 0, 160));
  p.drawText(QRectF(1.5, 1.5, 21, 21), Qt::AlignCenter, "?");
}

void Caption(QPainter& p, const QString& text, QColor colour) {
  QFont f("DejaVu Sans");
  f.setPixelSize(13);
  f.setBold(true);
  p.setFont(f);
  p.setPen(colour);
  p.drawText(QRectF(0, 1, 90, 17), Qt::AlignCenter, text);
}

void Connected(QPainter& p) {
  Caption(p, "Connected", QColor(0, 150, 0));
  p.setPen(QPen(QColor(0, 170, 0), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(8, 27), QPointF(82, 27));
}

void NotConnected(QPainter& p) {
  Caption(p, "Not Connect", QColor(210, 0, 0));
  const QColor blue(0, 60, 220);
  p.setPen(QPen(blue, 3, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(6, 27), QPointF(37, 27));   // left piece
  p.drawLine(QPointF(51, 27), QPointF(74, 27));  // right piece after the break
  p.setPen(QPen(blue, 2));
  p.drawLine(QPointF(36, 33), QPointF(41, 21));  // the cut ends, apart
  p.drawLine(QPointF(47, 33), QPointF(52, 21));
  p.setPen(Qt::NoPen);
  p.setBrush(blue);
  const QPointF head[] = {{73, 21.5}, {84, 27}, {73, 32.5}};
  p.drawPolygon(head, 3);
}

// A window that leaves the station to another program: grey caption, a pause sign.
void NotPolling(QPainter& p) {
  Caption(p, "Not Polling", QColor(90, 90, 90));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 90, 90));
  p.drawRect(QRectF(38, 21, 5, 13));
  p.drawRect(QRectF(47, 21, 5, 13));
}

// Application icon: a weather vane arrow over a cloud with a sun behind it.
void AppIcon(QPainter& p, int size) {
  p.scale(size / 64.0, size / 64.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 130, 220));
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
  p.setBrush(QColor(255, 200, 30));
  p.drawEllipse(QRectF(34, 10, 20, 20));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(10, 30, 22, 20));
  p.drawEllipse(QRectF(22, 24, 24, 24));
  p.drawEllipse(QRectF(36, 32, 18, 18));
  p.drawRect(QRectF(20, 38, 26, 12));
  p.setPen(QPen(QColor(30, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10, 16), QPointF(34, 16));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 30, 30));
  const QPointF tip[] = {{34, 10}, {44, 16}, {34, 22}};
  p.drawPolygon(tip, 3);
  const QPointF tail[] = {{6, 10}, {14, 16}, {6, 22}, {10, 16}};
  p.drawPolygon(tail, 4);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QDir().mkpath(dir);
  bool ok = true;
  ok &= Save(dir, "bell_disabled.png", 20, 20, [](QPainter& p) {
    Bell(p, QColor(200, 200, 200), QColor(150, 150, 150), QColor(170, 170, 170));
  });
  ok &= Save(dir, "bell_armed.png", 20, 20,
             [](QPainter& p) { Bell(p, Qt::white, Qt::black, Qt::black); });
  ok &= Save(dir, "bell_triggered.png", 20, 20, [](QPainter& p) {
    Bell(p, QColor(230, 20, 20), QColor(120, 0, 0), QColor(120, 0, 0));
  });
  ok &= Save(dir, "connected.png", 90, 37, Connected);
  ok &= Save(dir, "not_connected.png", 90, 37, NotConnected);
  ok &= Save(dir, "not_polling.png", 90, 37, NotPolling);
  ok &= Save(dir, "tb_setup.png", 24, 24, Hammer);
  ok &= Save(dir, "tb_alarm.png", 24, 24, TrafficLight);
  ok &= Save(dir, "tb_scope.png", 24, 24, BarChart);
  ok &= Save(dir, "tb_history.png", 24, 24, Table);
  ok &= Save(dir, "tb_graph.png", 24, 24, LineChart);
  ok &= Save(dir, "tb_statistics.png", 24, 24, Calendar);
  ok &= Save(dir, "tb_about.png", 24, 24, QuestionMark);
  ok &= Save(dir, "skyvane_32.png", 32, 32, [](QPainter& p) { AppIcon(p, 32); });
  ok &= Save(dir, "skyvane_128.png", 128, 128, [](QPainter& p) { AppIcon(p, 128); });
  return ok ? 0 : 1;
}
