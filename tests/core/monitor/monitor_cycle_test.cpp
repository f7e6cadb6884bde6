#include "core/monitor/monitor_cycle.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/monitor/recording_front_end.h"
#include "core/monitor/station_rig.h"

namespace skyvane {
namespace {

using testing::RecordingFrontEnd;
using testing::StationRig;

MonitorServices Services(StationRig& rig) {
  return MonitorServices{rig.Device(), rig.File(), rig.Text(), rig.Settings(), rig.Clock()};
}

constexpr int kRainSums[] = {row::rainIncrement, row::rainHour,  row::rain24h,
                             row::rainWeek,      row::rainMonth, row::rainTotal};

std::vector<HistoryRow> FileRows(StationRig& rig) {
  HistoryRowArray rows;
  rig.File().LoadAll(rows);
  return rows;
}

TEST(MonitorCycle, AFourRowDownloadWritesItsTextsInOrder) {
  StationRig rig;
  rig.FillRing(5, 0x1F0);
  RecordingFrontEnd fe;
  MonitorCycle cycle(Services(rig));
  CycleReport report = cycle.Run(fe);
  EXPECT_EQ(report.outcome, CycleOutcome::kPolled);
  EXPECT_EQ(report.downloaded, 4);
  EXPECT_TRUE(report.saved);
  EXPECT_EQ(fe.TakeStatuses(), (std::vector<std::string>{
                                   "Read data from Skyvane Radio Controlled ...",
                                   "2 Data has been read. ...",
                                   "4 Data has been read. ...",
                                   "25% Data has been processed.",
                                   "50% Data has been processed.",
                                   "75% Data has been processed.",
                                   "100% Data has been processed.",
                                   "Compute history rain data 4 : 25% ...",
                                   "Compute history rain data 4 : 50% ...",
                                   "Compute history rain data 4 : 75% ...",
                                   "Compute history rain data 4 : 100% ...",
                                   "Save all data on PC ...",
                                   "Last Read Time: 01-03-2026 12:00:00, Read Records: 4 (Total Records: 4).",
                               }));
  // Stored oldest first, completed in metric units, with rain values.
  std::vector<HistoryRow> rows = FileRows(rig);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0][row::stationAddress], "0001B0");
  EXPECT_EQ(rows[3][row::stationAddress], "0001E0");
  EXPECT_EQ(rows[3][row::sequenceNo], "4");
  EXPECT_EQ(rows[3][row::indoorTemperature], "21.5");
  EXPECT_EQ(rows[3][row::absolutePressure], "1013.2");
  EXPECT_EQ(rows[3][row::directionName], "E");
  EXPECT_EQ(rows[0][row::rainTotal], "0.0");
  EXPECT_EQ(rows[3][row::rain], "2999.7");          // counter 9999
  EXPECT_EQ(rows[3][row::rainIncrement], "0.3");   // one tick since the record before
  EXPECT_EQ(rows[3][row::rainTotal], "0.9");

  // Live values in display units, shown at once with the rain sums unknown
  // (the file held none of the station's history yet), then again counted
  // from the records this cycle stored: never a made-up 0.
  ASSERT_EQ(fe.live.size(), 2u);
  EXPECT_EQ(fe.live[0][row::indoorTemperature], "21.5");
  for (int f : kRainSums) EXPECT_EQ(fe.live[0][f], "---") << f;
  EXPECT_EQ(fe.live[1][row::rainIncrement], "0.3");
  EXPECT_EQ(fe.live[1][row::rain24h], "1.2");
  EXPECT_EQ(fe.live[1][row::rainTotal], "1.2");
  EXPECT_EQ(fe.lamps.size(), 2u);
  EXPECT_EQ(fe.maxmin.size(), 2u);
}

// Nothing to count from: the sums stay unknown, also once caught up.
TEST(MonitorCycle, AStationWithoutHistoryLeavesTheRainSumsUnknown) {
  StationRig rig;
  rig.FillRing(1, 0x100);
  RecordingFrontEnd fe;
  MonitorCycle cycle(Services(rig));
  cycle.Run(fe);
  cycle.Run(fe);
  ASSERT_EQ(fe.live.size(), 3u);
  for (const HistoryRow& live : fe.live) {
    for (int f : kRainSums) EXPECT_EQ(live[f], "---") << f;
  }
}

