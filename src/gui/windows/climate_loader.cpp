#include "gui/windows/climate_loader.h"

#include <utility>

namespace skyvane {

ClimateLoader::ClimateLoader(const climate::ClimateOptions& options, QObject* parent)
    : QObject(parent), book_(std::make_shared<climate::ClimateBook>(options)) {}

ClimateLoader::~ClimateLoader() {
  if (thread_) thread_->wait();
}

bool ClimateLoader::Start(const std::string& path, const std::string& now) {
  if (Running()) return false;
  if (thread_) thread_->wait();  // finished, perhaps not yet quite ended
  auto result = std::make_shared<Result>();
  result_ = result;
  thread_.reset(QThread::create([book = book_, result, path, now] {
    climate::ClimateTables tables;
    std::string error;
    const bool ok = book->Refresh(path, error);
    if (ok) tables = book->Tables(climate::DateRange{}, now);
    const std::lock_guard<std::mutex> lock(result->mutex);
    result->ok = ok;
    result->tables = std::move(tables);
    result->error = std::move(error);
  }));
  // Emitted on the reading thread, delivered on the window's.
  connect(thread_.get(), &QThread::finished, this, &ClimateLoader::finished, Qt::QueuedConnection);
  thread_->start(QThread::LowPriority);
  return true;
}

bool ClimateLoader::Running() const { return thread_ && !thread_->isFinished(); }

bool ClimateLoader::Take(climate::ClimateTables& tables, std::string& error) {
  if (!result_) return false;
  const std::lock_guard<std::mutex> lock(result_->mutex);
  tables = std::move(result_->tables);
  error = std::move(result_->error);
  return result_->ok;
}

}  // namespace skyvane
