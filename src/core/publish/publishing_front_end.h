#pragma once
// PublishingFrontEnd: the monitor's front end for a program that also
// publishes. It hands every call on to the program's own front end (the
// window, the printing logger) and the reading, the saved records and the end
// of each cycle to the listeners (MQTT, HTTP, uploads).
#include <ctime>
#include <vector>

#include "core/monitor/monitor_front_end.h"

namespace skyvane {

// Called on the monitor thread: a listener copies what it needs and returns at
// once, so a slow network never holds up a polling cycle.
class ReadingListener {
 public:
  virtual ~ReadingListener() = default;
  // The reading in the station's display units and the header that names them.
  virtual void OnLiveValues(const HistoryRow& display, const HeaderRecord& header) {
    (void)display, (void)header;
  }
  virtual void OnReading(const HistoryRow& stored, const LampStates& lamps, std::time_t readTime) {
    (void)stored, (void)lamps, (void)readTime;
  }
  virtual void OnRecordsSaved(const HistoryRowArray& rows) { (void)rows; }
  virtual void OnCycleEnded(StationSeen seen) { (void)seen; }
};

class PublishingFrontEnd final : public MonitorFrontEnd {
 public:
  PublishingFrontEnd(MonitorFrontEnd& inner, std::vector<ReadingListener*> listeners)
      : inner_(inner), listeners_(std::move(listeners)) {}

  void ShowLiveValues(const HistoryRow& row, const HeaderRecord& header,
                      const AlarmRecord& alarms) override {
    inner_.ShowLiveValues(row, header, alarms);
    for (ReadingListener* l : listeners_) l->OnLiveValues(row, header);
  }
  void ShowLampStates(const LampStates& lamps) override { inner_.ShowLampStates(lamps); }
  void ShowMaxMin(const MaxMinRecord& maxmin, const HeaderRecord& header) override {
    inner_.ShowMaxMin(maxmin, header);
  }
  void SetStatusText(const std::string& text) override { inner_.SetStatusText(text); }
  void ShowProblem(const std::string& text) override { inner_.ShowProblem(text); }
  void SetTitle(const std::string& title) override { inner_.SetTitle(title); }
  void ReleaseBlockedCalls() override { inner_.ReleaseBlockedCalls(); }

  void ShowStoredReading(const HistoryRow& stored, const LampStates& lamps,
                         std::time_t readTime) override {
    inner_.ShowStoredReading(stored, lamps, readTime);
    for (ReadingListener* l : listeners_) l->OnReading(stored, lamps, readTime);
  }
  void RecordsSaved(const HistoryRowArray& rows) override {
    inner_.RecordsSaved(rows);
    for (ReadingListener* l : listeners_) l->OnRecordsSaved(rows);
  }
  void CycleEnded(StationSeen seen) override {
    inner_.CycleEnded(seen);
    for (ReadingListener* l : listeners_) l->OnCycleEnded(seen);
  }

 private:
  MonitorFrontEnd& inner_;
  std::vector<ReadingListener*> listeners_;
};

}  // namespace skyvane