TEST(MonitorCycle, ASecondCycleFindsNothingNew) {
  StationRig rig;
  rig.FillRing(5, 0x1F0);
  RecordingFrontEnd fe;
  MonitorCycle cycle(Services(rig));
  cycle.Run(fe);
  fe.TakeStatuses();
  rig.Clock().Advance(15);
  CycleReport report = cycle.Run(fe);
  EXPECT_EQ(report.downloaded, 0);
  EXPECT_EQ(fe.TakeStatuses(), (std::vector<std::string>{
                                   "Read data from Skyvane Radio Controlled ...",
                                   "2 Data has been read. ...",
                                   "Last Read Time: 01-03-2026 12:00:15, Read Records: 0 (Total Records: 4).",
                               }));
  EXPECT_EQ(FileRows(rig).size(), 4u);
  // Caught up: shown once, its rain continuing the stored rows.
  ASSERT_EQ(fe.live.size(), 3u);
  EXPECT_EQ(fe.live[2][row::rainIncrement], "0.3");
  EXPECT_EQ(fe.live[2][row::rainTotal], "1.2");
}

// The file cannot take the rows: an error, and the summary counts nothing.
TEST(MonitorCycle, AFailedSaveIsAProblemAndCountsNoRecords) {
  StationRig rig;
  rig.FillRing(5, 0x1F0);
  RecordingFrontEnd fe;
  MonitorCycle cycle(Services(rig));
  // Even the superuser cannot write past the file size limit.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit before{};
  ::getrlimit(RLIMIT_FSIZE, &before);
  rlimit tiny = before;
  tiny.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
  CycleReport report = cycle.Run(fe);
  ::setrlimit(RLIMIT_FSIZE, &before);
  EXPECT_EQ(report.downloaded, 4);
  EXPECT_FALSE(report.saved);
  const std::string problem = "The new records could not be saved in " + rig.DataFile().string() +
                              ": " + std::strerror(EFBIG);
  EXPECT_EQ(fe.problems, std::vector<std::string>{problem});
  EXPECT_EQ(fe.TakeStatuses().back(),
            "Last Read Time: 01-03-2026 12:00:00, Read Records: 0 (Total Records: 0). " + problem);
  EXPECT_EQ(std::filesystem::file_size(rig.DataFile()), 0u);
}

// The PC was off for longer than the ring holds: the whole ring is stored,
// and the loss is said. A ring older than the file's last record comes from a
// station begun anew: no backward "lost between" range then.
TEST(MonitorCycle, ARingWrittenOverIsStoredWholeAndTheLossSaid) {
  struct Case {
    const char* lastStored;
    const char* problem;
  };
  const Case cases[] = {
      {"2026-02-10 10:00:00",
       "The station wrote over its memory while it could not be read: the records between "
       "10-02-2026 10:00 and 15-02-2026 08:10 were lost by the station."},
      {"2026-03-07 17:30:00",
       "The station was reset or replaced: its records are older than the last record stored "
       "(07-03-2026 17:30). Its 4079 records from 15-02-2026 08:10 to 01-03-2026 12:00 are "
       "stored after it."},
  };
  for (const Case& c : cases) {
    StationRig rig;
    rig.FillRing(4080, 0x1F0);
    HistoryRow gone;
    gone[row::stationAddress] = "0001B0";
    gone[row::rawBytes] = "05 2D D7 00 50 20 80 24 27 0C 18 00 64 00 00 00 ";
    gone[row::recordTime] = c.lastStored;
    ASSERT_TRUE(rig.File().AppendRows({gone}));
    RecordingFrontEnd fe;
    MonitorCycle cycle(Services(rig));
    CycleReport report = cycle.Run(fe);
    EXPECT_TRUE(report.saved);
    EXPECT_EQ(FileRows(rig).size(), 4080u);
    EXPECT_EQ(fe.problems, std::vector<std::string>{c.problem});
    EXPECT_EQ(fe.TakeStatuses().back(),
              "Last Read Time: 01-03-2026 12:00:00, Read Records: 4079 (Total Records: 4080). " +
                  std::string(c.problem));
  }
}

