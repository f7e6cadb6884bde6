#pragma once
// What `run` sends out besides the data file: the listeners configured in
// Skyvane.ini (uploads to weather networks), wrapped around the printing
// front end so that the monitor feeds them.
#include <memory>
#include <vector>

#include "cli/cli.h"
#include "cli/printing_front_end.h"
#include "core/publish/publishing_front_end.h"

namespace skyvane {

class HistoryFile;
class Uploader;

class RunPublishers {
 public:
  // Reads the configuration; problems go to ctx.err, one line each.
  RunPublishers(CliContext& ctx, HistoryFile& file, PrintingFrontEnd& printing);
  ~RunPublishers();
  RunPublishers(const RunPublishers&) = delete;
  RunPublishers& operator=(const RunPublishers&) = delete;

  // The front end the monitor is given.
  MonitorFrontEnd& FrontEnd() { return frontEnd_; }
  // Stops the listeners' threads (after the monitor has stopped).
  void Stop();

 private:
  std::unique_ptr<Uploader> uploader_;
  std::vector<ReadingListener*> listeners_;
  PublishingFrontEnd frontEnd_;
};

}  // namespace skyvane
