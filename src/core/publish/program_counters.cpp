#include "core/publish/program_counters.h"

#include "core/publish/metrics_text.h"

namespace skyvane {

void ProgramCounters::OnRecordsSaved(const HistoryRowArray& rows) {
  records_.fetch_add(rows.size(), std::memory_order_relaxed);
}

void ProgramCounters::OnCycleEnded(StationSeen seen) {
  cycles_.fetch_add(1, std::memory_order_relaxed);
  if (seen == StationSeen::kNotRead) failedReads_.fetch_add(1, std::memory_order_relaxed);
}

void ProgramCounters::AddQueue(std::string name, std::function<std::size_t()> length) {
  std::lock_guard lock(mutex_);
  queues_.emplace_back(std::move(name), std::move(length));
}

void ProgramCounters::ForgetQueues() {
  std::lock_guard lock(mutex_);
  queues_.clear();
}

std::string ProgramCounters::MetricsText() const {
  skyvane::MetricsText out;
  out.Family("skyvane_records_stored_total", "counter", "Records appended to the data file since the program started.");
  out.Sample(static_cast<double>(records_.load(std::memory_order_relaxed)));
  out.Family("skyvane_cycles_total", "counter", "Polling cycles since the program started.");
  out.Sample(static_cast<double>(cycles_.load(std::memory_order_relaxed)));
  out.Family("skyvane_failed_reads_total", "counter", "Polling cycles that could not read the station.");
  out.Sample(static_cast<double>(failedReads_.load(std::memory_order_relaxed)));
  std::lock_guard lock(mutex_);
  if (queues_.empty()) return out.Text();
  out.Family("skyvane_queue_records", "gauge", "Records waiting in a queue for their destination.");
  for (const auto& [name, length] : queues_) out.Sample(static_cast<double>(length()), {{"queue", name}});
  return out.Text();
}

}  // namespace skyvane
