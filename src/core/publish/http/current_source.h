#pragma once
// Where the HTTP API's live values come from: the reading of the station this
// process polls (LiveReading), or, in a process that only looks at the data
// file, its newest stored record (StoredReading).
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <string>
#include <utility>

#include "core/history/history_file.h"
#include "core/publish/http/data_file_reader.h"
#include "core/publish/publishing_front_end.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"

namespace skyvane {

class CurrentSource {
 public:
  virtual ~CurrentSource() = default;
  // The body of /api/current.
  virtual std::string CurrentJson() = 0;
  // Waits until a cycle ends after the one numbered seen, which it then moves
  // on; false when timeout passed first or the source was stopped.
  virtual bool WaitForCycle(std::uint64_t& seen, std::chrono::milliseconds timeout) = 0;
  // The number of the last cycle seen so far.
  virtual std::uint64_t Cycle() = 0;
  // Wakes every waiter for good (the server is going).
  virtual void Stop() = 0;
  // The station's display units as last seen (the reports are written in
  // them); the base units when none were seen.
  virtual HeaderRecord DisplayUnits() { return HeaderRecord(); }
};

// The reading JSON with what the dashboard needs beside it: "connected",
// "last_read" (ISO time or null), "alarms_seen" (when the alarm states were
// seen; null when they are unknown), "source" ("live" or "stored"), "units"
// (the display unit of each key as the world writes it, "hPa" for the
// header's "Hpa") and "display" (each key's value as the station shows it, in
// those units). reading is an object from CurrentReadingJson, or empty before
// the first reading.
std::string CurrentResponseJson(const std::string& reading, bool connected, std::time_t lastRead,
                                const char* source, const HistoryRow& display,
                                const HeaderRecord& header, std::time_t alarmsSeen);

// The live reading of the station this process polls, kept by the monitor's
// calls. Each call copies and returns at once.
class LiveReading final : public CurrentSource, public ReadingListener {
 public:
  void OnLiveValues(const HistoryRow& display, const HeaderRecord& header) override;
  void OnReading(const HistoryRow& stored, const LampStates& lamps, std::time_t readTime) override;
  void OnCycleEnded(StationSeen seen) override;

  std::string CurrentJson() override;
  bool WaitForCycle(std::uint64_t& seen, std::chrono::milliseconds timeout) override;
  std::uint64_t Cycle() override;
  void Stop() override;
  HeaderRecord DisplayUnits() override;

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string reading_;
  HistoryRow display_;
  HeaderRecord header_;
  bool connected_ = false;
  std::time_t lastRead_ = 0;
  std::uint64_t cycle_ = 0;
  bool stopped_ = false;
};

// The newest record of a data file another process polls into, read again
// whenever the file changed, shown in the units and with the alarm states
// that process last saw (its LiveState file at liveStatePath; without one the
// base units, and every alarm "unknown"). A cycle is a change of either file.
class StoredReading final : public CurrentSource {
 public:
  // file is opened by the caller and outlives this object.
  explicit StoredReading(DataFileReader& file, std::chrono::milliseconds checkEvery = std::chrono::seconds(1),
                         std::string liveStatePath = {})
      : file_(file), checkEvery_(checkEvery), liveStatePath_(std::move(liveStatePath)) {}

  std::string CurrentJson() override;
  bool WaitForCycle(std::uint64_t& seen, std::chrono::milliseconds timeout) override;
  std::uint64_t Cycle() override;
  void Stop() override;
  HeaderRecord DisplayUnits() override;

 private:
  // Looks at the file's stamp; a new one counts as a cycle. Holds mutex_.
  void CheckFileLocked();

  DataFileReader& file_;
  std::chrono::milliseconds checkEvery_;
  const std::string liveStatePath_;
  std::mutex mutex_;
  std::condition_variable stopping_;
  HistoryFile::Stamp stamp_;
  std::pair<std::int64_t, std::int64_t> liveMark_{0, 0};
  bool haveStamp_ = false;
  std::uint64_t cycle_ = 0;
  bool stopped_ = false;
};

}  // namespace skyvane
