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
  // Pixel of the value axis minimum: where bars start.
  double Baseline() const { return value.p0; }
  // Length of the position axis in pixels.
  double PositionLength() const { return position.p1 > position.p0 ? position.p1 - position.p0 : position.p0 - position.p1; }
  // The area series may paint into, the depth included.
  QRect PaintArea() const { return QRect(plot.left(), plot.top() - depth, plot.width() + depth, plot.height() + depth); }
};

// Offset of a point lying z pixels behind the front face.
inline QPointF DepthOffset(double z) { return {z, -z}; }

// Where one series sits among the others.
struct SeriesSlot {
  double front = 0;   // depth of its front face
  double back = 0;    // depth of its back face (equal to front on a flat chart)
  int barIndex = 0;   // place among the side-by-side bar series
  int barCount = 1;
};

}  // namespace skyvane
