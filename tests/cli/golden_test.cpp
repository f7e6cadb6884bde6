// skyvane-cli against the golden files under tests/data: a station image, the
// exact outputs of the commands on it, and the exact Skyvane.dat of a first log.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "core/app/clock.h"
#include "core/station/test_image.h"
#include "support/golden.h"
#include "support/local_time.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

namespace fs = std::filesystem;
using test::ExpectGolden;
using test::FixedZone;
using test::ReadFileBytes;

// The station image: the test-mode station's 512 bytes, the rest of the 64 KiB zero.
fs::path StationImage() {
  const fs::path image = test::GoldenFolder() / "station.img";
  if (test::UpdatingGoldenFiles()) {
    std::string bytes(0x10000, '\0');
    std::copy(TestImage.begin(), TestImage.end(), bytes.begin());
    test::WriteFileBytes(image, bytes);
  }
  return image;
}

// Each command reads the image through the real program and, the same, the
// built-in test-mode station: both must print the golden text and nothing else.
TEST(CliGolden, ReadOnlyCommandsPrintTheGoldenTexts) {
  const fs::path image = StationImage();
  ASSERT_EQ(ReadFileBytes(image).size(), 0x10000u);
  const std::vector<std::pair<std::string, std::vector<std::string>>> commands{
      {"header", {"header"}},
      {"alarms", {"alarms"}},
      {"alarms-display", {"alarms", "--display"}},
      {"maxmin", {"maxmin"}},
      {"lamps", {"lamps"}},
      {"dump-0-512", {"dump", "0", "512"}},
  };
  for (const auto& [name, args] : commands) {
    test::ScratchFolder folder;
    const fs::path copy = folder / "station.img";  // the program may write back to its image
    fs::copy_file(image, copy);
    std::vector<std::string> imageArgs{"--folder", folder.path().string(), "--station-image", copy.string()};
    imageArgs.insert(imageArgs.end(), args.begin(), args.end());
    const test::CliRun run = test::RunCliProgram(imageArgs);
    EXPECT_EQ(run.status, kExitOk) << name << ": " << run.err;
    EXPECT_EQ(run.err, "") << name;
    ExpectGolden("cli/" + name + ".txt", run.out);
    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(image)) << name << " changed the station";

    std::vector<std::string> testModeArgs{"--folder", folder.path().string(), "--test-mode"};
    testModeArgs.insert(testModeArgs.end(), args.begin(), args.end());
    const test::CliRun testMode = test::RunCliProgram(testModeArgs);
    EXPECT_EQ(testMode.status, kExitOk) << name << ": " << testMode.err;
    EXPECT_EQ(testMode.out, run.out) << name << " in test mode";
    EXPECT_EQ(testMode.err, "") << name << " in test mode";
  }
}

// The commands that stamp "now", run on the image at a fixed time in UTC:
// records and the current reading, then a first log with the data file it
// writes, every byte.
TEST(CliGolden, StampedCommandsAndTheFirstLogAtAFixedTime) {
  const FixedZone utc("UTC0");
  const FixedClock clock(test::LocalTime(2024, 5, 6, 7, 8, 9));
  const std::vector<std::pair<std::string, std::vector<std::string>>> commands{
      {"record-0x100", {"record", "0x100"}},
      {"record-0x1F0", {"record", "0x1F0"}},
      {"current", {"current"}},
      {"current-stored", {"current", "--stored"}},
      {"maxmin-display", {"maxmin", "--display"}},  // repaired with the current reading
      {"log", {"log"}},
  };
  for (const auto& [name, args] : commands) {
    test::InProcessCli cli(clock);
    std::string error;
    ASSERT_TRUE(cli.Station().Memory().Load(StationImage(), error)) << error;
    EXPECT_EQ(cli.Run(args[0], {args.begin() + 1, args.end()}), kExitOk) << name << ": " << cli.Err();
    EXPECT_EQ(cli.Err(), "") << name;
    ExpectGolden("cli/" + name + ".txt", cli.Out());
    if (name == "log") ExpectGolden("Skyvane.dat", ReadFileBytes(cli.Context().folder / "Skyvane.dat"));
  }
}

}  // namespace
}  // namespace skyvane
