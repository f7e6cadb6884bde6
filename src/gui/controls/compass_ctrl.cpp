#include "gui/controls/compass_ctrl.h"

#include <QPainter>

#include <cmath>

#include "gui/controls/control_paint.h"
#include "gui/controls/reading_text.h"
#include "gui/gui_resources.h"

namespace skyvane {

namespace {

// The rose picture's ellipse sits this far inside the control's edges.
constexpr int kRoseLeft = 33;
constexpr int kRoseTop = 29;
constexpr int kRoseRight = 32;
constexpr int kRoseBottom = 30;

// Point at radius factor s of the ellipse [l, r) x [t, b) in direction d.
QPoint OnEllipse(int l, int t, int r, int b, double d, double s) {
  const double angle = (d - 4) * 3.14159 / 8;
  const int x = (l + r) / 2 + static_cast<int>(std::cos(angle) * ((r - l) / 2) * s);
  const int y = (t + b) / 2 + static_cast<int>(s * std::sin(angle) * ((b - t) / 2));
  return {x, y};
}

}  // namespace

std::array<QPoint, 4> CompassNeedle(const QRect& client, int direction) {
  const int l = client.left() + kRoseLeft;
  const int t = client.top() + kRoseTop;
  // QRect's right and bottom are inclusive; the geometry counts them exclusive.
  const int r = client.left() + client.width() - kRoseRight;
  const int b = client.top() + client.height() - kRoseBottom;
  const double d = direction;
  const QPoint tail = OnEllipse(l, t, r, b, d, 0.1);
  const QPoint tip = OnEllipse(l, t, r, b, d, 0.95);
  const double length = std::hypot(tip.x() - tail.x(), tip.y() - tail.y());
  const double diagonal = std::hypot(r - l, b - t);
  const double q = diagonal > 0 ? length / diagonal : 0;
  return {tail, OnEllipse(l, t, r, b, d - q - 0.1, 0.7), tip, OnEllipse(l, t, r, b, d + q + 0.1, 0.7)};
}

CCompassCtrl::CCompassCtrl(QWidget* parent) : QWidget(parent) {
  InitGuiResources();
  rose_ = LoadPicture(QStringLiteral(":/pictures/compass_rose.png"));
  // The picture is drawn unscaled at the top-left corner while the needle and
  // the centre dot follow the control's centre: both agree only at the
  // picture's own size, and a smaller control would cut the rose off.
  setFixedSize(sizeHint());
  // Every paint covers the whole control, so Qt need not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CCompassCtrl::SetDirection(int direction) {
  if (direction == direction_) return;
  direction_ = direction;
  update();
}

void CCompassCtrl::SetDirectionText(std::string_view text) {
  SetDirection(HasGaugeReading(text) ? GaugeReadingInteger(text) : kNoDirection);
}

// In pixels of the layout: on a HiDPI screen the picture holds twice as many.
QSize CCompassCtrl::sizeHint() const {
  return rose_.isNull() ? QSize(213, 128) : rose_.deviceIndependentSize().toSize();
}

void CCompassCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // The picture has a transparent surround; the face shows through it and
  // covers whatever lies beyond the picture in a larger control.
  FillBox(p, 0, 0, width(), height(), ControlFace(*this));
  const QColor ink = ControlInk(*this);
  if (IsDarkPalette(palette())) {
    // The rose's labels and ticks are drawn in black: in a dark palette they
    // take the palette's text colour instead.
    // Its coloured "N" is lightened where the face would swallow it.
    const QColor face = ControlFace(*this);
    if (inkedFor_ != ink.rgba() || inkedOn_ != face.rgba() || inkedRose_.isNull()) {
      inkedRose_ = ReadablePicture(InkedPicture(rose_, ink), face);
      inkedFor_ = ink.rgba();
      inkedOn_ = face.rgba();
    }
    p.drawPixmap(0, 0, inkedRose_);
  } else {
    p.drawPixmap(0, 0, rose_);
  }

  const int cx = width() / 2;
  const int cy = height() / 2;
  OutlinedEllipse(p, cx - 2, cy - 2, cx + 3, cy + 3, ink, ControlWell(*this));

  if (direction_ >= 0 && direction_ <= 15) {
    const std::array<QPoint, 4> needle = CompassNeedle(rect(), direction_);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor sign = ControlSign(*this);
    p.setPen(QPen(sign, 0));
    p.setBrush(sign);
    p.drawPolygon(needle.data(), static_cast<int>(needle.size()));
  }
}

}  // namespace skyvane
