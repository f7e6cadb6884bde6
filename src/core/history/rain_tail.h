#pragma once
// RainTail: the newest rows of the data file as the rain walks read them,
// kept by the HistoryFile between polling cycles. Each cycle walks back 30
// days; while the file's stamp is unchanged those rows are taken from here
// instead of being read and parsed again every 15 seconds.
#include <vector>

#include "core/history/history_file.h"
#include "core/history/rain_walk.h"

namespace skyvane {

struct RainTail {
  bool valid = false;
  HistoryFile::Stamp stamp;         // the file the rows were read from
  std::vector<RainSample> samples;  // newest first
  bool reachedStart = false;        // samples go back to the first line
};

}  // namespace skyvane
