// skyvane-cli header, alarms, maxmin and record: the real program against a
// virtual-station image, and the commands in-process for failures (the test
// image's texts are golden files: golden_test.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_setup.h"
#include "cli/cli_test_support.h"
#include "core/app/app_settings.h"
#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/station/device_support.h"
#include "support/scratch_folder.h"

namespace skyvane {
namespace {

namespace fs = std::filesystem;

using test::Field;
using test::Lines;

// Runs skyvane-cli with a private program folder and these space-separated arguments.
test::CliRun RunCli(const test::ScratchFolder& dir, const std::string& args) {
  std::vector<std::string> argv{"--folder", dir.path().string()};
  std::istringstream words(args);
  for (std::string word; words >> word;) argv.push_back(word);
  return test::RunCliProgram(argv);
}

TEST(RecordCommands, VirtualStationImage) {
  test::ScratchFolder dir;
  std::vector<char> image(0x10000, 0);
  image[0x00] = 0x55;
  image[0x01] = static_cast<char>(0xAA);
  image[0x11] = 0x41;                    // °F indoors, inHg
  image[0x12] = 0x00;                    // no wind unit
  image[0x18] = static_cast<char>(0x85);  // time zone -5
  image[0x1E] = 0x00;
  image[0x1F] = 0x30;
  image[0x20 + 18] = 0x2C;  // indoor temperature high 300
  image[0x20 + 19] = 0x01;
  image[0x60 + 40] = 0x05;  // month rain 0x10005
  image[0x60 + 44] = 0x01;
  const unsigned char record[16] = {0x0A, 0xFF, 0x1C, 0x81, 0x63, 0xFF, 0xFF, 0x3F,
                                    0x1F, 0x10, 0x20, 0x21, 0x10, 0x34, 0x12, 0x03};
  std::copy(record, record + 16, image.begin() + 0x3000);
  const fs::path file = dir.path() / "station.img";
  std::ofstream(file, std::ios::binary).write(image.data(), static_cast<std::streamsize>(image.size()));
  const std::string station = "--station-image " + file.string() + " ";

  const test::CliRun h = RunCli(dir, station + "header");
  ASSERT_EQ(h.status, kExitOk) << h.err;
  const auto hl = Lines(h.out);
  ASSERT_EQ(hl.size(), 46u);
  EXPECT_EQ(Field(hl, 1, 6), "°F");
  EXPECT_EQ(Field(hl, 1, 7), "°C");
  EXPECT_EQ(Field(hl, 1, 9), "inHg");
  EXPECT_EQ(hl[9], "10\t");
  EXPECT_EQ(Field(hl, 1, 41), "-5");
  EXPECT_EQ(Field(hl, 1, 46), "12288");

  const test::CliRun a = RunCli(dir, station + "alarms");
  ASSERT_EQ(a.status, kExitOk) << a.err;
  EXPECT_EQ(Field(Lines(a.out), 1, 7), "300");
  EXPECT_EQ(Field(Lines(a.out), 1, 2), "0");

  const test::CliRun m = RunCli(dir, station + "maxmin");
  ASSERT_EQ(m.status, kExitOk) << m.err;
  EXPECT_EQ(Field(Lines(m.out), 1, 24), "65541");
  EXPECT_EQ(Field(Lines(m.out), 1, 26), "2000-00-00 00:00");

  const test::CliRun w = RunCli(dir, station + "record 12288");
  ASSERT_EQ(w.status, kExitOk) << w.err;
  const auto wl = Lines(w.out);
  ASSERT_EQ(wl.size(), 37u);
  const char* expected[] = {"10", "", "-284", "99", "", "", "272", "", "-1", "4660"};
  for (int f = 6; f <= 15; ++f) EXPECT_EQ(Field(wl, 0, f), expected[f - 6]) << "field " << f;
  EXPECT_EQ(Field(wl, 0, 29), "1");
  EXPECT_EQ(Field(wl, 0, 30), "1");
  EXPECT_EQ(Field(wl, 0, 31), "0");
}

TEST(RecordCommands, BadArgumentsAreUsageErrors) {
  test::ScratchFolder dir;
  const std::string recordUsage =
      "skyvane-cli: usage: record ADDR           print the weather record at ADDR, one field a line\n";
  for (const auto& [args, message] : std::vector<std::pair<std::string, std::string>>{
           {"--test-mode record", recordUsage},
           {"--test-mode record 0x10000",
            "skyvane-cli: record: ADDR must be a number from 0 to 0xFFFF, not '0x10000'\n"},
           {"--test-mode record 1 2", recordUsage},
           {"--test-mode record abc", "skyvane-cli: record: ADDR must be a number from 0 to 0xFFFF, not 'abc'\n"},
           {"--test-mode header extra",
            "skyvane-cli: usage: header                print the station's header block, one field a line\n"},
           {"--test-mode alarms --bogus",
            "skyvane-cli: alarms: unknown option '--bogus'\nusage: alarms [--display]    print the station's "
            "alarm block, one field a line (--display: as shown)\n"},
           {"--test-mode maxmin x",
            "skyvane-cli: maxmin: unknown option 'x'\nusage: maxmin [--display]    print the station's "
            "max/min block, one field a line (--display: as shown)\n"}}) {
    const test::CliRun r = RunCli(dir, args);
    EXPECT_EQ(r.status, kExitUsage) << args;
    EXPECT_EQ(r.out, "") << args;
    EXPECT_EQ(r.err, message) << args;
  }
}

// A station that refuses every report: each command fails with one line on stderr.
TEST(RecordCommands, FailedReadsExitWithOneLine) {
  struct FailedRead {
    std::string name;
    std::vector<std::string> args;
    std::string message;
  };
  for (const auto& [name, args, expected] : std::vector<FailedRead>{
           {"header", {}, "skyvane-cli: Read weather setup data fail!\n"},
           {"alarms", {}, "skyvane-cli: Read weather alarm data fail!\n"},
           {"maxmin", {}, "skyvane-cli: Read weather scope data fail!\n"},
           {"record", {"0x100"}, "skyvane-cli: the weather record at 0x0100 could not be read\n"}}) {
    test::VirtualDevice v;
    v.station->RefuseReportsAfter(0);
    std::ostringstream out;
    std::ostringstream err;
    AppSettings settings;
    TextTable text(0);
    SystemClock clock;
    CliContext ctx{{}, settings, text, *v.device, clock, out, err};
    const CliCommand* command = FindCommand(name);
    ASSERT_NE(command, nullptr) << name;
    EXPECT_EQ(command->run(ctx, args), kExitFailure) << name;
    EXPECT_EQ(out.str(), "") << name;
    EXPECT_EQ(err.str(), expected) << name;
    EXPECT_FALSE(v.device->DeviceBusy().load()) << name;  // released on failure
  }
}

}  // namespace
}  // namespace skyvane
