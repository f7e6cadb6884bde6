#pragma once
// What `run` sends out besides the data file: MQTT (--mqtt or [mqtt]), a
// time-series database (--influx or [influx]), the uploads to weather
// networks ([upload:NAME]) and the caller's own listeners, wrapped around the printing
// front end so that the monitor feeds them.
#include <memory>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/printing_front_end.h"
#include "cli/run_options.h"
#include "core/publish/publishing_front_end.h"

namespace skyvane {

class HistoryFile;
class InfluxWriter;
class MqttPublisher;
class ProgramCounters;
class Uploader;

class RunPublishers {
 public:
  // Reads the configuration; problems go to ctx.err, one line each.
  // others: listeners of the caller's own (the HTTP server's live reading);
  // dashboardUrl: where the dashboard is served, empty when it is not;
  // counters: shown the lengths of the queues while these publishers live.
  RunPublishers(CliContext& ctx, const RunOptions& options, HistoryFile& file,
                PrintingFrontEnd& printing, std::vector<ReadingListener*> others,
                const std::string& dashboardUrl = {}, ProgramCounters* counters = nullptr);
  ~RunPublishers();
  RunPublishers(const RunPublishers&) = delete;
  RunPublishers& operator=(const RunPublishers&) = delete;

  // The front end the monitor is given.
  MonitorFrontEnd& FrontEnd() { return frontEnd_; }
  // Stops the listeners' threads (after the monitor has stopped).
  void Stop();

 private:
  std::unique_ptr<MqttPublisher> mqtt_;
  std::unique_ptr<InfluxWriter> influx_;
  std::unique_ptr<Uploader> uploader_;
  PublishingFrontEnd frontEnd_;
  ProgramCounters* counters_;
};

}  // namespace skyvane
