#include "gui/chart/chart_series_painter.h"

#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "gui/chart/chart_decimation.h"

namespace skyvane {

namespace {

using Run = std::vector<QPointF>;

// Depth the always-3D classes give themselves on a flat chart.
constexpr double kOwnDepth = 6;
constexpr double kMarker = 7;
constexpr double kArrowHead = 9;
constexpr double kArrowSpacing = 14;

QColor Shade(const QColor& c) { return c.darker(150); }
QColor Light(const QColor& c) { return c.lighter(130); }

// Alpha of bodies: enough to read the colour, little enough to see through.
constexpr int kBodyAlpha = 150;
// Thickness of the solid edge at a bar's value end.
constexpr double kCap = 2;

// The kept points in pixels, split into runs at the gaps.
std::vector<Run> KeptRuns(const ChartSeries& s, const PlotFrame& f, const std::vector<std::size_t>& kept,
                          QPointF offset) {
  std::vector<Run> runs(1);
  for (std::size_t k : kept) {
    if (k == kChartBreak) {
      if (!runs.back().empty()) runs.emplace_back();
      continue;
    }
    runs.back().push_back(f.ToPixel(s.points[k].x, s.points[k].y) + offset);
  }
  if (runs.back().empty()) runs.pop_back();
  return runs;
}

void Polylines(QPainter& p, const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.size() == 1) p.drawPoint(run.front());
    else p.drawPolyline(run.data(), static_cast<int>(run.size()));
  }
}

// Wide anti-aliased lines as separate segments: Qt rasterises each segment
// directly, where a long polyline would be stroked as one complex outline.
void SegmentLines(QPainter& p, const std::vector<Run>& runs) {
  std::vector<QLineF> lines;
  for (const Run& run : runs) {
    if (run.size() == 1) lines.emplace_back(run.front(), run.front());
    for (std::size_t i = 1; i < run.size(); ++i) lines.emplace_back(run[i - 1], run[i]);
  }
  p.drawLines(lines.data(), static_cast<int>(lines.size()));
}

// A band from each segment back to the same segment d further behind. The
// pieces are filled without anti-aliasing or outlines, which would leave a
// seam of half-covered pixels between neighbours; the band's two long edges
// are drawn smooth afterwards.
void Ribbon(QPainter& p, const std::vector<Run>& runs, QPointF d, const QColor& colour) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(Light(colour));
  for (const Run& run : runs) {
    for (std::size_t i = 1; i < run.size(); ++i) {
      const QPointF quad[4] = {run[i - 1], run[i], run[i] + d, run[i - 1] + d};
      p.drawPolygon(quad, 4);
    }
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(Shade(colour), 1));
  p.setBrush(Qt::NoBrush);
  for (const Run& run : runs) {
    if (run.size() < 2) continue;
    Run back(run);
    for (QPointF& pt : back) pt += d;
    p.drawPolyline(back.data(), static_cast<int>(back.size()));
  }
  p.restore();
}

// Boxes of one colour: a front face with its top and right faces reaching d
// behind. Painted in batches (all sides, then all tops, then all fronts) so the
// painter changes state a few times rather than per box; with the viewer up and
// to the right, that order also lets nearer faces cover farther ones.
class BoxBatch {
 public:
  explicit BoxBatch(QPointF d) : d_(d) {}

  void Add(const QRectF& r) {
    if (r.width() <= 0 || r.height() <= 0) return;
    fronts_.push_back(r);
    if (d_.x() <= 0) return;
    sides_.push_back(Snapped({r.topRight(), r.bottomRight(), r.bottomRight() + d_, r.topRight() + d_}));
    tops_.push_back(Snapped({r.topLeft(), r.topRight(), r.topRight() + d_, r.topLeft() + d_}));
  }

  // Bars show what stands behind them through their front faces; markers are
  // small enough to stay solid.
  void Paint(QPainter& p, const QColor& colour, bool seeThrough) const {
    p.setPen(Qt::NoPen);
    p.setBrush(Shade(colour));
    for (const Quad& q : sides_) p.drawPolygon(q.data(), 4);
    p.setBrush(Light(colour));
    for (const Quad& q : tops_) p.drawPolygon(q.data(), 4);
    p.setPen(QPen(Shade(colour), 0));
    const QColor body = seeThrough ? BodyColour(colour) : colour;
    for (const QRectF& r : fronts_) p.fillRect(r, body);
    // Outlines only where a face is big enough to show one.
    std::vector<QRectF> outlined;
    for (const QRectF& r : fronts_) {
      if (r.width() >= 4 && r.height() >= 4) outlined.push_back(r.adjusted(0, 0, -1, -1));
    }
    p.setBrush(Qt::NoBrush);
    if (!outlined.empty()) p.drawRects(outlined.data(), static_cast<int>(outlined.size()));
  }