TEST(MonitorCycle, AFailedHeaderReadDropsTheRowsUntilTheNextCycle) {
  StationRig rig;
  rig.FillRing(5, 0x1F0);
  RecordingFrontEnd fe;
  MonitorCycle cycle(Services(rig));
  rig.Link().FailNextReadsAt(0x0000, 1);  // the cycle's own header read
  CycleReport report = cycle.Run(fe);
  EXPECT_FALSE(report.headerRead);
  EXPECT_EQ(report.downloaded, 4);
  EXPECT_FALSE(report.saved);
  EXPECT_TRUE(fe.live.empty());
  EXPECT_TRUE(fe.lamps.empty());
  EXPECT_TRUE(fe.maxmin.empty());
  EXPECT_TRUE(FileRows(rig).empty());
  std::vector<std::string> texts = fe.TakeStatuses();
  ASSERT_FALSE(texts.empty());
  // Only saved records count as read.
  EXPECT_EQ(texts.back(),
            "Last Read Time: 01-03-2026 12:00:00, Read Records: 0 (Total Records: 0).");

  cycle.Run(fe);
  cycle.Run(fe);
  std::vector<HistoryRow> rows = FileRows(rig);
  ASSERT_EQ(rows.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rows[i][row::sequenceNo], std::to_string(i + 1));
    EXPECT_EQ(rows[i][row::stationAddress], testing::AddressText(0x1B0 + 16 * i));
  }
}

TEST(MonitorCycle, AFailedRecordReadSkipsThePanelsButStoresTheDownload) {
  StationRig rig;
  rig.FillRing(5, 0x1F0);
  rig.Link().FailReadsAt(0x1F0);
  RecordingFrontEnd fe;
  CycleReport report = MonitorCycle(Services(rig)).Run(fe);
  EXPECT_FALSE(report.recordRead);
  EXPECT_TRUE(fe.live.empty());
  EXPECT_TRUE(fe.lamps.empty());
  EXPECT_TRUE(fe.maxmin.empty());
  EXPECT_TRUE(report.saved);
  EXPECT_EQ(FileRows(rig).size(), 4u);
}

TEST(MonitorCycle, AFailedMaxMinReadKeepsOnlyTheExtremes) {
  StationRig rig;
  rig.FillRing(5, 0x1F0);
  rig.Link().FailReadsAt(0x0060);
  RecordingFrontEnd fe;
  CycleReport report = MonitorCycle(Services(rig)).Run(fe);
  EXPECT_FALSE(report.maxMinRead);
  EXPECT_EQ(fe.live.size(), 2u);  // before and after the first download
  EXPECT_EQ(fe.lamps.size(), 2u);
  EXPECT_TRUE(fe.maxmin.empty());
}

TEST(MonitorCycle, AnUnreadableBlockStoresNothingThatCycle) {
  StationRig rig;
  rig.FillRing(9, 0x1F0);
  rig.Link().FailReadsAt(0x190);
  RecordingFrontEnd fe;
  MonitorCycle cycle(Services(rig));
  CycleReport report = cycle.Run(fe);
  EXPECT_EQ(report.downloaded, 0);
  EXPECT_TRUE(FileRows(rig).empty());
  EXPECT_EQ(fe.TakeStatuses().back(),
            "Last Read Time: 01-03-2026 12:00:00, Read Records: 0 (Total Records: 0).");
  rig.Link().Heal();
  report = cycle.Run(fe);
  EXPECT_EQ(report.downloaded, 8);
  EXPECT_EQ(FileRows(rig).size(), 8u);
}

TEST(MonitorCycle, LampsFollowTheStationsAlarms) {
  StationRig rig;
  rig.FillRing(5, 0x1F0);
  rig.Station().WithMemory([](StationMemory& m) {
    m.Set(0x15, 0x20);  // indoor humidity high enabled
    m.Set(0x30, 50);    // at 50 %
  });
  RecordingFrontEnd fe;
  MonitorCycle(Services(rig)).Run(fe);
  ASSERT_EQ(fe.lamps.size(), 2u);
  EXPECT_EQ(fe.lamps[0], fe.lamps[1]);
  EXPECT_EQ(fe.live[1][row::indoorHumidity], "70");
  for (int i = 0; i < kLampCount; ++i) {
    EXPECT_EQ(fe.lamps[1][i], i == lamp::kIndoorHumidityHigh - 1 ? LampState::kTriggered
                                                                 : LampState::kDisabled)
        << LampName(i + 1);
  }
}

