#include "gui/chart/chart_renderer.h"

#include <QFontMetrics>
#include <QLinearGradient>

#include <algorithm>
#include <vector>
#include <cmath>

#include "gui/chart/chart_series_painter.h"
#include "gui/chart/chart_ticks.h"
#include "gui/chart/chart_time.h"

namespace skyvane {

namespace {

constexpr int kMargin = 8;
constexpr int kTick = 4;
constexpr int kGap = 4;
constexpr int kSlotDepth = 12;
constexpr int kSwatch = 12;

const QColor kInk(0x20, 0x20, 0x20);
const QColor kAxisLine(0x60, 0x60, 0x60);
const QColor kGrid(0xC8, 0xC8, 0xC8);
const QColor kWall(0xFF, 0xFF, 0xFF);
const QColor kSideWall(0xE2, 0xE4, 0xE8);
const QColor kFloor(0xD2, 0xD5, 0xDA);

QFont AxisFont() {
  QFont f;
  f.setPointSize(8);
  return f;
}

QFont HeaderFont() {
  QFont f;
  f.setPointSize(10);
  f.setBold(true);
  return f;
}

// Axis ranges as drawn: ordered, and never empty.
struct Range {
  double lo, hi;
};

Range Normalised(const ChartAxis& axis, double emptyWidth) {
  double lo = axis.minimum, hi = axis.maximum;
  if (!std::isfinite(lo) || !std::isfinite(hi)) lo = 0, hi = 1;
  if (lo > hi) std::swap(lo, hi);
  if (hi - lo <= 0) lo -= emptyWidth / 2, hi += emptyWidth / 2;
  return {lo, hi};
}

bool IsHorizontal(const ChartContent& c) {
  return !c.series.empty() && c.series.front().kind == ChartSeriesClass::kHorizBar;
}

int ChartDepth(const ChartContent& c) {
  return c.view3D ? kSlotDepth * std::max<int>(1, static_cast<int>(c.series.size())) : 0;
}

// The x labels: date-time text when a format is set, else numbers.
struct Labels {
  std::vector<double> at;
  QStringList text;
};

Labels PositionLabels(const ChartContent& c, Range r, int maxTicks) {
  Labels out;
  if (c.bottomFormat.isEmpty()) {
    const ValueTicks t = NiceValueTicks(r.lo, r.hi, maxTicks);
    out.at = t.values;
    for (double v : t.values) out.text << QString::number(v, 'f', t.decimals);
  } else {
    out.at = NiceTimeTicks(r.lo, r.hi, maxTicks);
    for (double v : out.at) out.text << FormatChartTime(v, c.bottomFormat);
  }
  return out;
}

Labels ValueLabels(Range r, int maxTicks) {
  Labels out;
  const ValueTicks t = NiceValueTicks(r.lo, r.hi, maxTicks);
  out.at = t.values;
  for (double v : t.values) out.text << QString::number(v, 'f', t.decimals);
  return out;
}

int WidestText(const QFontMetrics& fm, const QStringList& texts) {
  int w = 0;
  for (const QString& t : texts) w = std::max(w, fm.horizontalAdvance(t));
  return w;
}

QString SeriesLabel(const ChartSeries& s) { return s.title; }

int LegendWidth(const ChartContent& c, const QFontMetrics& fm) {
  if (c.series.empty()) return 0;
  int w = 0;
  for (const ChartSeries& s : c.series) w = std::max(w, fm.horizontalAdvance(SeriesLabel(s)));
  return w + kSwatch + 3 * kGap + 2;
}

struct Layout {
  PlotFrame frame;
  QRect inner;        // area without margins, header and legend
  QRect legend;
  Labels positionLabels;
  Labels valueLabels;
};

Layout Arrange(const ChartContent& c, const QRect& area) {
  Layout l;
  const QFontMetrics fm(AxisFont());
  QRect inner = area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
  if (!c.header.isEmpty()) inner.setTop(inner.top() + QFontMetrics(HeaderFont()).height() + kGap);
  const int legendWidth = LegendWidth(c, fm);
  if (legendWidth > 0) {
    const int rows = static_cast<int>(c.series.size());
    l.legend = QRect(inner.right() - legendWidth + 1, inner.top(), legendWidth, rows * (fm.height() + kGap) + kGap);
    inner.setRight(inner.right() - legendWidth - 2 * kGap);
  }
  l.inner = inner;

  const bool horizontal = IsHorizontal(c);
  const int depth = ChartDepth(c);
  const Range pos = Normalised(c.bottom, c.bottomFormat.isEmpty() ? 1.0 : 1.0 / 24);
  const Range val = Normalised(c.left, 1.0);
  const ChartAxis& leftAxis = horizontal ? c.bottom : c.left;
  const ChartAxis& bottomAxis = horizontal ? c.left : c.bottom;

  // Room for the bottom labels and title; the plot height follows.
  const int bottomRoom = kTick + kGap + fm.height() + (bottomAxis.title.isEmpty() ? 0 : kGap + fm.height());
  const int leftTitleRoom = leftAxis.title.isEmpty() ? 0 : fm.height() + kGap;
  const int plotHeight = std::max(1, inner.height() - bottomRoom - depth);

  // Left labels decide the left room, which decides the plot width.
  const int rowsForLabels = std::max(1, plotHeight / (horizontal ? fm.height() + 8 : 2 * fm.height()));
  Labels leftLabels = horizontal ? PositionLabels(c, pos, rowsForLabels) : ValueLabels(val, rowsForLabels);
  const int leftRoom = leftTitleRoom + WidestText(fm, leftLabels.text) + kGap + kTick;
  const int plotWidth = std::max(1, inner.width() - leftRoom - depth);

  Labels bottomLabels;
  if (horizontal) {
    const int sample = fm.horizontalAdvance(QString::number(val.hi, 'f', 1)) + 24;
    bottomLabels = ValueLabels(val, std::max(1, plotWidth / sample));
  } else {
    const QString probe = c.bottomFormat.isEmpty() ? QString::number(pos.hi) : FormatChartTime(pos.hi, c.bottomFormat);
    bottomLabels = PositionLabels(c, pos, std::max(1, plotWidth / (fm.horizontalAdvance(probe) + 16)));
  }

  PlotFrame& f = l.frame;
  f.plot = QRect(inner.left() + leftRoom, inner.top() + depth, plotWidth, plotHeight);
  f.horizontal = horizontal;
  f.depth = depth;
  const double left = f.plot.x(), right = f.plot.x() + f.plot.width();
  const double top = f.plot.y(), bottom = f.plot.y() + f.plot.height();
  if (horizontal) {
    f.position = {pos.lo, pos.hi, bottom, top};
    f.value = {val.lo, val.hi, left, right};
    l.positionLabels = leftLabels;
    l.valueLabels = bottomLabels;
  } else {
    f.position = {pos.lo, pos.hi, left, right};
    f.value = {val.lo, val.hi, bottom, top};
    l.positionLabels = bottomLabels;
    l.valueLabels = leftLabels;
  }
  return l;
}

void PaintWalls(QPainter& p, const PlotFrame& f) {
  const QRect& r = f.plot;
  p.setRenderHint(QPainter::Antialiasing, false);
  if (f.depth == 0) {
    p.setPen(QPen(kAxisLine, 0));
    p.setBrush(kWall);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    return;
  }
  const QPointF d = DepthOffset(f.depth);
  const QPointF tl = r.topLeft(), bl = QPointF(r.left(), r.top() + r.height());
  const QPointF br = QPointF(r.left() + r.width(), r.top() + r.height());
  p.setPen(QPen(kAxisLine, 0));
  p.setBrush(kWall);
  p.drawRect(QRectF(tl + d, r.size()).adjusted(0, 0, -1, -1));
  p.setBrush(kSideWall);
  const QPointF side[4] = {tl, tl + d, bl + d, bl};
  p.drawPolygon(side, 4);
  p.setBrush(kFloor);
  const QPointF floor[4] = {bl, br, br + d, bl + d};
  p.drawPolygon(floor, 4);
}

// Grid lines on the back wall at every label.
void PaintGrid(QPainter& p, const Layout& l) {
  const PlotFrame& f = l.frame;
  const QPointF d = DepthOffset(f.depth);
  const QRectF back = QRectF(f.plot).translated(d);
  p.setPen(QPen(kGrid, 0, Qt::DotLine));
  for (double v : l.valueLabels.at) {
    const double px = f.value(v);
    if (f.horizontal) p.drawLine(QPointF(px, back.top()), QPointF(px, back.bottom()));
    else p.drawLine(QPointF(back.left(), px), QPointF(back.right(), px));
  }
  for (double x : l.positionLabels.at) {
    const double px = f.position(x);
    if (f.horizontal) p.drawLine(QPointF(back.left(), px), QPointF(back.right(), px));
    else p.drawLine(QPointF(px, back.top()), QPointF(px, back.bottom()));
  }
}

void PaintAxes(QPainter& p, const ChartContent& c, const Layout& l, const QRect& area) {
  const PlotFrame& f = l.frame;
  const QFontMetrics fm(AxisFont());
  p.setFont(AxisFont());
  const int left = f.plot.left();
  const int bottom = f.plot.top() + f.plot.height();
  p.setPen(QPen(kAxisLine, 0));
  p.drawLine(left, f.plot.top(), left, bottom);
  p.drawLine(left, bottom, f.plot.left() + f.plot.width(), bottom);

  const Labels& leftLabels = f.horizontal ? l.positionLabels : l.valueLabels;
  const Labels& bottomLabels = f.horizontal ? l.valueLabels : l.positionLabels;
  const AxisMap& leftMap = f.horizontal ? f.position : f.value;
  const AxisMap& bottomMap = f.horizontal ? f.value : f.position;

  for (qsizetype i = 0; i < leftLabels.text.size(); ++i) {
    const int y = static_cast<int>(std::round(leftMap(leftLabels.at[i])));
    p.setPen(QPen(kAxisLine, 0));
    p.drawLine(left - kTick, y, left, y);
    p.setPen(kInk);
    const QRect box(l.inner.left(), y - fm.height() / 2, left - kTick - kGap - l.inner.left(), fm.height());
    p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, leftLabels.text[i]);
  }
  for (qsizetype i = 0; i < bottomLabels.text.size(); ++i) {
    const int x = static_cast<int>(std::round(bottomMap(bottomLabels.at[i])));
    p.setPen(QPen(kAxisLine, 0));
    p.drawLine(x, bottom, x, bottom + kTick);
    p.setPen(kInk);
    const int w = fm.horizontalAdvance(bottomLabels.text[i]);
    const int x0 = std::clamp(x - w / 2, area.left(), std::max(area.left(), area.right() - w));
    p.drawText(QRect(x0, bottom + kTick + kGap / 2, w + 1, fm.height()), Qt::AlignLeft | Qt::AlignTop,
               bottomLabels.text[i]);
  }