 private:
  using Quad = std::array<QPoint, 4>;
  // Whole-pixel corners take Qt's quicker integer polygon path.
  static Quad Snapped(std::array<QPointF, 4> q) {
    return {q[0].toPoint(), q[1].toPoint(), q[2].toPoint(), q[3].toPoint()};
  }
  QPointF d_;
  std::vector<Quad> sides_, tops_;
  std::vector<QRectF> fronts_;
};

// Thickness of one bar: seven tenths of the spacing of the visible points,
// shared by the series standing side by side.
double BarThickness(const ChartSeries& s, const PlotFrame& f, const SeriesSlot& slot) {
  const double lo = std::min(f.position.lo, f.position.hi);
  const double hi = std::max(f.position.lo, f.position.hi);
  std::size_t n = 0;
  double first = 0, last = 0;
  for (const ChartPoint& pt : s.points) {
    if (pt.IsGap() || pt.x < lo || pt.x > hi) continue;
    if (n == 0) first = last = pt.x;
    first = std::min(first, pt.x);
    last = std::max(last, pt.x);
    ++n;
  }
  const double spacing = n >= 2 && last > first
                             ? std::fabs(f.position(last) - f.position(first)) / static_cast<double>(n - 1)
                             : f.PositionLength() / 4;
  const double all = std::clamp(spacing * 0.7, 1.0, 60.0);
  return std::max(1.0, all / std::max(1, slot.barCount));
}

// The bar of one point from the baseline to its value, snapped to whole pixels.
QRectF BarRect(const PlotFrame& f, const ChartPoint& pt, double thickness, double shift) {
  const double vlo = std::min(f.value.p0, f.value.p1);
  const double vhi = std::max(f.value.p0, f.value.p1);
  const double v = std::clamp(f.value(pt.y), vlo, vhi);
  const double base = f.Baseline();
  const double c = f.position(pt.x) + shift;
  const double start = std::round(c - thickness / 2);
  const double along = std::max(1.0, std::round(thickness));
  const double from = std::round(std::min(v, base));
  const double extent = std::round(std::max(v, base)) - from;
  return f.horizontal ? QRectF(from, start, extent, along) : QRectF(start, from, along, extent);
}

// Bars all rise from the base value, so where several share a pixel column
// the one reaching farthest covers the others: only it is drawn.
std::vector<std::size_t> TallestPerColumn(const ChartSeries& s, const PlotFrame& f,
                                          const std::vector<std::size_t>& kept) {
  const double base = f.BaseValue();
  std::vector<std::size_t> out;
  long long column = 0;
  for (std::size_t k : kept) {
    if (k == kChartBreak) continue;
    const long long c = static_cast<long long>(std::floor(f.position(s.points[k].x)));
    if (!out.empty() && c == column) {
      if (std::fabs(s.points[k].y - base) > std::fabs(s.points[out.back()].y - base)) out.back() = k;
      continue;
    }
    out.push_back(k);
    column = c;
  }
  return out;
}

// The solid edge at the value end of a bar, on the side away from the baseline.
QRectF CapOf(const PlotFrame& f, const QRectF& bar, double value) {
  const bool beyond = value >= f.BaseValue();
  if (f.horizontal) {
    const double w = std::min(kCap, bar.width());
    return QRectF(beyond ? bar.right() - w : bar.left(), bar.top(), w, bar.height());
  }
  const double h = std::min(kCap, bar.height());
  return QRectF(bar.left(), beyond ? bar.top() : bar.bottom() - h, bar.width(), h);
}

void PaintBars(QPainter& p, const ChartSeries& s, const PlotFrame& f, const SeriesSlot& slot,
               const std::vector<std::size_t>& columns, bool boxed, ChartPass pass) {
  const std::vector<std::size_t> kept = TallestPerColumn(s, f, columns);
  const double thickness = BarThickness(s, f, slot);
  const double shift = (slot.barIndex - (slot.barCount - 1) / 2.0) * thickness;
  double depth = slot.back - slot.front;
  if (boxed && depth <= 0) depth = std::min(kOwnDepth, std::max(3.0, thickness / 2));
  const QPointF front = DepthOffset(slot.front);
  const QPointF d = DepthOffset(depth);
  p.setRenderHint(QPainter::Antialiasing, false);
  if (pass == ChartPass::kEdges) {
    for (std::size_t k : kept) {
      const QRectF bar = BarRect(f, s.points[k], thickness, shift).translated(front);
      if (bar.width() > 0 && bar.height() > 0) p.fillRect(CapOf(f, bar, s.points[k].y), s.colour);
    }
    return;
  }
  BoxBatch boxes(depth > 0 ? d : QPointF());
  for (std::size_t k : kept) boxes.Add(BarRect(f, s.points[k], thickness, shift).translated(front));
  boxes.Paint(p, s.colour, true);
}

