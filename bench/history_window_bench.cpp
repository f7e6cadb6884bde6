// The History window on the ten-year data file of gen_history (one record
// every five minutes, about 1.05 million lines): opening it (on the last hour),
// and searching "a month" and the whole ten years until the grid is filled and
// painted; with the peak memory of the process.
//
// The file is written once into a temporary folder, or taken from
// SKYVANE_BENCH_HISTORY when that names an existing file.
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QTimeEdit>
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/history_file.h"
#include "core/station/station_device.h"
#include "core/station/test_image.h"
#include "core/transfer/virtual_station.h"
#include "gui/windows/history_dlg.h"
#include "gui/windows/history_grid_model.h"
#include "history_gen.h"
#include "qt_bench_main.h"

namespace skyvane {
namespace {

constexpr int kTenYearsDays = 3650;

class TenYearFile {
 public:
  TenYearFile() {
    if (const char* given = std::getenv("SKYVANE_BENCH_HISTORY"); given && std::filesystem::exists(given)) {
      path_ = given;
      return;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "skyvane-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    path_ = folder_ / "Skyvane.dat";
    if (bench::WriteHistoryFile(path_.string(), kTenYearsDays, 5, bench::GeneratedEnd()) < 0) path_.clear();
  }
  ~TenYearFile() {
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path folder_;
  std::filesystem::path path_;
};

const TenYearFile& Data() {
  static const TenYearFile file;
  return file;
}

double PeakRssMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

struct WindowRig {
  WindowRig() : clock(bench::GeneratedEnd() + 60), text(0), file(clock) {
    file.OpenFile(Data().path().string());
    auto owned = std::make_unique<VirtualStation>();
    owned->Memory().Write(0, TestImage.data(), static_cast<int>(TestImage.size()));
    device = std::make_unique<StationDevice>(std::move(owned), false, 0x1941, 0x8021);
    device->UpdateConnection();
  }
  FixedClock clock;
  TextTable text;
  HistoryFile file;
  std::unique_ptr<StationDevice> device;
  DialogPrompts prompts = StandardPrompts();
};

// Creating the window until it shows the last hour: the header read, the
// search through the whole file, the grid laid out and painted.
void BM_HistoryWindowOpen(benchmark::State& state) {
  if (Data().path().empty()) {
    state.SkipWithError("the ten-year data file cannot be written");
    return;
  }
  WindowRig rig;
  int rows = 0;
  for (auto _ : state) {
    CHistoryDlg dlg(rig.text, *rig.device, rig.file, rig.clock, nullptr, {}, rig.prompts);
    if (!dlg.Open()) {
      state.SkipWithError("the window did not open");
      return;
    }
    dlg.show();
    QApplication::processEvents();
    rows = dlg.Model()->rowCount();
    state.PauseTiming();
    dlg.hide();
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["peak_rss_MiB"] = PeakRssMiB();
}
BENCHMARK(BM_HistoryWindowOpen)->Unit(benchmark::kMillisecond)->Iterations(3);

// In the open window: arg 0 chooses "a month" in the Condition list, arg 1
// sets the pickers to the whole ten years; then Search until the grid is
// filled and painted (the window's own opening is not timed).
void BM_HistoryWindowSearch(benchmark::State& state) {
  if (Data().path().empty()) {
    state.SkipWithError("the ten-year data file cannot be written");
    return;
  }
  WindowRig rig;
  const bool tenYears = state.range(0) == 1;
  int rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto dlg = std::make_unique<CHistoryDlg>(rig.text, *rig.device, rig.file, rig.clock, nullptr,
                                             GraphOpener{}, rig.prompts);
    if (!dlg->Open()) {
      state.SkipWithError("the window did not open");
      return;
    }
    dlg->show();
    QApplication::processEvents();
    state.ResumeTiming();

    if (tenYears) {
      dlg->findChild<QDateEdit*>("startDate")->setDate(QDate(2015, 1, 1));
      dlg->findChild<QTimeEdit*>("startTime")->setTime(QTime(0, 0, 0));
    } else {
      dlg->findChild<QComboBox*>("condition")->setCurrentIndex(3);
    }
    dlg->Search();
    QApplication::processEvents();  // laid out and painted
    rows = dlg->Model()->rowCount();

    state.PauseTiming();
    dlg.reset();
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["peak_rss_MiB"] = PeakRssMiB();
}
BENCHMARK(BM_HistoryWindowSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace skyvane

int main(int argc, char** argv) {
  // The file is written before any timing starts.
  return skyvane::bench::RunQtBenchmarks(argc, argv, [] { skyvane::Data(); });
}
