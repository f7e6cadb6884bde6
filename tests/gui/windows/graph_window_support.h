#pragma once
// A Graph window's surroundings for the tests: a data file in a scratch folder,
// a fixed clock, and a station (the virtual one) whose header names the units.
#include <QString>

#include <ctime>
#include <string>
#include <vector>

#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/history_file.h"
#include "core/history/history_support.h"
#include "core/station/device_support.h"
#include "core/station/header_codec.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"
#include "support/scratch_folder.h"

namespace skyvane::test {

// 2024-03-15 12:00:00 local time.
inline std::time_t GraphTestNow() { return LocalTime(2024, 3, 15, 12); }

// A stored row with plausible values at that time.
inline HistoryRow GraphRow(const std::string& recordTime) {
  return testing::StoredRow(recordTime, "30.0", "0.0", "254.0");
}

struct GraphRig : VirtualDevice {
  FixedClock clock{GraphTestNow()};
  TextTable text{0};
  ScratchFolder folder;
  HistoryFile file{clock};

  GraphRig() {
    SetUnits(HeaderRecord());
    file.OpenFile(Path());
  }

  std::string Path() const { return (folder / "Skyvane.dat").string(); }
  QString Folder() const { return QString::fromStdString(folder.path().string()); }

  // The station's header block with these unit texts (fields 6 to 10).
  void SetUnits(const HeaderRecord& units) {
    const HeaderBytes bytes = EncodeHeader(units);
    station->Memory().Write(0, bytes.data(), static_cast<int>(bytes.size()));
  }
  void SetPressureUnit(const std::string& unit) {
    HeaderRecord h;
    h[hdr::kUnitPressure] = unit;
    SetUnits(h);
  }

  // Appends rows, given oldest first.
  bool Store(std::vector<HistoryRow> rows) {
    return file.AppendRows(HistoryRowArray(rows.rbegin(), rows.rend()));
  }
  // Rows at the times, seconds before now.
  bool StoreAt(const std::vector<std::time_t>& secondsBeforeNow) {
    std::vector<HistoryRow> rows;
    for (std::time_t s : secondsBeforeNow) rows.push_back(GraphRow(LocalStamp(GraphTestNow() - s)));
    return Store(rows);
  }
};

}  // namespace skyvane::test
