#pragma once
// ClimateLoader: reads the climate of a data file on a thread of its own, so
// that a window stays responsive while years of records are summed. The
// window starts a read and is told by finished() (on its own thread) when the
// result can be taken.
#include <QObject>
#include <QThread>

#include <memory>
#include <mutex>
#include <string>

#include "core/climate/climate_types.h"

namespace skyvane {

class ClimateLoader : public QObject {
  Q_OBJECT

 public:
  explicit ClimateLoader(QObject* parent = nullptr);
  // Waits for a read still running: it never outlives its owner.
  ~ClimateLoader() override;

  // Starts reading the whole file at path; false while a read still runs.
  bool Start(const std::string& path, const climate::ClimateOptions& options, const std::string& now);
  bool Running() const;
  // The result of the last read: false with the reason in error when the
  // file could not be read.
  bool Take(climate::ClimateTables& tables, std::string& error);

 signals:
  void finished();

 private:
  struct Result {
    std::mutex mutex;
    bool ok = false;
    climate::ClimateTables tables;
    std::string error;
  };
  std::shared_ptr<Result> result_;
  std::unique_ptr<QThread> thread_;
};

}  // namespace skyvane
