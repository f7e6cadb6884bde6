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

// Below this many pixels between bars, gaps would come out as irregular
// one-pixel seams: bars then fill their whole share and meet.
constexpr double kLeastGap = 2;

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

  // Fronts are solid and unoutlined: they show the series' own colour, the
  // colour of its legend swatch; the lit and shaded faces tell boxes apart.
  void Paint(QPainter& p, const QColor& colour) const {
    p.setPen(Qt::NoPen);
    p.setBrush(Shade(colour));
    for (const Quad& q : sides_) p.drawPolygon(q.data(), 4);
    p.setBrush(Light(colour));
    for (const Quad& q : tops_) p.drawPolygon(q.data(), 4);
    for (const QRectF& r : fronts_) p.fillRect(r, colour);
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

// Pixels between neighbouring visible points of the series.
double PointSpacing(const ChartSeries& s, const PlotFrame& f) {
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
  return n >= 2 && last > first ? std::fabs(f.position(last) - f.position(first)) / static_cast<double>(n - 1)
                                : f.PositionLength() / 4;
}

// The bar of one point from the baseline to its value, from pixel edge a to
// edge b along the position axis.
QRectF BarRect(const PlotFrame& f, const ChartPoint& pt, double a, double b) {
  const double vlo = std::min(f.value.p0, f.value.p1);
  const double vhi = std::max(f.value.p0, f.value.p1);
  const double v = std::clamp(f.value(pt.y), vlo, vhi);
  const double base = f.Baseline();
  const double from = std::round(std::min(v, base));
  const double extent = std::round(std::max(v, base)) - from;
  return f.horizontal ? QRectF(from, a, extent, b - a) : QRectF(a, from, b - a, extent);
}

// The bars of the kept points, snapped to whole pixels. Sparse bars are seven
// tenths of the spacing wide, shared by the series standing side by side.
// Dense ones split the cell between the midpoints to their neighbours: both
// sides of an edge round the same midpoint, so neighbours share it exactly.
std::vector<QRectF> BarRects(const ChartSeries& s, const PlotFrame& f, const SeriesSlot& slot,
                             const std::vector<std::size_t>& kept) {
  const double spacing = PointSpacing(s, f);
  const double all = std::clamp(spacing * 0.7, 1.0, 60.0);
  const double share = 1.0 / std::max(1, slot.barCount);
  std::vector<QRectF> out;
  out.reserve(kept.size());
  auto centre = [&](std::size_t j) { return f.position(s.points[kept[j]].x); };
  for (std::size_t j = 0; j < kept.size(); ++j) {
    if (kept[j] == kChartBreak) continue;
    const double c = centre(j);
    double lo = 0, hi = 0;
    if (spacing - all >= kLeastGap) {
      lo = c - all / 2;
      hi = c + all / 2;
    } else {
      // A missing neighbour (an end or a gap) leaves half a spacing.
      const bool before = j > 0 && kept[j - 1] != kChartBreak;
      const bool after = j + 1 < kept.size() && kept[j + 1] != kChartBreak;
      lo = before ? std::max((centre(j - 1) + c) / 2, c - spacing) : c - spacing / 2;
      hi = after ? std::min((c + centre(j + 1)) / 2, c + spacing) : c + spacing / 2;
    }
    const double a = std::round(lo + (hi - lo) * share * slot.barIndex);
    const double b = std::max(a + 1, std::round(lo + (hi - lo) * share * (slot.barIndex + 1)));
    out.push_back(BarRect(f, s.points[kept[j]], a, b));
  }
  return out;
}

// Bars all rise from the base value, so where several share a pixel column
// the one reaching farthest covers the others: only it is drawn. Gaps stay
// marked, so that no bar reaches across one.
std::vector<std::size_t> TallestPerColumn(const ChartSeries& s, const PlotFrame& f,
                                          const std::vector<std::size_t>& kept) {
  const double base = f.BaseValue();
  std::vector<std::size_t> out;
  long long column = 0;
  for (std::size_t k : kept) {
    if (k == kChartBreak) {
      if (!out.empty() && out.back() != kChartBreak) out.push_back(k);
      continue;
    }
    const long long c = static_cast<long long>(std::floor(f.position(s.points[k].x)));
    if (!out.empty() && out.back() != kChartBreak && c == column) {
      if (std::fabs(s.points[k].y - base) > std::fabs(s.points[out.back()].y - base)) out.back() = k;
      continue;
    }
    out.push_back(k);
    column = c;
  }
  return out;
}

// The flat bars of a bar or volume series; volume bars are one pixel wide.
std::vector<QRectF> FlatBars(const ChartSeries& s, const PlotFrame& f, const SeriesSlot& slot) {
  const std::vector<std::size_t> kept = TallestPerColumn(s, f, DecimateByColumn(s.points, f.position));
  if (s.kind != ChartSeriesClass::kVolume) return BarRects(s, f, slot, kept);
  std::vector<QRectF> out;
  for (std::size_t k : kept) {
    if (k == kChartBreak) continue;
    const double a = std::round(f.position(s.points[k].x) - 0.5);
    out.push_back(BarRect(f, s.points[k], a, a + 1));
  }
  return out;
}

void PaintBars(QPainter& p, const ChartSeries& s, const PlotFrame& f, const SeriesSlot& slot,
               const std::vector<std::size_t>& columns, bool boxed) {
  const std::vector<QRectF> bars = BarRects(s, f, slot, TallestPerColumn(s, f, columns));
  double depth = slot.back - slot.front;
  if (boxed && depth <= 0 && !bars.empty()) {
    const QRectF& r = bars.front();
    depth = std::min(kOwnDepth, std::max(3.0, (f.horizontal ? r.height() : r.width()) / 2));
  }
  const QPointF front = DepthOffset(slot.front);
  p.setRenderHint(QPainter::Antialiasing, false);
  BoxBatch boxes(depth > 0 ? DepthOffset(depth) : QPointF());
  for (const QRectF& r : bars) boxes.Add(r.translated(front));
  boxes.Paint(p, s.colour);
}

void PaintVolume(QPainter& p, const ChartSeries& s, const PlotFrame& f, const SeriesSlot& slot) {
  const QPointF front = DepthOffset(slot.front);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (const QRectF& r : FlatBars(s, f, slot)) p.fillRect(r.translated(front), s.colour);
}

// How much of the plot the series' body covers, in axis units.
double Coverage(const ChartSeries& s, const PlotFrame& f) {
  const double base = f.BaseValue();
  double sum = 0;
  for (std::size_t i = 1; i < s.points.size(); ++i) {
    const ChartPoint& a = s.points[i - 1];
    const ChartPoint& b = s.points[i];
    if (a.IsGap() || b.IsGap()) continue;
    sum += (std::fabs(a.y - base) + std::fabs(b.y - base)) / 2 * std::fabs(b.x - a.x);
  }
  return sum;
}

void PaintMarkers(QPainter& p, const std::vector<Run>& runs, const QColor& colour, double depth) {
  BoxBatch boxes(DepthOffset(depth));
  for (const Run& run : runs) {
    for (const QPointF& c : run) {
      boxes.Add(QRectF(std::round(c.x() - kMarker / 2), std::round(c.y() - kMarker / 2), kMarker, kMarker));
    }
  }
  boxes.Paint(p, colour);
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
    p.setBrush(colour);
    p.drawPolygon(poly);
  }
}

}  // namespace

