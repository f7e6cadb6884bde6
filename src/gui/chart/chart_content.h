#pragma once
// What a chart shows: header, axes, and the series with their points. Plain
// values; ChartWidget edits them and the renderer paints them.
#include <QColor>
#include <QString>

#include <optional>
#include <vector>

namespace skyvane {

// The series classes a chart can draw, numbered as the Graph window's chart
// types number them.
enum class ChartSeriesClass : int {
  kLine = 0,
  kBar = 1,
  kHorizBar = 2,
  kArea = 3,
  kPoint = 4,
  kFastLine = 6,
  kArrow = 10,
  kVolume = 14,
  kBezier = 16,
  kPoint3D = 19,
  kBar3D = 23,
};

// The class with that number, or nothing for a number no class has.
std::optional<ChartSeriesClass> ChartSeriesClassFromNumber(int number);

// A point; a y that is not a number marks a gap (nothing drawn, lines break).
struct ChartPoint {
  double x = 0;
  double y = 0;
  bool IsGap() const { return y != y; }
};

struct ChartSeries {
  ChartSeriesClass kind = ChartSeriesClass::kLine;
  QString title;
  QColor colour{Qt::red};
  std::vector<ChartPoint> points;
};

struct ChartAxis {
  double minimum = 0;
  double maximum = 1;
  QString title;
};

struct ChartContent {
  QString header;
  bool view3D = false;
  // Date-time values (days since 1899-12-30, time of day as fraction).
  ChartAxis bottom;
  // Labels of the bottom axis: dd day, mm month, yyyy year, hh hour,
  // nn minute, ss second; empty shows plain numbers.
  QString bottomFormat;
  ChartAxis left;
  std::vector<ChartSeries> series;
};

}  // namespace skyvane
