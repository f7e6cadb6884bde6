// skyvane-cli setup, alarm and scope: the built program against test mode and
// a station image file (whose bytes are checked after each save), and the
// commands in-process for a station that stops answering.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "core/station/test_image.h"

namespace skyvane {
namespace {

using test::CliRun;
using test::RunCliProgram;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

bool HasLine(const std::string& text, const std::string& line) {
  const auto lines = Lines(text);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A program folder and a 64 KiB station image holding the test image.
class ImageRig {
 public:
  ImageRig() {
    std::vector<char> image(0x10000, 0);
    std::copy(TestImage.begin(), TestImage.end(), image.begin());
    Write(image);
  }
  void Put(std::size_t address, const std::vector<std::uint8_t>& bytes) {
    std::string image = Image();
    for (std::size_t i = 0; i < bytes.size(); ++i) image[address + i] = static_cast<char>(bytes[i]);
    Write(std::vector<char>(image.begin(), image.end()));
  }
  std::vector<std::uint8_t> Get(std::size_t address, std::size_t count) const {
    const std::string image = Image();
    return std::vector<std::uint8_t>(image.begin() + static_cast<long>(address),
                                     image.begin() + static_cast<long>(address + count));
  }
  std::string Image() const { return test::ReadFileBytes(file_); }
  CliRun Run(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--folder", folder_.path().string(), "--station-image", file_.string()});
    return RunCliProgram(args);
  }

 private:
  void Write(const std::vector<char>& image) {
    std::ofstream(file_, std::ios::binary | std::ios::trunc)
        .write(image.data(), static_cast<std::streamsize>(image.size()));
  }
  test::ScratchFolder folder_;
  std::filesystem::path file_ = folder_ / "station.img";
};

CliRun RunTestMode(const std::vector<std::string>& command) {
  test::ScratchFolder folder;
  std::vector<std::string> args{"--folder", folder.path().string(), "--test-mode"};
  args.insert(args.end(), command.begin(), command.end());
  return RunCliProgram(args);
}

TEST(SetupCommand, PrintsEveryControlInTestMode) {
  const CliRun r = RunTestMode({"setup"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.err, "");
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 39u);
  EXPECT_EQ(lines[0], "time-zone\t+1");
  EXPECT_EQ(lines[1], "interval\t5\tMinute");
  EXPECT_EQ(lines[2], "unit-indoor-temperature\t°C");
  EXPECT_EQ(lines[4], "unit-pressure\tHpa");
  EXPECT_EQ(lines[5], "unit-wind-speed\tkm/h");
  EXPECT_EQ(lines[6], "unit-rainfall\tmm");
  EXPECT_EQ(lines[7], "display-format\tFull Date");
  EXPECT_EQ(lines[14], "display-rainfall\tHour");
  EXPECT_EQ(lines[15], "alarm-enable-time\t0");
  EXPECT_EQ(lines[16], "alarm-enable-wind-direct\t1");
  EXPECT_EQ(lines[17], "alarm-enable-indoor-humidity-low\t0");
  EXPECT_EQ(lines[36], "alarm-enable-dewpoint-high\t1");
  EXPECT_EQ(lines[37], "pressure-relative\t1013.2\tHpa");
  EXPECT_EQ(lines[38], "pressure-absolute\t1009.5\tHpa");
}

TEST(SetupCommand, PressureUnitChangeRescalesTheStoredThresholds) {
  ImageRig rig;
  const CliRun r = rig.Run({"setup", "unit-pressure=inHg"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(rig.Get(0x11, 1), std::vector<std::uint8_t>{0x40});
  EXPECT_EQ(rig.Get(0x1A, 1), std::vector<std::uint8_t>{0xAA});
  EXPECT_EQ(rig.Get(0x20, 4), (std::vector<std::uint8_t>{0xB0, 0x0B, 0xA5, 0x0B}));
  EXPECT_EQ(rig.Get(0x44, 8), (std::vector<std::uint8_t>{0xFF, 0x0B, 0x13, 0x0B, 0xFF, 0x0B, 0x13, 0x0B}));

  const CliRun shown = rig.Run({"setup"});
  EXPECT_TRUE(HasLine(shown.out, "pressure-relative\t29.92\tinHg")) << shown.out;
  const CliRun alarms = rig.Run({"alarm"});
  EXPECT_TRUE(HasLine(alarms.out, "relative-pressure-high\t30.71\tinHg")) << alarms.out;
}

TEST(SetupCommand, SetsListsByTextOrPositionAndChecksLikeTheDialog) {
  ImageRig rig;
  CliRun r = rig.Run({"setup", "time-zone=-5", "unit-indoor-temperature=F", "display-rainfall=4",
                      "display-format=Alarm Time", "alarm-enable-time=1", "interval=240",
                      "pressure-relative=1020"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(rig.Get(0x10, 9), (std::vector<std::uint8_t>{240, 0x21, 0x02, 0x80, 0x81, 0x06, 0xFF, 0xFF, 0x85}));
  EXPECT_EQ(rig.Get(0x20, 2), (std::vector<std::uint8_t>{0xD8, 0x27}));
  EXPECT_EQ(rig.Get(0x32, 2), (std::vector<std::uint8_t>{0xA8, 0x02}));  // 20.0 °C = 68.0 °F

  const std::string before = rig.Image();
  r = rig.Run({"setup", "interval=4"});
  EXPECT_EQ(r.status, kExitFailure);
  EXPECT_EQ(r.err, "skyvane-cli: interval: Please enter an integer between 5 and 240.\n");
  r = rig.Run({"setup", "pressure-relative=1200"});
  EXPECT_EQ(r.status, kExitFailure);
  EXPECT_EQ(r.err, "skyvane-cli: pressure-relative: Please enter a number between 500 and 1100.\n");
  EXPECT_EQ(rig.Image(), before);

  for (const char* bad : {"bogus=1", "pressure-absolute=1000", "unit-pressure=bar", "interval",
                          "alarm-enable-time=2", "display-day=2", "time-zone=+13"}) {
    r = rig.Run({"setup", bad});
    EXPECT_EQ(r.status, kExitUsage) << bad;
    EXPECT_NE(r.err, "") << bad;
  }
  EXPECT_EQ(rig.Image(), before);
}

TEST(SetupCommand, HelpListsEveryName) {
  const CliRun r = RunTestMode({"setup", "--help"});
  ASSERT_EQ(r.status, kExitOk);
  for (const char* name : {"time-zone", "interval", "unit-outdoor-temperature", "unit-pressure",
                           "display-velocity", "alarm-enable-hour-rainfall-high",
                           "alarm-enable-dewpoint-high", "pressure-relative", "pressure-absolute"}) {
    EXPECT_NE(r.out.find("  " + std::string(name) + "  "), std::string::npos) << name;
  }
}

// The names a help text lists: the first word of each line indented by two blanks.
std::vector<std::string> HelpNames(const std::string& help) {
  std::vector<std::string> names;
  for (const std::string& line : Lines(help)) {
    if (line.size() < 3 || line.compare(0, 2, "  ") != 0 || line[2] == ' ') continue;
    names.push_back(line.substr(2, line.find(' ', 2) - 2));
  }
  return names;
}

TEST(SettingsCommands, HelpListsExactlyTheNamesTheCommandsPrint) {
  for (const char* command : {"setup", "alarm", "scope"}) {
    const CliRun shown = RunTestMode({command});
    ASSERT_EQ(shown.status, kExitOk) << command << ": " << shown.err;
    std::vector<std::string> printed;
    for (const std::string& line : Lines(shown.out)) printed.push_back(line.substr(0, line.find('\t')));
    const CliRun help = RunTestMode({command, "--help"});
    ASSERT_EQ(help.status, kExitOk) << command;
    EXPECT_EQ(HelpNames(help.out), printed) << command;
  }
}

TEST(SetupCommand, TemperatureUnitsByTheirTextOrLetter) {
  ImageRig rig;
  CliRun r = rig.Run({"setup", "unit-outdoor-temperature=°F", "unit-indoor-temperature=f"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(rig.Get(0x11, 1), std::vector<std::uint8_t>{0x23});
  EXPECT_EQ(rig.Get(0x3A, 2), (std::vector<std::uint8_t>{0x8C, 0x00}));  // -10.0 °C = 14.0 °F
  r = rig.Run({"setup", "unit-outdoor-temperature=C", "unit-indoor-temperature=°C"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(rig.Get(0x11, 1), std::vector<std::uint8_t>{0x20});
  EXPECT_EQ(rig.Get(0x3A, 2), (std::vector<std::uint8_t>{0x64, 0x80}));
  EXPECT_EQ(rig.Get(0x32, 2), (std::vector<std::uint8_t>{0xC8, 0x00}));
}

TEST(SetupCommand, AFailedWriteEndsWithItsMessageAndStatusOne) {
  test::InProcessCli cli;
  cli.Station().Memory().Write(0, TestImage.data(), static_cast<int>(TestImage.size()));
  cli.Device().UpdateConnection();
  // Opening and the save each read the header (one command) and the alarm
  // block (two); then the header write is refused.
  cli.Station().RefuseReportsAfter(6);
  EXPECT_EQ(cli.Run("setup", {"interval=30"}), kExitFailure);
  EXPECT_EQ(cli.Err(), "skyvane-cli: Save weather setup data fail!\n");
  std::vector<std::uint8_t> header(32);
  cli.Station().Memory().Read(0, header.data(), 32);
  EXPECT_TRUE(std::equal(header.begin(), header.end(), TestImage.begin()));
}

TEST(AlarmCommand, PrintsTheTestImageInItsUnits) {
  const CliRun r = RunTestMode({"alarm"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 25u);
  EXPECT_EQ(lines[0], "time-hour\t13");
  EXPECT_EQ(lines[1], "time-minute\t30");
  EXPECT_EQ(lines[2], "indoor-humidity-high\t65\t%");
  EXPECT_EQ(lines[6], "indoor-temperature-high\t20.0\t°C");
  EXPECT_EQ(lines[7], "indoor-temperature-low\t0.0\t°C");
  EXPECT_EQ(lines[9], "outdoor-temperature-low\t-10.0\t°C");
  EXPECT_EQ(lines[16], "relative-pressure-high\t1040.0\tHpa");
  EXPECT_EQ(lines[18], "wind-high\t18.0\tkm/h");
  EXPECT_EQ(lines[19], "wind-level\t0\tbft");
  EXPECT_EQ(lines[23], "rain-high-24-hour\t50.0\tmm");
  EXPECT_EQ(lines[24], "wind-direct\tN");
}

TEST(AlarmCommand, WritesTheThresholdsAsTheDialogDoes) {
  ImageRig rig;
  rig.Put(0x3A, {0x00, 0x00});
  rig.Put(0x12, {0x01});  // wind in m/s
  CliRun r = rig.Run({"alarm", "outdoor-temperature-low=-10.0", "time-hour=7", "time-minute=5",
                      "wind-high=20", "gust-level=3", "wind-direct=sw"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(rig.Get(0x3A, 2), (std::vector<std::uint8_t>{0x64, 0x80}));
  EXPECT_EQ(rig.Get(0x57, 2), (std::vector<std::uint8_t>{0x07, 0x05}));
  // Wind 20 m/s with level 8; gust level 3 with 5.4 m/s; direction 10.
  EXPECT_EQ(rig.Get(0x4C, 7), (std::vector<std::uint8_t>{8, 200, 0, 3, 54, 0, 10}));
  EXPECT_EQ(rig.Get(0x20, 4), (std::vector<std::uint8_t>{0x94, 0x27, 0x6F, 0x27}));
  EXPECT_EQ(rig.Get(0x1A, 1), std::vector<std::uint8_t>{0xAA});

  // Both of a pair given: neither is recomputed, also when one of them is the
  // value the station already holds.
  r = rig.Run({"alarm", "wind-high=20", "wind-level=5"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(rig.Get(0x4C, 3), (std::vector<std::uint8_t>{5, 200, 0}));
  r = rig.Run({"alarm", "wind-high=30", "wind-level=5"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(rig.Get(0x4C, 3), (std::vector<std::uint8_t>{5, 0x2C, 0x01}));

  // A wind unit code of none of the five units: the speed stands as given.
  ImageRig unknownUnit;
  unknownUnit.Put(0x12, {0x20});
  r = unknownUnit.Run({"alarm", "gust-high=28.9", "gust-level=0"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(unknownUnit.Get(0x4F, 3), (std::vector<std::uint8_t>{0, 0x21, 0x01}));
}

TEST(AlarmCommand, ChecksAndUsageErrorsWriteNothing) {
  ImageRig rig;
  const std::string before = rig.Image();
  CliRun r = rig.Run({"alarm", "time-hour=24"});
  EXPECT_EQ(r.status, kExitFailure);
  EXPECT_EQ(r.err, "skyvane-cli: time-hour: Please enter an integer between 0 and 23.\n");
  r = rig.Run({"alarm", "gust-high=180.5"});
  EXPECT_EQ(r.status, kExitFailure);
  EXPECT_EQ(r.err, "skyvane-cli: gust-high: Please enter a number between 0 and 180.\n");
  for (const char* bad : {"wind-direct=XYZ", "nothing=1", "time-hour"}) {
    r = rig.Run({"alarm", bad});
    EXPECT_EQ(r.status, kExitUsage) << bad;
  }
  EXPECT_EQ(rig.Image(), before);
  r = rig.Run({"alarm", "--help"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_NE(r.out.find("  rain-high-24-hour  number, mm"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  wind-direct  N, NNE"), std::string::npos) << r.out;
}

TEST(AlarmCommand, FailedFreshReadWritesNothing) {
  test::InProcessCli cli;
  cli.Station().Memory().Write(0, TestImage.data(), static_cast<int>(TestImage.size()));
  cli.Device().UpdateConnection();
  cli.Station().RefuseReportsAfter(3);  // opening reads three blocks; the save's read fails
  EXPECT_EQ(cli.Run("alarm", {"time-hour=7"}), kExitFailure);
  EXPECT_EQ(cli.Err(), "skyvane-cli: Read weather alarm data fail!\n");
  std::vector<std::uint8_t> block(64);
  cli.Station().Memory().Read(0x20, block.data(), 64);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), TestImage.begin() + 0x20));
}

TEST(ScopeCommand, PrintsTheExtremesInTestMode) {
  const CliRun r = RunTestMode({"scope"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[0], "indoor-humidity-maximum\t70 %\t01-01-2007 12:00");
  EXPECT_EQ(lines[1], "indoor-humidity-minimum\t64 %\t01-01-2007 12:00");
  EXPECT_EQ(lines[14], "relative-pressure-maximum\t1013.1 Hpa\t01-01-2007 12:00");
  EXPECT_EQ(lines[16], "wind-maximum\t67.0 km/h\t01-01-2007 12:00");
  EXPECT_EQ(lines[22], "rain-maximum-total\t4502.0 mm\t01-01-2007 12:00");
}

}  // namespace
}  // namespace skyvane
