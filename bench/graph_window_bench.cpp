// The Graph window's pressure chart on the ten-year data file (five-minute
// records, 1,051,200 lines): one year and ten years of it, at the window's
// own chart size, offscreen.
//
//   Redraw:  Draw as Series, Type and 3D run it: the station header under
//            deviceBusy (test mode), the points converted into the display
//            units, the chart rebuilt, then painted.
//   Refresh: LoadRange of the range from the file, then Redraw.
//
// The file is written by the history generator into $SKYVANE_BENCH_DIR
// (default /tmp/skyvane-bench-history) when it is not there yet.
#include <QComboBox>
#include <QImage>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/history_file.h"
#include "core/station/station_device.h"
#include "gui/chart/chart_widget.h"
#include "gui/windows/graph_dlg.h"
#include "bench_files.h"
#include "history_gen.h"
#include "qt_bench_main.h"

namespace skyvane::bench {
namespace {

constexpr int kTenYears = 3650;

std::string TenYearFile() { return GeneratedFile("tenyears.dat", kTenYears); }

// The program's objects, and a Graph window on the last `days` days of the
// file showing the pressure as a line.
struct GraphBench {
  FixedClock clock{GeneratedEnd() + 300};
  TextTable text{0};
  HistoryFile file{clock};
  std::unique_ptr<StationDevice> device;
  std::unique_ptr<CGraphDlg> window;
  QImage image;

  explicit GraphBench(int days) {
    file.OpenFile(TenYearFile());
    device = std::make_unique<StationDevice>(nullptr, true, 0x1941, 0x8021);
    device->Link().SetTestPause(std::chrono::milliseconds(0));
    device->UpdateConnection();
    const QDateTime end = QDateTime::fromSecsSinceEpoch(clock.Now());
    window = std::make_unique<CGraphDlg>(text, *device, file, clock, GraphOpening{4, end.addDays(-days), end});
    window->findChild<QComboBox*>(QStringLiteral("series"))->setCurrentIndex(4);
    image = QImage(window->Chart()->size(), QImage::Format_RGB32);
  }

  void Paint() {
    window->Chart()->render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
};

void Label(benchmark::State& state, const GraphBench& b) {
  state.SetLabel(std::to_string(b.window->Rows().size()) + " rows");
  state.counters["points"] = static_cast<double>(b.window->Chart()->Content().series.at(0).points.size());
}

void BM_PressureChartRedraw(benchmark::State& state) {
  GraphBench b(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    b.window->Draw();
    b.Paint();
  }
  Label(state, b);
}

void BM_PressureChartRefresh(benchmark::State& state) {
  GraphBench b(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    b.window->Refresh();
    b.Paint();
  }
  Label(state, b);
}

BENCHMARK(BM_PressureChartRedraw)->ArgName("days")->Arg(365)->Arg(kTenYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PressureChartRefresh)->ArgName("days")->Arg(365)->Arg(kTenYears)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skyvane::bench

int main(int argc, char** argv) { return skyvane::bench::RunQtBenchmarks(argc, argv); }