void PaintVolume(QPainter& p, const ChartSeries& s, const PlotFrame& f, const SeriesSlot& slot,
                 const std::vector<std::size_t>& columns, ChartPass pass) {
  const std::vector<std::size_t> kept = TallestPerColumn(s, f, columns);
  const QPointF front = DepthOffset(slot.front);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QColor body = BodyColour(s.colour);
  for (std::size_t k : kept) {
    if (k == kChartBreak) continue;
    const QRectF r = BarRect(f, s.points[k], 1, 0).translated(front);
    if (pass == ChartPass::kBodies) p.fillRect(r, body);
    else if (r.height() > 0) p.fillRect(CapOf(f, r, s.points[k].y), s.colour);
  }
}

void PaintMarkers(QPainter& p, const std::vector<Run>& runs, const QColor& colour, double depth) {
  BoxBatch boxes(DepthOffset(depth));
  for (const Run& run : runs) {
    for (const QPointF& c : run) {
      boxes.Add(QRectF(std::round(c.x() - kMarker / 2), std::round(c.y() - kMarker / 2), kMarker, kMarker));
    }
  }
  boxes.Paint(p, colour, false);
}

void ArrowHead(QPainter& p, QPointF tip, QPointF from, const QColor& colour) {
  const double dx = tip.x() - from.x();
  const double dy = tip.y() - from.y();
  const double len = std::hypot(dx, dy);
  if (len < 1e-9) return;
  const double ux = dx / len, uy = dy / len;
  const QPointF back = tip - QPointF(ux, uy) * kArrowHead;
  const QPointF side(-uy * kArrowHead * 0.45, ux * kArrowHead * 0.45);
  const QPointF head[3] = {tip, back + side, back - side};
  // A shaded rim keeps heads visible where dense shafts merge into a band.
  p.setPen(QPen(Shade(colour), 1));
  p.setBrush(colour);
  p.drawPolygon(head, 3);
}

// Shafts through the kept points, with a head at every point that lies far
// enough from the previous head (at every point when they are sparse).
void PaintArrows(QPainter& p, const std::vector<Run>& runs, const QColor& colour) {
  for (const Run& run : runs) {
    if (run.size() < 2) continue;
    p.setPen(QPen(colour, 1.2, Qt::SolidLine, Qt::SquareCap));
    p.setBrush(Qt::NoBrush);
    SegmentLines(p, {run});
    QPointF lastHead = run.front();
    for (std::size_t i = 1; i < run.size(); ++i) {
      const QPointF& at = run[i];
      const double spread = std::hypot(at.x() - lastHead.x(), at.y() - lastHead.y());
      if (spread < kArrowSpacing && i + 1 < run.size()) continue;
      const QPointF& prev = run[i - 1];
      const bool segmentShows = std::hypot(at.x() - prev.x(), at.y() - prev.y()) >= 3;
      ArrowHead(p, at, segmentShows ? prev : lastHead, colour);
      lastHead = at;
    }
  }
}

// A smooth curve through the points: Catmull-Rom segments as cubic Béziers,
// flattened to short lines (dense points stay straight lines).
void PaintBezier(QPainter& p, const std::vector<Run>& runs, const QColor& colour) {
  std::vector<Run> curves;
  for (const Run& run : runs) {
    Run curve{run.front()};
    for (std::size_t i = 0; i + 1 < run.size(); ++i) {
      const QPointF& p0 = run[i == 0 ? 0 : i - 1];
      const QPointF& p1 = run[i];
      const QPointF& p2 = run[i + 1];
      const QPointF& p3 = run[std::min(i + 2, run.size() - 1)];
      const QPointF c1 = p1 + (p2 - p0) / 6;
      const QPointF c2 = p2 - (p3 - p1) / 6;
      const double length = std::hypot(p2.x() - p1.x(), p2.y() - p1.y());
      const int steps = std::clamp(static_cast<int>(length / 4), 1, 24);
      for (int k = 1; k < steps; ++k) {
        const double t = static_cast<double>(k) / steps, u = 1 - t;
        curve.push_back(u * u * u * p1 + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * p2);
      }
      curve.push_back(p2);
    }
    curves.push_back(std::move(curve));
  }
  p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::SquareCap));
  SegmentLines(p, curves);
}

