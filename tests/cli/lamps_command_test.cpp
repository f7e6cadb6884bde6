// skyvane-cli lamps against a virtual-station image.
#include <gtest/gtest.h>

#include <string>

#include "cli/cli_test_support.h"
#include "core/monitor/alarm_evaluation.h"
#include "core/monitor/station_rig.h"
#include "core/transfer/station_memory.h"

namespace skyvane {
namespace {

using test::RunCliProgram;
using test::ScratchFolder;

TEST(LampsCommand, PrintsAllTwentyThreeLamps) {
  ScratchFolder folder;
  StationMemory memory;
  testing::WriteFixedBlocks(memory);
  testing::FillRing(memory, 16, 0x1F0);
  memory.Set(0x15, 0x20 | 0x10);  // indoor humidity high and low enabled
  memory.Set(0x30, 50);           // high at 50 %: the reading is 70
  memory.Set(0x31, 35);           // low at 35 %
  const auto image = folder / "station.img";
  std::string error;
  ASSERT_TRUE(memory.Save(image, error)) << error;
  test::CliRun run =
      RunCliProgram({"--folder", folder.path().string(), "--station-image", image.string(), "lamps"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::string expected = "1\tIndoor humidity HI\ttriggered\n2\tIndoor humidity LO\tarmed\n";
  for (int i = 3; i <= kLampCount; ++i) {
    expected += std::to_string(i) + "\t" + std::string(LampName(i)) + "\tdisabled\n";
  }
  EXPECT_EQ(run.out, expected);
}

}  // namespace
}  // namespace skyvane
