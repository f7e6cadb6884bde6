#include "core/history/history_download.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/monitor/station_rig.h"
#include "support/local_time.h"

namespace skyvane {
namespace {

using testing::AddressText;
using test::LocalTime;
using testing::MakeRecord;
using testing::StationRig;

struct Download {
  int count = 0;
  DownloadEnd end = DownloadEnd::kCancelled;
  HistoryRowArray rows;
  std::vector<std::string> progress;
  std::vector<std::uint16_t> blockReads;  // block reads after the header read
};

Download RunDownload(StationRig& rig, bool testMode = false) {
  Download d;
  rig.Link().TakeReadAddresses();
  DownloadContext context{rig.Device(), rig.File(), rig.Text(), testMode, rig.Clock().Now(),
                          [&d](const std::string& line) { d.progress.push_back(line); }, {}};
  d.count = DownloadHistory(d.rows, context, &d.end);
  std::vector<std::uint16_t> reads = rig.Link().TakeReadAddresses();
  if (!reads.empty() && reads.front() == 0) reads.erase(reads.begin());
  d.blockReads = reads;
  return d;
}

std::vector<std::string> Addresses(const HistoryRowArray& rows) {
  std::vector<std::string> out;
  for (const HistoryRow& r : rows) out.push_back(r[row::stationAddress]);
  return out;
}

// A row as the data file holds it after a download of the record at address.
HistoryRow Stored(StationRig& rig, int address, const std::string& recordTime) {
  HistoryRow r;
  r[row::stationAddress] = AddressText(address);
  r[row::rawBytes] = rig.RawBytesOf(address);
  r[row::recordTime] = recordTime;
  r[row::interval] = "5";
  r[row::rain] = "0.0";
  r[row::rainIncrement] = "0.0";
  r[row::rainTotal] = "0.0";
  return r;
}

TEST(HistoryDownload, EmptyFileTakesEveryRecordBelowTheCurrentOne) {
  StationRig rig;
  rig.FillRing(16, 0x1F0);
  Download d = RunDownload(rig);
  ASSERT_EQ(d.count, 15);
  EXPECT_EQ(d.end, DownloadEnd::kDone);
  ASSERT_EQ(d.rows.size(), 15u);
  std::vector<std::string> expected;
  for (int a = 0x1E0; a >= 0x100; a -= 16) expected.push_back(AddressText(a));
  EXPECT_EQ(Addresses(d.rows), expected);
  EXPECT_EQ(d.blockReads, (std::vector<std::uint16_t>{0x1D0, 0x1B0, 0x190, 0x170, 0x150, 0x130,
                                                      0x110, 0x0F0}));
  EXPECT_EQ(d.rows[0][row::rawBytes], rig.RawBytesOf(0x1E0));
  EXPECT_EQ(d.rows[14][row::rawBytes], rig.RawBytesOf(0x100));
  EXPECT_EQ(d.rows[0][row::interval], "5");
  EXPECT_EQ(d.rows[0][row::indoorHumidity], std::to_string(30 + 9999 % 60));
  EXPECT_EQ(d.progress, (std::vector<std::string>{
                            "2 Data has been read. ...", "4 Data has been read. ...",
                            "6 Data has been read. ...", "8 Data has been read. ...",
                            "10 Data has been read. ...", "12 Data has been read. ...",
                            "14 Data has been read. ...", "15 Data has been read. ..."}));
}

TEST(HistoryDownload, WrapsFromTheFirstSlotToTheTopOfTheRing) {
  StationRig rig;
  rig.FillRing(6, 0x120);
  Download d = RunDownload(rig);
  EXPECT_EQ(Addresses(d.rows), (std::vector<std::string>{"000110", "000100", "00FFF0", "00FFE0",
                                                         "00FFD0"}));
  EXPECT_EQ(d.blockReads, (std::vector<std::uint16_t>{0x100, 0xFFE0, 0xFFC0}));
  EXPECT_EQ(d.rows[2][row::rawBytes], rig.RawBytesOf(0xFFF0));

  // A lone record at 0x100 continues at 0xFFE0 as well.
  StationRig lone;
  lone.FillRing(4, 0x110);
  d = RunDownload(lone);
  EXPECT_EQ(Addresses(d.rows), (std::vector<std::string>{"000100", "00FFF0", "00FFE0"}));
  EXPECT_EQ(d.blockReads, (std::vector<std::uint16_t>{0x0F0, 0xFFE0}));
}

TEST(HistoryDownload, NothingForTooFewRecordsOrAnAddressOffTheRing) {
  struct Case { int count; int current; };
  for (Case c : {Case{16, 0x100}, Case{1, 0x1F0}, Case{0, 0x1F0}, Case{16, 0x0F0}, Case{16, 0x1F8},
                 Case{16, 0x1F1}, Case{16, 0xFFFF}, Case{16, 0}}) {
    StationRig rig;
    rig.FillRing(16, 0x1F0);
    rig.SetCount(c.count);
    rig.SetCurrent(c.current);
    Download d = RunDownload(rig);
    EXPECT_EQ(d.count, 0) << c.count << " at " << c.current;
    EXPECT_EQ(d.end, DownloadEnd::kNoHistory);
    EXPECT_TRUE(d.rows.empty());
    EXPECT_TRUE(d.blockReads.empty()) << c.count << " at " << c.current;
  }
  // The highest slot is a valid current record.
  StationRig top;
  top.FillRing(3, 0xFFF0);
  EXPECT_EQ(Addresses(RunDownload(top).rows), (std::vector<std::string>{"00FFE0", "00FFD0"}));
}

TEST(HistoryDownload, ACountBeyondTheRingTakesTheWholeRingOnce) {
  StationRig rig;
  rig.FillRing(4080, 0x1F0);
  rig.SetCount(5000);
  Download d = RunDownload(rig);
  ASSERT_EQ(d.count, 4079);
  std::vector<std::string> all = Addresses(d.rows);
  std::set<std::string> seen(all.begin(), all.end());
  EXPECT_EQ(seen.size(), 4079u);
  EXPECT_EQ(seen.count("0001F0"), 0u);
  EXPECT_EQ(all.front(), "0001E0");
  EXPECT_EQ(all.back(), "000200");
  EXPECT_EQ(d.progress.back(), "4079 Data has been read. ...");
}

TEST(HistoryDownload, StopsAtTheLastStoredRecord) {
  // The older half of a block is stored: the newer half is still new.
  StationRig rig;
  rig.FillRing(16, 0x1F0);
  ASSERT_TRUE(rig.File().AppendRows({Stored(rig, 0x1D0, "2026-03-01 11:00:00")}));
  Download d = RunDownload(rig);
  EXPECT_EQ(Addresses(d.rows), (std::vector<std::string>{"0001E0"}));
  EXPECT_EQ(d.blockReads, (std::vector<std::uint16_t>{0x1D0}));

  // The newer half is stored: nothing is new.
  StationRig newest;
  newest.FillRing(16, 0x1F0);
  ASSERT_TRUE(newest.File().AppendRows({Stored(newest, 0x1E0, "2026-03-01 11:00:00")}));
  d = RunDownload(newest);
  EXPECT_EQ(d.count, 0);
  EXPECT_TRUE(d.rows.empty());
}

TEST(HistoryDownload, TimesCountBackFromNowWithoutStoredRecords) {
  StationRig rig;
  rig.Clock().Set(LocalTime(2026, 3, 1, 12, 0, 0));
  rig.FillRing(4, 0x1F0, {5, 5, 10});
  Download d = RunDownload(rig);
  ASSERT_EQ(d.count, 3);
  EXPECT_EQ(d.rows[0][row::recordTime], "2026-03-01 12:00:00");
  EXPECT_EQ(d.rows[1][row::recordTime], "2026-03-01 11:55:00");
  EXPECT_EQ(d.rows[2][row::recordTime], "2026-03-01 11:50:00");
}

TEST(HistoryDownload, TimesContinueTheFileWhenRecordsAreStored) {
  StationRig rig;
  rig.FillRing(16, 0x1F0, {5, 10, 7});
  ASSERT_TRUE(rig.File().AppendRows({Stored(rig, 0x1B0, "2026-02-27 23:55:00")}));
  Download d = RunDownload(rig);
  ASSERT_EQ(Addresses(d.rows), (std::vector<std::string>{"0001E0", "0001D0", "0001C0"}));
  // Oldest first: each gets the time before it plus its own interval.
  EXPECT_EQ(d.rows[2][row::recordTime], "2026-02-28 00:02:00");
  EXPECT_EQ(d.rows[1][row::recordTime], "2026-02-28 00:12:00");
  EXPECT_EQ(d.rows[0][row::recordTime], "2026-02-28 00:17:00");
}

TEST(HistoryDownload, TestModeDownloadsTheTestHistoryOnEveryCycle) {
  StationRig rig(true);
  HistoryRow last;
  last[row::stationAddress] = "0001E0";
  last[row::recordTime] = "2026-03-01 08:00:00";
  EXPECT_TRUE(IsLastStored(last, last, false));
  EXPECT_FALSE(IsLastStored(last, last, true));
  ASSERT_TRUE(rig.File().AppendRows({last}));
  Download d = RunDownload(rig, true);
  ASSERT_EQ(d.count, 15);
  EXPECT_EQ(d.rows[0][row::stationAddress], "0001E0");
  EXPECT_EQ(d.rows[14][row::recordTime], "2026-03-01 08:05:00");
  EXPECT_EQ(d.rows[0][row::recordTime], "2026-03-01 09:15:00");
}

TEST(HistoryDownload, AnUnreadableBlockTakesNothingAndTheNextCallTheSameRange) {
  StationRig rig;
  rig.FillRing(16, 0x1F0);
  ASSERT_TRUE(rig.File().AppendRows({Stored(rig, 0x110, "2026-03-01 10:50:00")}));
  rig.Link().FailReadsAt(0x170);
  Download d = RunDownload(rig);
  EXPECT_EQ(d.count, 0);
  EXPECT_EQ(d.end, DownloadEnd::kBlockUnreadable);
  EXPECT_TRUE(d.rows.empty());
  // Tried a few times, then the walk ended there.
  std::vector<std::uint16_t> expected{0x1D0, 0x1B0, 0x190};
  for (int i = 0; i < kDownloadReadAttempts; ++i) expected.push_back(0x170);
  EXPECT_EQ(d.blockReads, expected);

  rig.Link().Heal();
  d = RunDownload(rig);
  std::vector<std::string> all;
  for (int a = 0x1E0; a >= 0x120; a -= 16) all.push_back(AddressText(a));
  EXPECT_EQ(Addresses(d.rows), all);
}

TEST(HistoryDownload, AStationThatStopsAnsweringEndsTheWalkSoon) {
  StationRig rig;
  rig.FillRing(4080, 0x1F0);
  rig.Link().FailAllReadsBelow(0x1D0);  // the header and the first block still come
  Download d = RunDownload(rig);
  EXPECT_EQ(d.count, 0);
  EXPECT_EQ(d.end, DownloadEnd::kBlockUnreadable);
  EXPECT_EQ(d.blockReads.size(), 1u + kDownloadReadAttempts);

  rig.Link().FailReadsAt(0x0000);
  d = RunDownload(rig);
  EXPECT_EQ(d.end, DownloadEnd::kHeaderUnreadable);
  EXPECT_TRUE(d.blockReads.empty());
}

TEST(HistoryDownload, ImplausibleRecordsAreSkippedAfterOneReRead) {
  StationRig rig;
  rig.FillRing(16, 0x1F0);
  testing::RecordBytes bad = MakeRecord(5, 1);
  bad[1] = 150;  // indoor humidity out of range
  rig.PutRecord(0x1D0, bad);
  Download d = RunDownload(rig);
  ASSERT_EQ(d.count, 14);
  EXPECT_EQ(d.rows[0][row::stationAddress], "0001E0");
  EXPECT_EQ(d.rows[1][row::stationAddress], "0001C0");
  // The skipped record's five minutes passed all the same.
  EXPECT_EQ(d.rows[1][row::recordTime], "2026-03-01 11:50:00");
  EXPECT_EQ(d.blockReads.front(), 0x1D0);
  EXPECT_EQ(d.blockReads[1], 0x1D0);  // the one re-read
  EXPECT_EQ(d.blockReads.size(), 9u);
  EXPECT_EQ(d.progress.back(), "15 Data has been read. ...");

  // Continuing the file: a skipped record counts its own interval byte, or
  // the station's logging interval (5) when that byte is out of range.
  for (const auto& [byte, newest] :
       {std::pair{7, "10:13:00"}, std::pair{0, "10:11:00"}, std::pair{250, "10:11:00"}}) {
    StationRig stored;
    stored.FillRing(16, 0x1F0, {3});
    ASSERT_TRUE(stored.File().AppendRows({Stored(stored, 0x1B0, "2026-03-01 10:00:00")}));
    bad = MakeRecord(byte, 1);
    bad[1] = 150;
    stored.PutRecord(0x1D0, bad);
    d = RunDownload(stored);
    ASSERT_EQ(Addresses(d.rows), (std::vector<std::string>{"0001E0", "0001C0"})) << byte;
    EXPECT_EQ(d.rows[1][row::recordTime], "2026-03-01 10:03:00");
    EXPECT_EQ(d.rows[0][row::recordTime], std::string("2026-03-01 ") + newest) << byte;
  }
}

TEST(HistoryDownload, AStoredTimeUnreadableOrAheadOfNowCountsBackFromNow) {
  for (const char* time : {"2026-03-01 1O:00:00", "2026-03-01", "2100-01-01 00:00:00"}) {
    StationRig rig;
    rig.FillRing(16, 0x1F0);
    ASSERT_TRUE(rig.File().AppendRows({Stored(rig, 0x1C0, time)}));
    Download d = RunDownload(rig);
    ASSERT_EQ(d.count, 2) << time;
    EXPECT_EQ(d.rows[0][row::recordTime], "2026-03-01 12:00:00") << time;
    EXPECT_EQ(d.rows[1][row::recordTime], "2026-03-01 11:55:00") << time;
  }
}

// The PC was off for longer than the ring holds: the stored record's slot now
// holds a newer one. Every record of the ring is new, timed back from now.
TEST(HistoryDownload, ARingWrittenOverSinceTheLastStoredRecordIsTakenWhole) {
  StationRig rig;
  rig.FillRing(4080, 0x1F0);
  HistoryRow gone = Stored(rig, 0x1B0, "2026-02-10 10:00:00");
  gone[row::rawBytes] = "05 2D D7 00 50 20 80 24 27 0C 18 00 64 00 00 00 ";
  ASSERT_TRUE(rig.File().AppendRows({gone}));
  Download d = RunDownload(rig);
  EXPECT_EQ(d.end, DownloadEnd::kLapped);
  ASSERT_EQ(d.count, 4079);
  EXPECT_EQ(d.rows[3][row::stationAddress], "0001B0");
  EXPECT_EQ(d.rows[0][row::recordTime], "2026-03-01 12:00:00");
  EXPECT_EQ(d.rows[4078][row::recordTime], test::LocalStamp(rig.Clock().Now() - 4078 * 5 * 60));
  EXPECT_EQ(d.blockReads[0], 0x1D0);
  EXPECT_EQ(d.blockReads[1], 0x1B0);
  EXPECT_EQ(d.blockReads[2], 0x1B0);  // read once more before the stored record is given up

  // Without stored bytes the address alone tells, as before.
  StationRig bare;
  bare.FillRing(4080, 0x1F0);
  gone[row::rawBytes] = "";
  ASSERT_TRUE(bare.File().AppendRows({gone}));
  d = RunDownload(bare);
  EXPECT_EQ(d.end, DownloadEnd::kDone);
  EXPECT_EQ(Addresses(d.rows), (std::vector<std::string>{"0001E0", "0001D0", "0001C0"}));
}

// The station's pointer went back a few slots: the records the file holds are
// not brought again.
TEST(HistoryDownload, RecordsTheFileHoldsAreNeverTakenAgain) {
  StationRig rig;
  rig.FillRing(4080, 0x1F0);
  Download d = RunDownload(rig);
  ASSERT_EQ(d.count, 4079);
  ASSERT_TRUE(rig.File().AppendRows(d.rows));
  rig.SetCurrent(0x1B0);
  d = RunDownload(rig);
  EXPECT_EQ(d.end, DownloadEnd::kDone);
  EXPECT_EQ(Addresses(d.rows), (std::vector<std::string>{"0001F0"}));  // the one not stored yet
}

TEST(HistoryDownload, CancelTakesNothing) {
  StationRig rig;
  rig.FillRing(16, 0x1F0);
  HistoryRowArray rows;
  int polls = 0;
  DownloadContext context{rig.Device(), rig.File(), rig.Text(), false, rig.Clock().Now(), {},
                          [&polls] { return ++polls > 3; }};
  DownloadEnd end = DownloadEnd::kDone;
  EXPECT_EQ(DownloadHistory(rows, context, &end), 0);
  EXPECT_EQ(end, DownloadEnd::kCancelled);
  EXPECT_TRUE(rows.empty());
}

}  // namespace
}  // namespace skyvane
