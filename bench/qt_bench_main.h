#pragma once
// main() of the benchmarks that draw with Qt widgets: a QApplication on the
// offscreen platform (unless QT_QPA_PLATFORM names another), then Google
// Benchmark. prepare, when given, runs once before any timing starts.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <functional>

namespace skyvane::bench {

inline int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {}) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (prepare) prepare();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace skyvane::bench
