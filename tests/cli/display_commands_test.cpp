// skyvane-cli current [--stored], alarms --display and maxmin --display: test
// mode through the real program, other units and failures in-process.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "core/station/test_image.h"

namespace skyvane {
namespace {

using test::InProcessCli;
using test::RunCliProgram;

const std::regex kLocalTime(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The text of field n from "n<TAB>text" lines that start at field `first`.
std::string Field(const std::vector<std::string>& lines, int first, int n) {
  const std::size_t i = static_cast<std::size_t>(n - first);
  if (i >= lines.size()) return "<missing>";
  const std::string prefix = std::to_string(n) + "\t";
  if (lines[i].compare(0, prefix.size(), prefix) != 0) return "<misnumbered: " + lines[i] + ">";
  return lines[i].substr(prefix.size());
}

// Fields 6 to 36 of the test image's current record (0x1F0) as stored, with
// the rain of an empty data file.
const char* const kStoredCurrent[] = {
    "5",    "57",   "59.2", "64",  "-39.2", "999.4", "5.2", "19.2", "10", "10963", "3288.9",
    "1003.1", "-43.5", "-58.3", "0.0", "0.0", "0.0", "0.0", "0.0", "0.0", "3",     "8",
    "SW",   "0",    "0",    "0",   "0",     "0",     "0",   "0",    "0"};

void ExpectCurrentRecord(const std::string& out, const std::string& wind, const std::string& gust) {
  const auto lines = Lines(out);
  ASSERT_EQ(lines.size(), 37u);
  EXPECT_EQ(Field(lines, 0, 0), "");
  EXPECT_EQ(Field(lines, 0, 1), "05 39 50 02 40 88 81 0A 27 34 C0 00 0A D3 2A 00 ");
  EXPECT_TRUE(std::regex_match(Field(lines, 0, 5), kLocalTime)) << Field(lines, 0, 5);
  for (int f = 6; f <= 36; ++f) {
    const std::string expected = f == 12 ? wind : f == 13 ? gust : kStoredCurrent[f - 6];
    EXPECT_EQ(Field(lines, 0, f), expected) << "field " << f;
  }
}

TEST(CliCurrent, StoredFormInTestMode) {
  test::ScratchFolder folder;
  const auto run = RunCliProgram({"--folder", folder.path(), "--test-mode", "current", "--stored"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  ExpectCurrentRecord(run.out, "5.2", "19.2");
  EXPECT_EQ(run.err, "");
}

TEST(CliCurrent, HeaderUnitsInTestMode) {
  test::ScratchFolder folder;
  const auto run = RunCliProgram({"--folder", folder.path(), "--test-mode", "current"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  ExpectCurrentRecord(run.out, "18.7", "69.1");  // km/h
}

TEST(CliAlarmsDisplay, TestMode) {
  test::ScratchFolder folder;
  const auto run = RunCliProgram({"--folder", folder.path(), "--test-mode", "alarms", "--display"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 30u);
  const char* shown[] = {"1013.2", "1009.5", "000000000000000000000000", "65", "35", "20.0", "0.0",
                         "70",     "45",     "30.0", "-10.0", "20.0", "0.0", "10.0", "-10.0",
                         "1040.0", "960.0",  "1040.0", "960.0", "0",  "18.0", "0",   "36.0",
                         "0",      "1.0",    "50.0", "13",    "30",   "00000000000000"};
  for (int f = 2; f <= 30; ++f) EXPECT_EQ(Field(lines, 1, f), shown[f - 2]) << "field " << f;
}

TEST(CliMaxMinDisplay, TestModeIsRepairedWithTheCurrentReading) {
  test::ScratchFolder folder;
  const auto run = RunCliProgram({"--folder", folder.path(), "--test-mode", "maxmin", "--display"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 48u);
  const char* shown[] = {"0000", "70",   "64",   "86",    "48",    "23.9",  "59.2",  "30.4",
                         "20.2", "29.8", "19.2", "25.5",  "17.0",  "1009.5", "1008.9", "1013.1",
                         "1006.7", "67.0", "170.6", "2.6", "24.4",  "101.2", "862.9", "4502.0"};
  for (int f = 2; f <= 25; ++f) EXPECT_EQ(Field(lines, 1, f), shown[f - 2]) << "field " << f;
  // The indoor minimum (432.1 °C) was replaced, and with it its time.
  for (int f = 26; f <= 48; ++f) {
    if (f == 31) {
      EXPECT_TRUE(std::regex_match(Field(lines, 1, f), kLocalTime)) << Field(lines, 1, f);
    } else {
      EXPECT_EQ(Field(lines, 1, f), "2007-01-01 12:00") << "field " << f;
    }
  }
}

// The test image with °F, inch, inHg and Beaufort, the alarm block's current
// pressures in hundredths of inHg (29.92 and 29.81).
class CliDisplayUnits : public ::testing::Test {
 protected:
  void SetUp() override {
    StationMemory& memory = cli_.Station().Memory();
    memory.Write(0, TestImage.data(), static_cast<int>(TestImage.size()));
    const std::uint8_t units[] = {0x47, 0x10};
    memory.Write(0x11, units, 2);
    const std::uint8_t pressures[] = {0xB0, 0x0B, 0xA5, 0x0B};
    memory.Write(0x20, pressures, 4);
    const std::uint8_t neverSet[5] = {0, 0, 0, 0, 0};
    memory.Write(0x60 + 45, neverSet, 5);  // time of the indoor humidity maximum
  }
  std::vector<std::string> Run(const std::string& name, const std::vector<std::string>& args) {
    const int status = cli_.Run(name, args);
    EXPECT_EQ(status, kExitOk) << cli_.Err();
    return Lines(cli_.Out());
  }
  InProcessCli cli_;
};

TEST_F(CliDisplayUnits, CurrentStoresTheSameRelativePressureAsInHpa) {
  const auto lines = Run("current", {"--stored"});
  ASSERT_EQ(lines.size(), 37u);
  EXPECT_EQ(Field(lines, 0, 17), "1003.1");
  EXPECT_EQ(Field(lines, 0, 8), "59.2");
}

TEST_F(CliDisplayUnits, CurrentInTheHeadersUnits) {
  const auto lines = Run("current", {});
  ASSERT_EQ(lines.size(), 37u);
  const std::pair<int, const char*> expected[] = {
      {8, "138.6"}, {10, "-38.6"}, {18, "-46.3"}, {19, "-72.9"}, {11, "29.51"}, {17, "29.62"},
      {12, "3"},    {13, "8"},     {16, "3288.9"}, {26, "3"},    {28, "SW"},    {25, "0.00"}};
  for (const auto& [f, text] : expected) EXPECT_EQ(Field(lines, 0, f), text) << "field " << f;
}

TEST_F(CliDisplayUnits, AlarmsScaledInTheStationsUnits) {
  const auto lines = Run("alarms", {"--display"});
  ASSERT_EQ(lines.size(), 30u);
  EXPECT_EQ(Field(lines, 1, 2), "29.92");
  EXPECT_EQ(Field(lines, 1, 3), "29.81");
  EXPECT_EQ(Field(lines, 1, 7), "20.0");
  EXPECT_EQ(Field(lines, 1, 17), "104.00");
  EXPECT_EQ(Field(lines, 1, 22), "18");
  EXPECT_EQ(Field(lines, 1, 26), "0.10");
}

TEST_F(CliDisplayUnits, MaxMinConvertedAndRepaired) {
  const auto lines = Run("maxmin", {"--display"});
  ASSERT_EQ(lines.size(), 48u);
  EXPECT_EQ(Field(lines, 1, 7), "75.0");
  EXPECT_EQ(Field(lines, 1, 8), "138.6");  // 809.8 °F is out of range: the current reading
  EXPECT_EQ(Field(lines, 1, 15), "29.81");
  EXPECT_EQ(Field(lines, 1, 19), "8");
  EXPECT_EQ(Field(lines, 1, 20), "12");
  EXPECT_EQ(Field(lines, 1, 21), "0.10");
  EXPECT_EQ(Field(lines, 1, 26), "---");
  EXPECT_EQ(Field(lines, 1, 27), "2007-01-01 12:00");
}

TEST(CliDisplayCommands, FailedReadsExitWithOneLineAndReleaseTheStation) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int accepted;  // read commands the station answers before it refuses
    const char* message;
  };
  const Case cases[] = {
      {"current", {}, 0, "skyvane-cli: Read weather setup data fail!\n"},
      {"current", {"--stored"}, 1, "skyvane-cli: Read weather alarm data fail!\n"},
      {"current", {}, 3, "skyvane-cli: Read weather setup data fail!\n"},
      {"alarms", {"--display"}, 0, "skyvane-cli: Read weather setup data fail!\n"},
      {"alarms", {"--display"}, 1, "skyvane-cli: Read weather alarm data fail!\n"},
      {"maxmin", {"--display"}, 5, "skyvane-cli: Read weather setup data fail!\n"},
      {"maxmin", {"--display"}, 6, "skyvane-cli: Read weather alarm data fail!\n"},
  };
  for (const Case& c : cases) {
    InProcessCli cli;
    cli.Station().Memory().Write(0, TestImage.data(), static_cast<int>(TestImage.size()));
    cli.Station().RefuseReportsAfter(c.accepted);
    EXPECT_EQ(cli.Run(c.name, c.args), kExitFailure) << c.name << " " << c.accepted;
    EXPECT_EQ(cli.Out(), "") << c.name << " " << c.accepted;
    EXPECT_EQ(cli.Err(), c.message) << c.name << " " << c.accepted;
    EXPECT_FALSE(cli.Device().DeviceBusy().load()) << c.name;
  }
}

TEST(CliDisplayCommands, UnknownOptionsAreUsageErrors) {
  for (const auto& [name, arg] : {std::pair{"current", "--display"}, {"current", "stored"},
                                  {"alarms", "--stored"}, {"maxmin", "--Display"}}) {
    InProcessCli cli;
    EXPECT_EQ(cli.Run(name, {arg}), kExitUsage) << name << " " << arg;
    EXPECT_EQ(cli.Out(), "");
    EXPECT_NE(cli.Err(), "");
  }
}

}  // namespace
}  // namespace skyvane
