#pragma once
// Geometry of a laid-out chart: where the plotting area is and how axis values
// map to pixels. The position axis carries the points' x (time), the value
// axis their y; horizontal-bar charts turn both by a quarter.
#include <QPointF>
#include <QRect>

#include "gui/chart/chart_decimation.h"

namespace skyvane {

struct PlotFrame {
  QRect plot;               // front face of the plotting area
  AxisMap position;         // x -> pixel along the position axis
  AxisMap value;            // y -> pixel along the value axis
  bool horizontal = false;  // position axis runs up the left side
  int depth = 0;            // 3D depth of the whole chart in pixels, 0 when flat

  QPointF ToPixel(double x, double y) const {
    return horizontal ? QPointF(value(y), position(x)) : QPointF(position(x), value(y));
  }
  // Value that bars and areas grow from: zero where the axis shows it (so a
  // smaller series is not hidden behind a larger one), else the axis minimum.
  double BaseValue() const {
    const double lo = value.lo < value.hi ? value.lo : value.hi;
    const double hi = value.lo < value.hi ? value.hi : value.lo;
    return lo <= 0 && 0 <= hi ? 0 : value.lo;
  }
  // Pixel of BaseValue(): where bars start.
  double Baseline() const { return value(BaseValue()); }
  // Length of the position axis in pixels.
  double PositionLength() const { return position.p1 > position.p0 ? position.p1 - position.p0 : position.p0 - position.p1; }
  // The area series may paint into, the depth included.
  QRect PaintArea() const { return QRect(plot.left(), plot.top() - depth, plot.width() + depth, plot.height() + depth); }
};

// Offset of a point lying z pixels behind the front face.
inline QPointF DepthOffset(double z) { return {z, -z}; }

// Filled classes paint their bodies first and their edges after every body,
// so that no series hides another.
enum class ChartPass { kBodies, kEdges };

// Where one series sits among the others.
struct SeriesSlot {
  double front = 0;   // depth of its front face
  double back = 0;    // depth of its back face (equal to front on a flat chart)
  int barIndex = 0;   // place among the side-by-side bar series
  int barCount = 1;
};

}  // namespace skyvane
