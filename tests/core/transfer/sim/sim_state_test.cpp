#include "core/transfer/sim/sim_state.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/scratch_folder.h"

namespace skyvane::sim {
namespace {

TEST(SimState, SavedStateLoadsBackAsItWas) {
  test::ScratchFolder folder;
  SimState s;
  s.seed = 18446744073709551615ULL;
  s.stationTime = 1700000100;
  s.savedAtMs = 1700000000123;
  s.slotStart = 1700000000;
  s.lastRefresh = 1700000096;
  s.rainTotal = 70000;
  s.counterBase = 65506;
  s.monthKey = 202311;
  s.monthStartTotal = 69000;
  s.relativeOffset = -35;
  std::string error;
  ASSERT_TRUE(SaveSimState(folder / "station.state", s, error)) << error;
  EXPECT_EQ(test::ReadFileBytes(folder / "station.state"),
            "# state of the simulated weather station; its memory is the image beside it\n"
            "seed=18446744073709551615\nstationTime=1700000100\nsavedAtMs=1700000000123\n"
            "slotStart=1700000000\nlastRefresh=1700000096\nrainTotal=70000\ncounterBase=65506\n"
            "monthKey=202311\nmonthStartTotal=69000\nrelativeOffset=-35\n");
  SimState back;
  ASSERT_TRUE(LoadSimState(folder / "station.state", back, error)) << error;
  EXPECT_EQ(back.seed, s.seed);
  EXPECT_EQ(back.stationTime, s.stationTime);
  EXPECT_EQ(back.savedAtMs, s.savedAtMs);
  EXPECT_EQ(back.slotStart, s.slotStart);
  EXPECT_EQ(back.lastRefresh, s.lastRefresh);
  EXPECT_EQ(back.rainTotal, s.rainTotal);
  EXPECT_EQ(back.counterBase, s.counterBase);
  EXPECT_EQ(back.monthKey, s.monthKey);
  EXPECT_EQ(back.monthStartTotal, s.monthStartTotal);
  EXPECT_EQ(back.relativeOffset, s.relativeOffset);
  EXPECT_EQ(back.RainCounter(), (65506 + 70000) % 65536) << "the counter wraps";
}

TEST(SimState, BrokenFilesAreRefusedWithTheReasonAndLeaveTheStateAlone) {
  test::ScratchFolder folder;
  const auto file = folder / "station.state";
  SimState state;
  state.seed = 9;
  std::string error;
  EXPECT_FALSE(LoadSimState(file, state, error));
  EXPECT_NE(error.find("cannot be read"), std::string::npos);

  std::ofstream(file) << "seed=1\nstationTime=100\nrainTotal=lots\n";
  EXPECT_FALSE(LoadSimState(file, state, error));
  EXPECT_NE(error.find("line 3 is broken: rainTotal=lots"), std::string::npos) << error;

  std::ofstream(file) << "seed=1\nslotStart=5\n";
  EXPECT_FALSE(LoadSimState(file, state, error));
  EXPECT_NE(error.find("station time missing"), std::string::npos);

  std::ofstream(file) << "seed=1\nstationTime=100\nlastRefresh=200\n";
  EXPECT_FALSE(LoadSimState(file, state, error));
  EXPECT_NE(error.find("out of order"), std::string::npos);
  EXPECT_EQ(state.seed, 9u);

  std::ofstream(file) << "# note\r\nseed=3\r\nstationTime=100\r\nfutureKey=x\r\n";
  EXPECT_TRUE(LoadSimState(file, state, error)) << error;
  EXPECT_EQ(state.seed, 3u);
}

TEST(SimState, SaveIntoAMissingFolderFailsWithoutLeavingFiles) {
  test::ScratchFolder folder;
  std::string error;
  EXPECT_FALSE(SaveSimState(folder / "gone" / "station.state", SimState{}, error));
  EXPECT_NE(error.find("cannot be written"), std::string::npos);
}

}  // namespace
}  // namespace skyvane::sim
