#pragma once
// The generated data files the benchmarks share. They are written into
// $SKYVANE_BENCH_DIR (default /tmp/skyvane-bench-history) the first time one
// is needed and kept there, so later runs time the same file.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "history_gen.h"

namespace skyvane::bench {

inline std::string BenchFolder() {
  const char* dir = std::getenv("SKYVANE_BENCH_DIR");
  return dir && *dir ? dir : "/tmp/skyvane-bench-history";
}

// The file of that name in the folder: `days` days of five-minute records up
// to GeneratedEnd(). A file that cannot be written ends the program, as no
// timing would mean anything.
inline std::string GeneratedFile(const std::string& name, int days) {
  const std::string path = BenchFolder() + "/" + name;
  if (!std::filesystem::exists(path)) {
    std::filesystem::create_directories(BenchFolder());
    if (WriteHistoryFile(path, days, 5, GeneratedEnd()) != static_cast<long long>(days) * 288) std::abort();
  }
  return path;
}

}  // namespace skyvane::bench
