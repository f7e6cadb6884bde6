// Redrawing the Graph window's pressure chart: one year and ten years of
// five-minute records (105,120 and 1,051,200 rows), two series each, at the
// export size of 1024 x 768, offscreen.
//
//   Draw:    what the Graph window does on every Draw: remove all series, set
//            header and axes, add both series and every point, then paint.
//   Repaint: painting the same content again (resize, expose).
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "gui/chart/chart_renderer.h"
#include "gui/chart/chart_time.h"
#include "gui/chart/chart_widget.h"
#include "qt_bench_main.h"

namespace {

using skyvane::ChartWidget;

constexpr double kStep = 5.0 / 1440;  // five minutes in days

struct Row {
  double time;
  double absolute;
  double relative;  // not a number where the record had no valid value
};

// Pressure rows with slow weather swings, a daily ripple, and every 997th
// relative value missing.
std::vector<Row> PressureRows(int count) {
  const double start = skyvane::DateTimeToChartTime(QDateTime(QDate(2015, 1, 1), QTime(0, 0)));
  std::vector<Row> rows(count);
  for (int i = 0; i < count; ++i) {
    const double t = start + i * kStep;
    const double p = 1000 + 18 * std::sin(t / 4.3) + 6 * std::sin(t / 1.7) + 0.8 * std::sin(t * 6.283);
    rows[i] = {t, p, i % 997 == 0 ? std::nan("") : p + 13.5};
  }
  return rows;
}

void Draw(ChartWidget& chart, const std::vector<Row>& rows, int seriesClass) {
  chart.RemoveAllSeries();
  chart.SetHeaderText("Weather--Pressure");
  chart.SetView3D(false);
  chart.SetBottomAxisMinMax(rows.front().time, rows.back().time);
  chart.SetBottomAxisTitle("Sample Time");
  chart.SetBottomAxisDateTimeFormat("dd-mm-yyyy hh:nn:ss");
  chart.SetLeftAxisTitle("Pressure (Unit:Hpa)");
  chart.SetLeftAxisMinMax(900, 1050);
  const int a = chart.AddSeries(seriesClass);
  const int b = chart.AddSeries(seriesClass);
  chart.SetSeriesTitle(a, "Absolute Pressure");
  chart.SetSeriesTitle(b, "Relative Pressure");
  chart.SetSeriesColor(a, QColor(255, 0, 0));
  chart.SetSeriesColor(b, QColor(0, 255, 0));
  for (const Row& r : rows) {
    chart.AddPoint(a, r.time, r.absolute);
    if (std::isnan(r.relative)) chart.AddGap(b, r.time);
    else chart.AddPoint(b, r.time, r.relative);
  }
}

void Paint(const ChartWidget& chart, QImage& image) {
  QPainter p(&image);
  skyvane::RenderChart(p, chart.Content(), image.rect());
}

void BM_PressureChartDraw(benchmark::State& state) {
  const std::vector<Row> rows = PressureRows(static_cast<int>(state.range(0)));
  ChartWidget chart;
  QImage image(1024, 768, QImage::Format_RGB32);
  for (auto _ : state) {
    Draw(chart, rows, static_cast<int>(state.range(1)));
    Paint(chart, image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rows.size()) * 2);
}

void BM_PressureChartRepaint(benchmark::State& state) {
  const std::vector<Row> rows = PressureRows(static_cast<int>(state.range(0)));
  ChartWidget chart;
  Draw(chart, rows, static_cast<int>(state.range(1)));
  QImage image(1024, 768, QImage::Format_RGB32);
  for (auto _ : state) {
    Paint(chart, image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rows.size()) * 2);
}

// Rows: one year, ten years. Classes: 0 Line (the Graph window's first
// choice), 23 Bar3D (the heaviest to paint).
#define SKYVANE_CHART_ARGS                                                                            \
  ->ArgNames({"rows", "class"})                                                                       \
      ->Args({105120, 0})                                                                             \
      ->Args({105120, 23})                                                                            \
      ->Args({1051200, 0})                                                                            \
      ->Args({1051200, 23})                                                                           \
      ->Unit(benchmark::kMillisecond)

BENCHMARK(BM_PressureChartDraw) SKYVANE_CHART_ARGS;
BENCHMARK(BM_PressureChartRepaint) SKYVANE_CHART_ARGS;

}  // namespace

int main(int argc, char** argv) { return skyvane::bench::RunQtBenchmarks(argc, argv); }
