#pragma once
// The chart component of the Graph window: a QPainter chart with a header, a
// date-time bottom axis, a value left axis, a legend, a 3D look, eleven series
// classes and JPEG export. Many points stay fast: each pixel column draws at
// most its first, lowest, highest and last point.
//
// UI thread only. Series are numbered 0, 1, ... in the order they were added.
#include <QColor>
#include <QString>
#include <QWidget>

#include "gui/chart/chart_content.h"

namespace skyvane {

class ChartWidget : public QWidget {
  Q_OBJECT

 public:
  explicit ChartWidget(QWidget* parent = nullptr);

  void RemoveAllSeries();
  void SetHeaderText(const QString& text);
  void SetView3D(bool on);

  // Bottom axis: date-time values (days since 1899-12-30, see chart_time.h).
  void SetBottomAxisMinMax(double minimum, double maximum);
  void SetBottomAxisTitle(const QString& title);
  // Label format: dd day, mm month, yyyy year, hh hour, nn minute, ss second.
  void SetBottomAxisDateTimeFormat(const QString& format);

  void SetLeftAxisTitle(const QString& title);
  void SetLeftAxisMinMax(double minimum, double maximum);

  // Adds a series of the class; returns its number.
  int AddSeries(ChartSeriesClass kind);
  // Adds a series of the class with that number (0 Line, 1 Bar, 2 HorizBar,
  // 3 Area, 4 Point, 6 FastLine, 10 Arrow, 14 Volume, 16 Bezier, 19 Point3D,
  // 23 Bar3D); -1 and nothing added for any other number.
  int AddSeries(int classNumber);
  int SeriesCount() const { return static_cast<int>(content_.series.size()); }

  // Title shown in the legend. False for a series that does not exist.
  bool SetSeriesTitle(int series, const QString& title);
  bool SetSeriesColor(int series, const QColor& colour);

  // A point in the series' colour. False (nothing added) for a series that
  // does not exist or coordinates that are not finite.
  bool AddPoint(int series, double x, double y);
  // A point without value at x: lines break there, nothing is drawn for it.
  bool AddGap(int series, double x);

  // Renders the chart at width x height into a JPEG file of that quality
  // (0-100). False when the size or quality is out of range or the file
  // cannot be written.
  bool SaveJpeg(const QString& path, int width, int height, int quality) const;

  const ChartContent& Content() const { return content_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Changed();

  ChartContent content_;
  bool repaintPending_ = false;
};

}  // namespace skyvane