  p.setPen(kInk);
  const QString& leftTitle = f.horizontal ? c.bottom.title : c.left.title;
  const QString& bottomTitle = f.horizontal ? c.left.title : c.bottom.title;
  if (!bottomTitle.isEmpty()) {
    const int y = bottom + kTick + kGap + fm.height() + kGap / 2;
    p.drawText(QRect(f.plot.left(), y, f.plot.width(), fm.height()), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
               bottomTitle);
  }
  if (!leftTitle.isEmpty()) {
    p.save();
    const int cy = f.plot.top() + f.plot.height() / 2;
    p.translate(l.inner.left(), cy);
    p.rotate(-90);
    p.drawText(QRect(-f.plot.height() / 2, 0, f.plot.height(), fm.height()), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
               leftTitle);
    p.restore();
  }
}

void PaintLegend(QPainter& p, const ChartContent& c, const QRect& box) {
  if (c.series.empty()) return;
  const QFontMetrics fm(AxisFont());
  p.setFont(AxisFont());
  p.setPen(QPen(kAxisLine, 0));
  p.setBrush(Qt::white);
  p.drawRect(box.adjusted(0, 0, -1, -1));
  int y = box.top() + kGap;
  for (const ChartSeries& s : c.series) {
    const QRect swatch(box.left() + kGap, y + (fm.height() - 8) / 2, kSwatch, 8);
    p.fillRect(swatch, s.colour);
    p.setPen(kInk);
    p.drawText(QRect(swatch.right() + kGap + 1, y, box.width(), fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
               SeriesLabel(s));
    y += fm.height() + kGap;
  }
}

}  // namespace

PlotFrame LayoutChart(const ChartContent& content, const QRect& area) { return Arrange(content, area).frame; }

void RenderChart(QPainter& p, const ChartContent& c, const QRect& area) {
  p.save();
  p.setClipRect(area);
  QLinearGradient panel(area.topLeft(), area.bottomLeft());
  panel.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
  panel.setColorAt(1, QColor(0xEC, 0xEF, 0xF4));
  p.fillRect(area, panel);

  if (!c.header.isEmpty()) {
    p.setFont(HeaderFont());
    p.setPen(kInk);
    p.drawText(area.adjusted(kMargin, kMargin, -kMargin, 0), Qt::AlignHCenter | Qt::AlignTop, c.header);
  }

  const Layout l = Arrange(c, area);
  PaintWalls(p, l.frame);
  PaintGrid(p, l);
  PaintAxes(p, c, l, area);
  PaintLegend(p, c, l.legend);

  // Series from the back to the front: the first series stands in front. On a
  // flat chart every body comes before every edge, so each series' own edge
  // stays visible over the others' bodies; in 3D each series is finished
  // before the one in front of it.
  const int count = static_cast<int>(c.series.size());
  int barCount = 0;
  for (const ChartSeries& s : c.series) barCount += IsBarClass(s.kind) ? 1 : 0;
  std::vector<SeriesSlot> seriesSlots(c.series.size());
  int barIndex = barCount;
  for (int i = count - 1; i >= 0; --i) {
    SeriesSlot& slot = seriesSlots[static_cast<std::size_t>(i)];
    if (c.view3D) {
      slot.front = i * kSlotDepth;
      slot.back = (i + 1) * kSlotDepth;
    }
    if (IsBarClass(c.series[i].kind)) --barIndex;
    // In 3D every series has its own depth; flat bars stand side by side.
    slot.barIndex = c.view3D ? 0 : barIndex;
    slot.barCount = c.view3D ? 1 : std::max(1, barCount);
  }
  p.save();
  p.setClipRect(l.frame.PaintArea().intersected(area));
  if (c.view3D) {
    for (int i = count - 1; i >= 0; --i) {
      for (ChartPass pass : {ChartPass::kBodies, ChartPass::kEdges}) {
        PaintSeries(p, c.series[i], l.frame, seriesSlots[static_cast<std::size_t>(i)], pass);
      }
    }
  } else {
    PaintFlatBodies(p, c.series, l.frame, seriesSlots);
    for (int i = count - 1; i >= 0; --i) {
      PaintSeries(p, c.series[i], l.frame, seriesSlots[static_cast<std::size_t>(i)], ChartPass::kEdges);
    }
  }
  p.restore();
  p.restore();
}

}  // namespace skyvane
