#include "gui/controls/thermometer_ctrl.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

#include "gui/controls/control_paint.h"
#include "gui/controls/gauge_scale.h"
#include "gui/controls/reading_text.h"

namespace skyvane {

namespace {
constexpr int kTopMargin = 4;
constexpr int kBulb = 15;
constexpr int kTick = 5;
constexpr int kTubeWidth = 5;
}  // namespace

CThermometerCtrl::CThermometerCtrl(QWidget* parent) : QWidget(parent) {
  // Every paint covers the whole control, so Qt need not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CThermometerCtrl::SetRange(float min, float max, int divisions, float value) {
  if (!IsValidThermometerBase(min, max, divisions) || !std::isfinite(value)) return false;
  if (min == scaleMin_ && max == scaleMax_ && divisions == divisions_ && value == value_) return true;
  baseMin_ = min;
  baseMax_ = max;
  baseDivisions_ = divisions;
  const ThermometerScale s = FitThermometerScale(min, max, divisions, value);
  scaleMin_ = s.min;
  scaleMax_ = s.max;
  divisions_ = s.divisions;
  value_ = value;
  update();
  return true;
}

bool CThermometerCtrl::SetRangeText(float min, float max, int divisions, std::string_view text) {
  if (!IsValidThermometerBase(min, max, divisions)) return false;
  const bool hasValue = HasGaugeReading(text);
  if (hasValue != hasValue_) {
    // The column appears or disappears even when the number stays the same.
    hasValue_ = hasValue;
    update();
  }
  return SetRange(min, max, divisions, GaugeReadingValue(text));
}

QStringList CThermometerCtrl::Labels() const {
  QStringList labels;
  for (int i = 0; i <= divisions_; ++i) {
    const float v = scaleMin_ + (scaleMax_ - scaleMin_) * static_cast<float>(i) / static_cast<float>(divisions_);
    labels << QString::asprintf("%3d", static_cast<int>(v));
  }
  return labels;
}

QSize CThermometerCtrl::sizeHint() const { return {48, 160}; }

void CThermometerCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor ink = ControlInk(*this);
  FillBox(p, 0, 0, width(), height(), ControlFace(*this));
  const int left = 0;
  const int top = kTopMargin;
  const int bottom = height();
  p.setFont(ControlLabelFont());
  p.setPen(ink);
  const QFontMetrics fm(p.font());
  const int w = fm.horizontalAdvance(QStringLiteral("000"));
  const int a = bottom - kBulb;

  const QStringList labels = Labels();
  for (int i = 0; i <= divisions_; ++i) {
    const int y = a - (i * (a - top)) / divisions_;
    TextLeftCentred(p, left, y, labels[i]);
    LineTo(p, left + w, y, left + w + kTick, y, ink);
  }

  const int tubeLeft = left + w + kTick;
  const int tubeRight = tubeLeft + kTubeWidth;
  FillBox(p, tubeLeft, top, tubeRight, a, ControlWell(*this));
  const QColor fill = ControlFill(*this);
  if (hasValue_) {
    const double filled = static_cast<double>(value_ - scaleMin_) * (a - top) / (scaleMax_ - scaleMin_);
    // Beyond the largest scale the column stops at the top of the tube.
    const int columnTop = std::max(top, a - static_cast<int>(std::min<double>(filled, a - top)));
    FillBox(p, tubeLeft, columnTop, tubeRight, a, fill);
  }
  OutlinedEllipse(p, left + w, bottom - kBulb, left + w + kBulb, bottom, fill, fill);
}

}  // namespace skyvane
