#include "gui/controls/bar_graph_ctrl.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "gui/controls/control_paint.h"
#include "gui/controls/gauge_scale.h"
#include "gui/controls/reading_text.h"

namespace skyvane {

namespace {
constexpr int kMargin = 4;
constexpr int kTick = 5;
}  // namespace

CBarGraphCtrl::CBarGraphCtrl(QWidget* parent) : QWidget(parent) {
  // Every paint covers the whole control, so Qt need not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CBarGraphCtrl::SetScale(float max, int divisions, float value) {
  if (!IsValidBarGraphBase(max, divisions) || !std::isfinite(value)) return false;
  if (max == scaleMax_ && divisions == divisions_ && value == value_) return true;
  baseMax_ = max;
  baseDivisions_ = divisions;
  const BarGraphScale s = FitBarGraphScale(max, divisions, value);
  scaleMax_ = s.max;
  divisions_ = s.divisions;
  value_ = value;
  update();
  return true;
}

bool CBarGraphCtrl::SetScaleText(float max, int divisions, std::string_view text) {
  if (!IsValidBarGraphBase(max, divisions)) return false;
  const bool hasValue = HasGaugeReading(text);
  if (hasValue != hasValue_) {
    hasValue_ = hasValue;
    update();
  }
  return SetScale(max, divisions, GaugeReadingValue(text));
}

QStringList CBarGraphCtrl::Labels() const {
  // Two decimals carry a scale in inches (0.79, 1.57); a scale whose every tick
  // is whole, as in millimetres, shows whole numbers.
  QStringList labels;
  bool whole = true;
  for (int i = 0; i <= divisions_; ++i) {
    const float v = static_cast<float>(i) * scaleMax_ / static_cast<float>(divisions_);
    labels << QString::asprintf("%.2f", static_cast<double>(v));
    whole = whole && labels.back().endsWith(QStringLiteral(".00"));
  }
  if (whole) {
    for (QString& label : labels) label.chop(3);
  }
  const qsizetype width = labels.back().size();
  for (QString& label : labels) label = label.rightJustified(width);
  return labels;
}

QSize CBarGraphCtrl::sizeHint() const { return {48, 120}; }

void CBarGraphCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor ink = ControlInk(*this);
  FillBox(p, 0, 0, width(), height(), ControlFace(*this));
  const int left = 0;
  const int right = width();
  const int top = kMargin;
  const int bottom = height() - kMargin;
  p.setFont(ControlLabelFont());
  p.setPen(ink);
  const QFontMetrics fm(p.font());
  const QStringList labels = Labels();
  const int w = fm.horizontalAdvance(labels.back().trimmed());

  for (int i = 0; i <= divisions_; ++i) {
    const int y = bottom - i * (bottom - top) / divisions_;
    TextLeftCentred(p, left, y, labels[i]);
    LineTo(p, left + w, y, left + w + kTick, y, ink);
  }

  const int x0 = left + w + kTick;
  LineTo(p, x0, top, x0, bottom, ink);
  LineTo(p, x0, bottom, right, bottom, ink);
  LineTo(p, right, bottom, right, top - 1, ink);

  if (hasValue_) {
    const double filled = static_cast<double>(bottom - top) * value_ / scaleMax_;
    // Beyond the largest scale the bar stops at the top.
    const int barTop = bottom - static_cast<int>(std::clamp<double>(filled, -1.0, bottom - top));
    FillBox(p, x0 + 1, barTop, right, bottom, ControlFill(*this));
  }
}

}  // namespace skyvane