void PaintArea(QPainter& p, const std::vector<Run>& runs, const PlotFrame& f, const QColor& colour, double depth,
               ChartPass pass) {
  if (pass == ChartPass::kEdges) {
    // The outline in the series' own colour shows where the series runs,
    // whatever area lies over it.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const Run& run : runs) {
      if (run.size() == 1) p.drawPoint(run.front());
      else p.drawPolyline(run.data(), static_cast<int>(run.size()));
    }
    return;
  }
  if (depth > 0) Ribbon(p, runs, DepthOffset(depth), colour);
  const double base = f.Baseline();
  for (const Run& run : runs) {
    QPolygonF poly(run.begin(), run.end());
    const QPointF first = run.front(), last = run.back();
    if (f.horizontal) {
      poly << QPointF(base, last.y()) << QPointF(base, first.y());
    } else {
      poly << QPointF(last.x(), base) << QPointF(first.x(), base);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(BodyColour(colour));
    p.drawPolygon(poly);
  }
}

}  // namespace

bool IsBarClass(ChartSeriesClass kind) {
  return kind == ChartSeriesClass::kBar || kind == ChartSeriesClass::kHorizBar || kind == ChartSeriesClass::kBar3D;
}

QColor BodyColour(const QColor& colour) {
  QColor c = colour;
  c.setAlpha(kBodyAlpha);
  return c;
}

void PaintSeries(QPainter& p, const ChartSeries& s, const PlotFrame& f, const SeriesSlot& slot, ChartPass pass) {
  if (s.points.empty()) return;
  const bool filled = IsBarClass(s.kind) || s.kind == ChartSeriesClass::kVolume || s.kind == ChartSeriesClass::kArea;
  // Lines and markers have no body: they are all edge.
  if (!filled && pass == ChartPass::kBodies) return;
  p.save();
  const std::vector<std::size_t> kept = DecimateByColumn(s.points, f.position);
  const QPointF front = DepthOffset(slot.front);
  const double depth = slot.back - slot.front;
  switch (s.kind) {
    case ChartSeriesClass::kBar:
    case ChartSeriesClass::kHorizBar:
      PaintBars(p, s, f, slot, kept, false, pass);
      break;
    case ChartSeriesClass::kBar3D:
      PaintBars(p, s, f, slot, kept, true, pass);
      break;
    case ChartSeriesClass::kVolume:
      PaintVolume(p, s, f, slot, kept, pass);
      break;
    case ChartSeriesClass::kLine: {
      const std::vector<Run> runs = KeptRuns(s, f, kept, front);
      p.setRenderHint(QPainter::Antialiasing, true);
      if (depth > 0) Ribbon(p, runs, DepthOffset(depth), s.colour);
      // A flat line is drawn two pixels wide so it stands out from the grid.
      p.setPen(QPen(s.colour, depth > 0 ? 1 : 2, Qt::SolidLine, Qt::SquareCap));
      SegmentLines(p, runs);
      break;
    }
    case ChartSeriesClass::kFastLine:
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setPen(QPen(s.colour, 1));
      Polylines(p, KeptRuns(s, f, kept, front));
      break;
    case ChartSeriesClass::kArea:
      PaintArea(p, KeptRuns(s, f, kept, front), f, s.colour, depth, pass);
      break;
    case ChartSeriesClass::kPoint:
      p.setRenderHint(QPainter::Antialiasing, false);
      PaintMarkers(p, KeptRuns(s, f, kept, front), s.colour, 0);
      break;
    case ChartSeriesClass::kPoint3D: {
      const std::vector<Run> runs = KeptRuns(s, f, kept, front);
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setPen(QPen(Shade(s.colour), 1));
      Polylines(p, runs);
      p.setRenderHint(QPainter::Antialiasing, false);
      PaintMarkers(p, runs, s.colour, depth > 0 ? std::min(depth, kOwnDepth) : kOwnDepth - 2);
      break;
    }
    case ChartSeriesClass::kArrow:
      p.setRenderHint(QPainter::Antialiasing, true);
      PaintArrows(p, KeptRuns(s, f, kept, front), s.colour);
      break;
    case ChartSeriesClass::kBezier:
      p.setRenderHint(QPainter::Antialiasing, true);
      PaintBezier(p, KeptRuns(s, f, kept, front), s.colour);
      break;
  }
  p.restore();
}

}  // namespace skyvane