// Whoever tells others whether the station is there: a failed read is "not
// there", a cycle that left the link alone tells nothing.
TEST(MonitorCycle, WhatACycleSawOfTheStation) {
  const auto seen = [](CycleOutcome outcome, bool header, bool alarms, bool record) {
    CycleReport report;
    report.outcome = outcome;
    report.headerRead = header, report.alarmsRead = alarms, report.recordRead = record;
    return StationSeenBy(report);
  };
  EXPECT_EQ(seen(CycleOutcome::kPolled, true, true, true), StationSeen::kRead);
  EXPECT_EQ(seen(CycleOutcome::kPolled, true, true, false), StationSeen::kNotRead);
  EXPECT_EQ(seen(CycleOutcome::kPolled, false, true, false), StationSeen::kNotRead);
  EXPECT_EQ(seen(CycleOutcome::kPolled, true, false, false), StationSeen::kNotRead);
  EXPECT_EQ(seen(CycleOutcome::kNotConnected, false, false, false), StationSeen::kNotRead);
  for (CycleOutcome untried : {CycleOutcome::kConnecting, CycleOutcome::kLinkBusy, CycleOutcome::kLinkTaken}) {
    EXPECT_EQ(seen(untried, false, false, false), StationSeen::kUntried);
  }
}

TEST(MonitorCycle, NoStationTrafficWhileUnpluggedConnectingOrBusy) {
  StationRig rig;
  rig.FillRing(5, 0x1F0);
  RecordingFrontEnd fe;
  MonitorCycle cycle(Services(rig));

  rig.Device().DeviceBusy().store(true);
  EXPECT_EQ(cycle.Run(fe).outcome, CycleOutcome::kLinkBusy);
  rig.Device().DeviceBusy().store(false);

  rig.Station().Unplug();
  rig.Device().UpdateConnection();
  EXPECT_EQ(cycle.Run(fe).outcome, CycleOutcome::kNotConnected);

  rig.Station().Replug();
  rig.Device().UpdateConnection();  // found: the watch waits to be re-armed
  rig.Link().TakeReadAddresses();
  EXPECT_EQ(cycle.Run(fe).outcome, CycleOutcome::kConnecting);

  EXPECT_TRUE(rig.Link().TakeReadAddresses().empty());
  EXPECT_TRUE(fe.TakeStatuses().empty());
  EXPECT_TRUE(fe.live.empty());
  EXPECT_TRUE(FileRows(rig).empty());
  EXPECT_FALSE(rig.Device().DeviceBusy().load());

  rig.Device().EnableWatch();
  EXPECT_EQ(cycle.Run(fe).outcome, CycleOutcome::kPolled);
  EXPECT_FALSE(rig.Device().DeviceBusy().load());
}

TEST(MonitorCycle, TitleAndIntervalFollowTheLinksTestMode) {
  // A station that is not the test image is polled normally, whatever the
  // test switch says: the switch only chooses the test image at start-up.
  StationRig rig;
  MonitorCycle cycle(Services(rig));
  for (const char* flag : {"1", "true", "0"}) {
    rig.Settings().testFlag = flag;
    EXPECT_FALSE(cycle.TestMode()) << flag;
    EXPECT_EQ(cycle.Title(), "Skyvane Radio Controlled") << flag;
  }
  StationRig testImage(true);
  MonitorCycle onTestImage(Services(testImage));
  EXPECT_TRUE(onTestImage.TestMode());
  EXPECT_EQ(onTestImage.Title(), "Skyvane Radio Controlled(---TEST MODE---)");
  rig.Text().SetLanguageIndex(1);
  EXPECT_EQ(cycle.Title(), "Skyvane - Funk-Wetter-Station");

  EXPECT_EQ(PauseAfter(CycleOutcome::kPolled, false), std::chrono::seconds(15));
  EXPECT_EQ(PauseAfter(CycleOutcome::kPolled, true), std::chrono::seconds(180));
  EXPECT_EQ(PauseAfter(CycleOutcome::kNotConnected, true), std::chrono::seconds(180));
  EXPECT_EQ(PauseAfter(CycleOutcome::kLinkBusy, false), std::chrono::seconds(1));
  EXPECT_EQ(PauseAfter(CycleOutcome::kLinkTaken, false), std::chrono::seconds(10));
  EXPECT_LT(PauseAfter(CycleOutcome::kConnecting, false), std::chrono::seconds(1));
}

}  // namespace
}  // namespace skyvane
