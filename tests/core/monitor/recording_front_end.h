#pragma once
// A front end that records everything the monitor hands it.
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "core/monitor/monitor_front_end.h"

namespace skyvane::testing {

class RecordingFrontEnd : public MonitorFrontEnd {
 public:
  void ShowLiveValues(const HistoryRow& row, const HeaderRecord& header,
                      const AlarmRecord& alarms) override {
    std::lock_guard<std::mutex> lock(mutex_);
    live.push_back(row);
    liveHeader = header;
    liveAlarms = alarms;
  }
  void ShowLampStates(const LampStates& states) override {
    std::lock_guard<std::mutex> lock(mutex_);
    lamps.push_back(states);
  }
  void ShowMaxMin(const MaxMinRecord& record, const HeaderRecord&) override {
    std::lock_guard<std::mutex> lock(mutex_);
    maxmin.push_back(record);
  }
  void SetStatusText(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    statuses.push_back(text);
  }
  void ShowProblem(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    problems.push_back(text);
  }
  void SetTitle(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    titles.push_back(text);
  }

  std::vector<std::string> TakeStatuses() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> out;
    out.swap(statuses);
    return out;
  }
  std::vector<std::string> Titles() {
    std::lock_guard<std::mutex> lock(mutex_);
    return titles;
  }

  std::vector<HistoryRow> live;
  HeaderRecord liveHeader;
  AlarmRecord liveAlarms;
  std::vector<LampStates> lamps;
  std::vector<MaxMinRecord> maxmin;
  std::vector<std::string> statuses;
  std::vector<std::string> titles;
  std::vector<std::string> problems;

 private:
  std::mutex mutex_;
};

}  // namespace skyvane::testing
