// skyvane-cli dump, and the global options and exit statuses it shows.
#include <gtest/gtest.h>

#include <fstream>

#include "cli_test_support.h"

namespace skyvane {
namespace {

using test::RunCliProgram;

std::filesystem::path WriteImage(const test::ScratchFolder& folder, std::size_t size) {
  const auto file = folder / "station.img";
  std::ofstream out(file, std::ios::binary);
  for (std::size_t i = 0; i < size; ++i) out.put(static_cast<char>((i * 3 + (i >> 8)) & 0xFF));
  return file;
}

TEST(CliDump, TestFlagInTheConfigurationSelectsTestMode) {
  test::ScratchFolder folder;
  std::ofstream(folder / "Skyvane.ini") << "[communication]\r\nTestFlag=TRUE\r\n";
  const auto run = RunCliProgram({"--folder", folder.path(), "dump", "0x1F0", "16"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "01F0: 05 39 50 02 40 88 81 0A 27 34 C0 00 0A D3 2A 00\n");
}

TEST(CliDump, StationImageGoesThroughTheReportProtocol) {
  test::ScratchFolder folder;
  const auto image = WriteImage(folder, 0x10000);
  const auto run =
      RunCliProgram({"--folder", folder.path(), "--station-image", image, "--trace", "dump", "0", "20"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "0000: 00 03 06 09 0C 0F 12 15 18 1B 1E 21 24 27 2A 2D\n"
            "0010: 30 33 36 39\n");
  EXPECT_EQ(run.err,
            "-> A1 00 00 20 A1 00 00 20\n"
            "<- 00 03 06 09 0C 0F 12 15\n"
            "<- 18 1B 1E 21 24 27 2A 2D\n"
            "<- 30 33 36 39 3C 3F 42 45\n"
            "<- 48 4B 4E 51 54 57 5A 5D\n");
}

TEST(CliDump, AddressesWrapAtTheEndOfMemory) {
  test::ScratchFolder folder;
  const auto image = WriteImage(folder, 0x10000);
  const auto run = RunCliProgram({"--station-image", image, "dump", "65528", "0x10"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "FFF8: E7 EA ED F0 F3 F6 F9 FC 00 03 06 09 0C 0F 12 15\n");
  const auto two = RunCliProgram({"--station-image", image, "dump", "0xFFF0", "20"});
  EXPECT_EQ(two.out, "FFF0: CF D2 D5 D8 DB DE E1 E4 E7 EA ED F0 F3 F6 F9 FC\n0000: 00 03 06 09\n");
}

TEST(CliDump, BadImagesAreClearErrors) {
  test::ScratchFolder folder;
  auto run = RunCliProgram({"--station-image", folder / "missing.img", "dump", "0", "32"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("missing.img: no such station image"), std::string::npos) << run.err;

  const auto shortImage = WriteImage(folder, 0xFFFF);
  run = RunCliProgram({"--station-image", shortImage, "dump", "0", "32"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("65535 bytes, a station image must be exactly 65536 bytes"), std::string::npos)
      << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
}

TEST(CliDump, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--test-mode"},
      {"--test-mode", "frobnicate"},
      {"--bogus", "dump", "0", "1"},
      {"--folder"},
      {"--test-mode", "--station-image", "x.img", "dump", "0", "1"},
      {"--test-mode", "dump", "0"},
      {"--test-mode", "dump", "0", "1", "2"},
      {"--test-mode", "dump", "0x10000", "1"},
      {"--test-mode", "dump", "-1", "1"},
      {"--test-mode", "dump", "0", "0"},
      {"--test-mode", "dump", "0", "65537"},
      {"--test-mode", "dump", "0x", "1"},
      {"--test-mode", "dump", "12abc", "1"},
      {"--test-mode", "dump", "0", "0x1G"},
  };
  for (const auto& args : bad) {
    const auto run = RunCliProgram(args);
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    EXPECT_EQ(run.status, 2) << joined;
    EXPECT_EQ(run.out, "") << joined;
    EXPECT_FALSE(run.err.empty()) << joined;
  }
}

TEST(CliGlobal, HelpListsTheCommandsAndVersionPrintsIt) {
  auto run = RunCliProgram({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("--station-image FILE"), std::string::npos);
  for (const auto& command : CliCommands()) {
    EXPECT_NE(run.out.find(command.synopsis), std::string::npos) << command.name;
  }
  run = RunCliProgram({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("skyvane-cli ") + SKYVANE_VERSION + "\n");
}

TEST(CliDumpInProcess, UnreadableStationExitsWithOneAndOneLine) {
  test::InProcessCli cli;
  cli.Station().DropDataReport(6);  // second block, second report
  EXPECT_EQ(cli.Run("dump", {"0x100", "64"}), kExitFailure);
  EXPECT_EQ(cli.Out(), "");
  EXPECT_EQ(cli.Err(), "skyvane-cli: station memory could not be read at 0x0120 (32 of 64 bytes)\n");
  EXPECT_FALSE(cli.Device().DeviceBusy());  // released on the failure path too
}

TEST(CliDumpInProcess, NoStationAndBusyLink) {
  test::InProcessCli cli;
  cli.Station().Unplug();
  EXPECT_EQ(cli.Run("dump", {"0", "16"}), kExitFailure);
  EXPECT_EQ(cli.Err(), "skyvane-cli: no weather station found\n");

  test::InProcessCli german;
  german.Text().SetLanguageIndex(1);
  german.Device().DeviceBusy() = true;  // another party holds the link: three 1 s waits, then give up
  EXPECT_EQ(german.Run("dump", {"0", "16"}), kExitFailure);
  EXPECT_EQ(german.Err(), "skyvane-cli: Can't communicate with Gerät!\n");
  EXPECT_TRUE(german.Device().DeviceBusy());  // still the other party's
}

TEST(CliDumpInProcess, ReadsTheVirtualStation) {
  test::InProcessCli cli;
  for (int a = 0; a < 32; ++a) cli.Station().Memory().Set(static_cast<std::uint16_t>(0x40 + a), static_cast<std::uint8_t>(0xF0 + a / 2));
  EXPECT_EQ(cli.Run("dump", {"0x40", "17"}), kExitOk);
  EXPECT_EQ(cli.Out(),
            "0040: F0 F0 F1 F1 F2 F2 F3 F3 F4 F4 F5 F5 F6 F6 F7 F7\n"
            "0050: F8\n");
}

}  // namespace
}  // namespace skyvane
