// gen_history FILE [DAYS [INTERVAL_MINUTES]]: writes a realistic data file of
// DAYS days (default 3650, ten years) of records INTERVAL_MINUTES apart
// (default 5), the newest at 2025-12-31 23:55:00 local time.
#include <cstdio>
#include <cstdlib>

#include "history_gen.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: gen_history FILE [DAYS [INTERVAL_MINUTES]]\n");
    return 2;
  }
  const int days = argc > 2 ? std::atoi(argv[2]) : 3650;
  const int interval = argc > 3 ? std::atoi(argv[3]) : 5;
  if (days < 1 || interval < 1 || interval > 240) {
    std::fprintf(stderr, "gen_history: DAYS must be at least 1, INTERVAL_MINUTES 1 to 240\n");
    return 2;
  }
  const long long lines =
      skyvane::bench::WriteHistoryFile(argv[1], days, interval, skyvane::bench::GeneratedEnd());
  if (lines < 0) {
    std::fprintf(stderr, "gen_history: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%lld lines written to %s\n", lines, argv[1]);
  return 0;
}
