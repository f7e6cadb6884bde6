#include "cli/run_publishers.h"

#include <ostream>

#include "core/app/ini_file.h"
#include "core/publish/influx/influx_setup.h"
#include "core/publish/mqtt/mqtt_setup.h"
#include "core/publish/program_counters.h"
#include "core/publish/upload/uploader.h"

namespace skyvane {
namespace {

// MQTT's log lines as the logger's own: one line each, errors on the error
// stream, the rest (unless quiet) on the output.
MqttLog MqttLines(PrintingFrontEnd& printing) {
  return [&printing](MqttLogLevel level, const std::string& line) {
    if (level == MqttLogLevel::kError) {
      printing.ShowProblem(line);
    } else {
      printing.SetStatusText(line);
    }
  };
}

InfluxLog InfluxLines(PrintingFrontEnd& printing) {
  return [&printing](bool error, const std::string& line) {
    if (error) {
      printing.ShowProblem(line);
    } else {
      printing.SetStatusText(line);
    }
  };
}

std::unique_ptr<Uploader> StartUploader(CliContext& ctx, HistoryFile& file, PrintingFrontEnd& printing) {
  std::vector<std::string> problems;
  std::vector<UploadTarget> targets = ReadUploadTargets(IniFile(ctx.folder / "Skyvane.ini"), problems);
  for (const std::string& problem : problems) ctx.err << "skyvane-cli: Skyvane.ini " << problem << "\n";
  if (targets.empty()) return nullptr;
  return std::make_unique<Uploader>(
      std::move(targets), file, [&printing](const std::string& text) { printing.ShowProblem(text); },
      [&printing](const std::string& text) { printing.SetStatusText(text); },
      Uploader::Options{std::chrono::seconds(10), SKYVANE_VERSION});
}

std::vector<ReadingListener*> Listeners(std::vector<ReadingListener*> listeners,
                                        std::initializer_list<ReadingListener*> more) {
  for (ReadingListener* l : more) {
    if (l != nullptr) listeners.push_back(l);
  }
  return listeners;
}

}  // namespace

RunPublishers::RunPublishers(CliContext& ctx, const RunOptions& options, HistoryFile& file,
                             PrintingFrontEnd& printing, std::vector<ReadingListener*> others,
                             const std::string& dashboardUrl, ProgramCounters* counters)
    : mqtt_(StartMqttPublisher(ctx.folder, options.mqtt, SKYVANE_VERSION, MqttLines(printing),
                               dashboardUrl)),
      influx_(StartInfluxWriter(ctx.folder, options.influx, InfluxLines(printing))),
      uploader_(StartUploader(ctx, file, printing)),
      frontEnd_(printing, Listeners(std::move(others), {mqtt_.get(), influx_.get(), uploader_.get()})),
      counters_(counters) {
  if (mqtt_) mqtt_->CatchUp(file);
  if (influx_) influx_->CatchUp(file);
  if (counters_ == nullptr) return;
  if (MqttPublisher* mqtt = mqtt_.get()) counters_->AddQueue("mqtt", [mqtt] { return mqtt->QueuedRecords(); });
  if (InfluxWriter* influx = influx_.get()) counters_->AddQueue("influx", [influx] { return influx->QueuedPoints(); });
}

RunPublishers::~RunPublishers() { Stop(); }

void RunPublishers::Stop() {
  if (counters_ != nullptr) counters_->ForgetQueues();
  if (mqtt_) mqtt_->Stop();
  if (influx_) influx_->Stop();
  if (uploader_) uploader_->Stop();
}

}  // namespace skyvane
