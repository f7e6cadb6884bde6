#pragma once
// ClimateLoader: brings a ClimateBook up to date with a data file on a thread
// of its own, so that a window stays responsive while years of records are
// summed. The window starts a read and is told by finished() (on its own
// thread) when the tables can be taken. A second read adds only what was
// appended since.
#include <QObject>
#include <QThread>

#include <memory>
#include <mutex>
#include <string>

#include "core/climate/climate_book.h"

namespace skyvane {

class ClimateLoader : public QObject {
  Q_OBJECT

 public:
  explicit ClimateLoader(const climate::ClimateOptions& options, QObject* parent = nullptr);
  // Waits for a read still running: it never outlives its owner.
  ~ClimateLoader() override;

  // Starts reading the file at path, with the records of the year and month
  // of now; false while a read still runs.
  bool Start(const std::string& path, const std::string& now);
  bool Running() const;
  // The result of the last read: false with the reason in error when the
  // file could not be read.
  bool Take(climate::ClimateTables& tables, std::string& error);
  // The book as the last read left it (its methods may be called any time).
  const climate::ClimateBook& Book() const { return *book_; }

 signals:
  void finished();

 private:
  struct Result {
    std::mutex mutex;
    bool ok = false;
    climate::ClimateTables tables;
    std::string error;
  };
  std::shared_ptr<climate::ClimateBook> book_;
  std::shared_ptr<Result> result_;
  std::unique_ptr<QThread> thread_;
};

}  // namespace skyvane