bool IsBarClass(ChartSeriesClass kind) {
  return kind == ChartSeriesClass::kBar || kind == ChartSeriesClass::kHorizBar || kind == ChartSeriesClass::kBar3D;
}

void PaintFlatBodies(QPainter& p, const std::vector<ChartSeries>& series, const PlotFrame& f,
                     const std::vector<SeriesSlot>& seriesSlots) {
  // Bodies are solid, so where two overlap only the one painted last shows.
  // All grow from the same baseline: painting the larger first leaves the
  // smaller in front and the part of the larger beyond it in view. Plain bars
  // are ordered bar by bar; areas and boxes, one shape per series, by the area
  // they cover. Ties keep the order from back to front.
  struct Bar {
    double extent;
    QRectF rect;
    QColor colour;
  };
  std::vector<Bar> bars;
  std::vector<std::pair<double, std::size_t>> shapes;
  for (std::size_t i = series.size(); i-- > 0;) {
    const ChartSeries& s = series[i];
    if (s.kind == ChartSeriesClass::kBar || s.kind == ChartSeriesClass::kHorizBar ||
        s.kind == ChartSeriesClass::kVolume) {
      for (const QRectF& r : FlatBars(s, f, seriesSlots[i])) bars.push_back({f.horizontal ? r.width() : r.height(), r, s.colour});
    } else if (s.kind == ChartSeriesClass::kArea || s.kind == ChartSeriesClass::kBar3D) {
      shapes.emplace_back(Coverage(s, f), i);
    }
  }
  std::stable_sort(shapes.begin(), shapes.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& shape : shapes) PaintSeries(p, series[shape.second], f, seriesSlots[shape.second], ChartPass::kBodies);
  std::stable_sort(bars.begin(), bars.end(), [](const Bar& a, const Bar& b) { return a.extent > b.extent; });
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  for (const Bar& bar : bars) p.fillRect(bar.rect, bar.colour);
  p.restore();
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
    case ChartSeriesClass::kBar3D:
      // Bars are all body.
      if (pass == ChartPass::kBodies) PaintBars(p, s, f, slot, kept, s.kind == ChartSeriesClass::kBar3D);
      break;
    case ChartSeriesClass::kVolume:
      if (pass == ChartPass::kBodies) PaintVolume(p, s, f, slot);
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
