#include "cli/run_publishers.h"

#include <ostream>

#include "core/app/ini_file.h"
#include "core/publish/upload/uploader.h"

namespace skyvane {
namespace {

std::vector<ReadingListener*> MakeListeners(CliContext& ctx, HistoryFile& file,
                                            PrintingFrontEnd& printing,
                                            std::unique_ptr<Uploader>& uploader) {
  std::vector<ReadingListener*> listeners;
  std::vector<std::string> problems;
  std::vector<UploadTarget> targets = ReadUploadTargets(IniFile(ctx.folder / "Skyvane.ini"), problems);
  for (const std::string& problem : problems) ctx.err << "skyvane-cli: Skyvane.ini " << problem << "\n";
  if (!targets.empty()) {
    uploader = std::make_unique<Uploader>(
        std::move(targets), file, [&printing](const std::string& text) { printing.ShowProblem(text); },
        [&printing](const std::string& text) { printing.SetStatusText(text); },
        Uploader::Options{std::chrono::seconds(10), SKYVANE_VERSION});
    listeners.push_back(uploader.get());
  }
  return listeners;
}

}  // namespace

RunPublishers::RunPublishers(CliContext& ctx, HistoryFile& file, PrintingFrontEnd& printing)
    : listeners_(MakeListeners(ctx, file, printing, uploader_)), frontEnd_(printing, listeners_) {}

RunPublishers::~RunPublishers() { Stop(); }

void RunPublishers::Stop() {
  if (uploader_) uploader_->Stop();
}

}  // namespace skyvane
