#include "gui/chart/chart_widget.h"

#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cmath>
#include <limits>

#include "gui/chart/chart_renderer.h"

namespace skyvane {

namespace {
// Far beyond any sensible picture; keeps a wrong size from exhausting memory.
constexpr int kMaxJpegSide = 16384;
}  // namespace

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
  // Every paint covers the whole widget, so Qt need not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartWidget::Changed() {
  // Adding many points must not queue an update per point.
  if (repaintPending_) return;
  repaintPending_ = true;
  update();
}

void ChartWidget::RemoveAllSeries() {
  content_.series.clear();
  Changed();
}

void ChartWidget::SetHeaderText(const QString& text) {
  content_.header = text;
  Changed();
}

void ChartWidget::SetView3D(bool on) {
  content_.view3D = on;
  Changed();
}

void ChartWidget::SetBottomAxisMinMax(double minimum, double maximum) {
  content_.bottom.minimum = minimum;
  content_.bottom.maximum = maximum;
  Changed();
}

void ChartWidget::SetBottomAxisTitle(const QString& title) {
  content_.bottom.title = title;
  Changed();
}

void ChartWidget::SetBottomAxisDateTimeFormat(const QString& format) {
  content_.bottomFormat = format;
  Changed();
}

void ChartWidget::SetLeftAxisTitle(const QString& title) {
  content_.left.title = title;
  Changed();
}

void ChartWidget::SetLeftAxisMinMax(double minimum, double maximum) {
  content_.left.minimum = minimum;
  content_.left.maximum = maximum;
  Changed();
}

int ChartWidget::AddSeries(ChartSeriesClass kind) {
  ChartSeries s;
  s.kind = kind;
  content_.series.push_back(std::move(s));
  Changed();
  return SeriesCount() - 1;
}

int ChartWidget::AddSeries(int classNumber) {
  const std::optional<ChartSeriesClass> kind = ChartSeriesClassFromNumber(classNumber);
  return kind ? AddSeries(*kind) : -1;
}

bool ChartWidget::SetSeriesTitle(int series, const QString& title) {
  if (series < 0 || series >= SeriesCount()) return false;
  content_.series[series].title = title;
  Changed();
  return true;
}

bool ChartWidget::SetSeriesColor(int series, const QColor& colour) {
  if (series < 0 || series >= SeriesCount() || !colour.isValid()) return false;
  content_.series[series].colour = colour;
  Changed();
  return true;
}

bool ChartWidget::AddPoint(int series, double x, double y) {
  if (series < 0 || series >= SeriesCount() || !std::isfinite(x) || !std::isfinite(y)) return false;
  content_.series[series].points.push_back({x, y});
  Changed();
  return true;
}

bool ChartWidget::AddGap(int series, double x) {
  if (series < 0 || series >= SeriesCount() || !std::isfinite(x)) return false;
  content_.series[series].points.push_back({x, std::numeric_limits<double>::quiet_NaN()});
  Changed();
  return true;
}

bool ChartWidget::SaveJpeg(const QString& path, int width, int height, int quality) const {
  if (width < 1 || height < 1 || width > kMaxJpegSide || height > kMaxJpegSide) return false;
  if (quality < 0 || quality > 100) return false;
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return false;
  {
    QPainter p(&image);
    RenderChart(p, content_, image.rect());
  }
  QImageWriter writer(path, "jpeg");
  writer.setQuality(quality);
  return writer.write(image);
}

QSize ChartWidget::sizeHint() const { return {640, 400}; }

void ChartWidget::paintEvent(QPaintEvent*) {
  repaintPending_ = false;
  QPainter p(this);
  RenderChart(p, content_, rect());
}

}  // namespace skyvane
