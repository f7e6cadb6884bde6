#pragma once
// ProgramCounters: what the logger has done since it started (records
// stored, polling cycles, cycles that could not read the station) and how
// many records wait in its queues, for the Prometheus metrics. The monitor
// thread counts; any thread reads.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/publish/publishing_front_end.h"

namespace skyvane {

class ProgramCounters final : public ReadingListener {
 public:
  void OnRecordsSaved(const HistoryRowArray& rows) override;
  void OnCycleEnded(StationSeen seen) override;

  // A queue whose length is shown under the label queue="name" until
  // ForgetQueues(); length is called on the HTTP server's threads.
  void AddQueue(std::string name, std::function<std::size_t()> length);
  // Before the queues' owners go.
  void ForgetQueues();

  // The counters in the Prometheus text format, HELP and TYPE lines included.
  std::string MetricsText() const;

 private:
  std::atomic<std::uint64_t> records_{0};
  std::atomic<std::uint64_t> cycles_{0};
  std::atomic<std::uint64_t> failedReads_{0};
  mutable std::mutex mutex_;
  std::vector<std::pair<std::string, std::function<std::size_t()>>> queues_;
};

}  // namespace skyvane
