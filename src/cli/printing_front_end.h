#pragma once
// The monitor's front end without a display: every status and progress text
// becomes one line on the output stream, every problem one on the error
// stream, at once. A quiet one prints the problems only.
#include <mutex>
#include <ostream>

#include "core/monitor/monitor_front_end.h"

namespace skyvane {

class PrintingFrontEnd : public MonitorFrontEnd {
 public:
  PrintingFrontEnd(std::ostream& out, std::ostream& err, bool quiet = false)
      : out_(out), err_(err), quiet_(quiet) {}

  void ShowLiveValues(const HistoryRow&, const HeaderRecord&, const AlarmRecord&) override {}
  void ShowLampStates(const LampStates&) override {}
  void ShowMaxMin(const MaxMinRecord&, const HeaderRecord&) override {}
  void SetStatusText(const std::string& text) override {
    if (quiet_) return;
    std::lock_guard<std::mutex> lock(mutex_);
    out_ << text << '\n' << std::flush;
  }
  void ShowProblem(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    err_ << "skyvane-cli: " << text << '\n' << std::flush;
  }
  void SetTitle(const std::string&) override {}

 private:
  std::mutex mutex_;
  std::ostream& out_;
  std::ostream& err_;
  const bool quiet_;
};

}  // namespace skyvane
