// The logger's LiveState file: what it writes reads back, anything else is not
// read at all, and the keeper writes it only when what it says changed.
#include "core/publish/http/live_state.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/publish/http/live_state_keeper.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

LiveState Sample() {
  LiveState state;
  state.units[hdr::kUnitWind] = "km/h";
  state.units[hdr::kUnitPressure] = "inHg";
  state.units[hdr::kUnitOutdoorTemp] = "°F";
  state.lamps[0] = LampState::kArmed;
  state.lamps[22] = LampState::kTriggered;
  state.seen = 1714972089;
  return state;
}

TEST(LiveState, WhatIsWrittenReadsBackAndNothingElseIsRead) {
  const std::string text = LiveStateText(Sample());
  LiveState back;
  ASSERT_TRUE(ParseLiveState(text, back)) << text;
  EXPECT_TRUE(back.SameAs(Sample()));
  EXPECT_EQ(back.seen, 1714972089);
  EXPECT_EQ(back.units[hdr::kUnitWind], "km/h");

  auto replaced = [&text](const std::string& from, const std::string& to) {
    std::string t = text;
    t.replace(t.find(from), from.size(), to);
    return t;
  };
  const std::string hostile[] = {
      "",
      text.substr(0, text.size() - 1),                      // torn: no last line end
      text.substr(0, text.find("alarm.rain_24h_high")),     // a lamp missing
      replaced("unit_wind=km/h", "unit_wind=furlongs"),     // a unit the station has not
      replaced("unit_wind=km/h", "unit_wind=°C"),           // a unit of another quantity
      replaced("=triggered", "=off\x1b[2J"),
      replaced("seen=1714972089", "seen=-5"),
      replaced("seen=1714972089", "seen=99999999999999999999"),
      text + "extra=1\n",
      text + "no equals sign\n",
  };
  for (const std::string& bad : hostile) {
    LiveState untouched = Sample();
    EXPECT_FALSE(ParseLiveState(bad, untouched)) << bad;
    EXPECT_EQ(untouched.seen, 1714972089);
  }

  test::ScratchFolder folder;
  LiveState loaded;
  EXPECT_FALSE(LoadLiveState((folder / "none").string(), loaded));
  EXPECT_FALSE(LoadLiveState(folder.path().string(), loaded));  // a directory
  std::ofstream(folder / "big") << text << std::string(5000, '#');
  EXPECT_FALSE(LoadLiveState((folder / "big").string(), loaded));
  std::ofstream(folder / "good") << text;
  EXPECT_TRUE(LoadLiveState((folder / "good").string(), loaded));
}

// The file's inode: a new one for every write, as the keeper replaces the file.
ino_t Inode(const std::filesystem::path& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(LiveStateKeeper, WritesAfterACycleThatReadTheStationWhenTheStateChanged) {
  test::ScratchFolder folder;
  const std::filesystem::path path = folder / kLiveStateFileName;
  std::vector<std::string> problems;
  LiveStateKeeper keeper(path.string(), [&problems](const std::string& line) { problems.push_back(line); });
  HeaderRecord header;
  header[hdr::kUnitWind] = "km/h";
  LampStates lamps{};
  auto cycle = [&](std::time_t readTime, StationSeen seen) {
    keeper.OnLiveValues(HistoryRow(), header);
    keeper.OnReading(HistoryRow(), lamps, readTime);
    keeper.OnCycleEnded(seen);
  };
  auto written = [&path]() {
    LiveState state;
    for (int i = 0; i < 500 && !LoadLiveState(path.string(), state); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return state;
  };
  cycle(1000, StationSeen::kNotRead);
  keeper.OnCycleEnded(StationSeen::kRead);  // a cycle without a reading of its own
  cycle(2000, StationSeen::kRead);
  EXPECT_EQ(written().seen, 2000);
  keeper.Stop();  // every write is done
  const ino_t first = Inode(path);
  EXPECT_EQ(written().units[hdr::kUnitWind], "km/h");

  LiveStateKeeper again(path.string(), nullptr);
  auto cycleAgain = [&](std::time_t readTime) {
    again.OnLiveValues(HistoryRow(), header);
    again.OnReading(HistoryRow(), lamps, readTime);
    again.OnCycleEnded(StationSeen::kRead);
  };
  cycleAgain(3000);
  again.Stop();
  EXPECT_NE(Inode(path), first);
  EXPECT_EQ(written().seen, 3000);
  EXPECT_TRUE(problems.empty());
}

TEST(LiveStateKeeper, TheSameStateIsNotWrittenAgainUntilItsTimeIsAnHourOld) {
  test::ScratchFolder folder;
  const std::filesystem::path path = folder / kLiveStateFileName;
  LiveStateKeeper keeper(path.string(), nullptr);
  LampStates lamps{};
  std::vector<ino_t> inodes;
  // The time the file names once the keeper has written what it would.
  auto cycle = [&](std::time_t readTime) {
    keeper.OnLiveValues(HistoryRow(), HeaderRecord());
    keeper.OnReading(HistoryRow(), lamps, readTime);
    keeper.OnCycleEnded(StationSeen::kRead);
    LiveState state;
    for (int i = 0; i < 500; ++i) {
      if (LoadLiveState(path.string(), state) && state.lamps == lamps) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return state.seen;
  };
  EXPECT_EQ(cycle(10000), 10000);
  EXPECT_EQ(cycle(10015), 10000);  // nothing changed
  lamps[4] = LampState::kArmed;
  EXPECT_EQ(cycle(10030), 10030);  // a lamp changed
  EXPECT_EQ(cycle(10030 + 3599), 10030);
  keeper.Stop();
  LiveState state;
  ASSERT_TRUE(LoadLiveState(path.string(), state));
  EXPECT_EQ(state.seen, 10030);
}

TEST(LiveStateKeeper, AFileThatCannotBeWrittenIsToldOnce) {
  test::ScratchFolder folder;
  std::vector<std::string> problems;
  const std::string path = (folder / "missing" / kLiveStateFileName).string();
  {
    LiveStateKeeper keeper(path, [&problems](const std::string& line) { problems.push_back(line); });
    for (std::time_t t : {100, 200, 300}) {
      keeper.OnLiveValues(HistoryRow(), HeaderRecord());
      keeper.OnReading(HistoryRow(), LampStates{}, t);
      keeper.OnCycleEnded(StationSeen::kRead);
    }
  }
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].rfind(path + ": cannot be written", 0), 0u) << problems[0];
}

}  // namespace
}  // namespace skyvane
