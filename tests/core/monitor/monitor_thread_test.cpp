#include "core/monitor/monitor_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/monitor/recording_front_end.h"
#include "core/monitor/station_rig.h"

namespace skyvane {
namespace {

using namespace std::chrono_literals;
using testing::RecordingFrontEnd;
using testing::StationRig;

MonitorServices Services(StationRig& rig) {
  return MonitorServices{rig.Device(), rig.File(), rig.Text(), rig.Settings(), rig.Clock()};
}

// Waits (up to a generous limit) until the condition holds.
template <class Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 300; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return condition();
}

TEST(MonitorThread, StopEndsTheLongTestModeSleep) {
  StationRig rig(true);
  RecordingFrontEnd fe;
  MonitorThread thread(Services(rig), fe);
  ASSERT_TRUE(thread.Start());
  EXPECT_FALSE(thread.Start());  // one thread per monitor
  ASSERT_TRUE(Eventually([&] { return thread.PolledCycles() == 1; }));
  thread.Stop();
  EXPECT_FALSE(thread.Running());
  EXPECT_EQ(thread.PolledCycles(), 1);
  EXPECT_EQ(fe.Titles(), (std::vector<std::string>{"Skyvane Radio Controlled(---TEST MODE---)"}));
  HistoryRowArray rows;
  EXPECT_EQ(rig.File().LoadAll(rows), 15);  // the test image's history, behind its running record
  thread.Stop();  // again: nothing happens
}

TEST(MonitorThread, StopDuringTheStartPause) {
  StationRig rig;
  RecordingFrontEnd fe;
  MonitorThread thread(Services(rig), fe);
  ASSERT_TRUE(thread.Start());
  thread.Stop();
  EXPECT_FALSE(thread.Running());
  EXPECT_EQ(thread.PolledCycles(), 0);
  EXPECT_TRUE(fe.Titles().empty());
  EXPECT_FALSE(thread.Start());  // a stopped monitor stays stopped
}

// A front end whose status hand-over waits for a user-interface thread that
// is itself waiting for the monitor to stop.
class StuckFrontEnd : public RecordingFrontEnd {
 public:
  void SetStatusText(const std::string& text) override {
    std::unique_lock<std::mutex> lock(mutex_);
    ++waiting_;
    stuck_.notify_all();
    stuck_.wait(lock, [this] { return released_; });
    (void)text;
  }
  void ReleaseBlockedCalls() override {
    std::lock_guard<std::mutex> lock(mutex_);
    released_ = true;
    stuck_.notify_all();
  }
  bool Waiting() {
    std::lock_guard<std::mutex> lock(mutex_);
    return waiting_ > 0;
  }

 private:
  std::mutex mutex_;
  std::condition_variable stuck_;
  int waiting_ = 0;
  bool released_ = false;
};

TEST(MonitorThread, StopReleasesABlockedStatusHandOver) {
  StationRig rig;
  rig.FillRing(5, 0x1F0);
  StuckFrontEnd fe;
  MonitorThread thread(Services(rig), fe);
  ASSERT_TRUE(thread.Start());
  ASSERT_TRUE(Eventually([&] { return fe.Waiting(); }));
  thread.Stop();
  EXPECT_FALSE(thread.Running());
  EXPECT_FALSE(rig.Device().DeviceBusy().load());
}

TEST(MonitorThread, KeepsPollingWhileTheLinkIsBusyAndResumes) {
  StationRig rig;
  rig.FillRing(5, 0x1F0);
  RecordingFrontEnd fe;
  rig.Device().DeviceBusy().store(true);  // a dialog holds the link
  MonitorThread thread(Services(rig), fe);
  ASSERT_TRUE(thread.Start());
  std::this_thread::sleep_for(1500ms);
  EXPECT_EQ(thread.PolledCycles(), 0);
  rig.Device().DeviceBusy().store(false);
  EXPECT_TRUE(Eventually([&] { return thread.PolledCycles() == 1; }));
  thread.Stop();
  EXPECT_FALSE(thread.Running());
}

TEST(MonitorThread, WakeStartsTheNextCycleWithoutStopping) {
  StationRig rig(true);  // three minutes between cycles
  RecordingFrontEnd fe;
  MonitorThread thread(Services(rig), fe);
  ASSERT_TRUE(thread.Start());
  ASSERT_TRUE(Eventually([&] { return thread.PolledCycles() == 1; }));
  thread.Wake();
  EXPECT_TRUE(Eventually([&] { return thread.PolledCycles() == 2; }));
  EXPECT_TRUE(thread.Running());
  thread.Stop();
  EXPECT_FALSE(thread.Running());
}

TEST(StopSignal, AWakeEndsOneSleepAndStopsNothing) {
  StopSignal stop;
  stop.Wake();  // before the sleep: the next sleep ends at once
  EXPECT_TRUE(stop.SleepFor(std::chrono::hours(1)));
  EXPECT_FALSE(stop.Requested());
  std::thread sleeper([&] { EXPECT_TRUE(stop.SleepFor(std::chrono::hours(1))); });
  stop.Wake();
  sleeper.join();
  EXPECT_TRUE(stop.SleepFor(1ms));  // the wake was used up
  stop.Request();
  stop.Wake();
  EXPECT_FALSE(stop.SleepFor(std::chrono::hours(1)));  // a stop outranks a wake
}

TEST(StopSignal, SleepsEndOnRequest) {
  StopSignal stop;
  EXPECT_TRUE(stop.SleepFor(1ms));
  std::thread sleeper([&] { EXPECT_FALSE(stop.SleepFor(std::chrono::hours(1))); });
  stop.Request();
  sleeper.join();
  EXPECT_TRUE(stop.Requested());
  EXPECT_FALSE(stop.SleepFor(std::chrono::hours(1)));
}

}  // namespace
}  // namespace skyvane
