// skyvane-cli current [--stored], alarms --display and maxmin --display in
// other units and on failures, in-process (the test image's own texts are
// golden files: golden_test.cpp).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "core/station/test_image.h"

namespace skyvane {
namespace {

using test::Field;
using test::InProcessCli;
using test::Lines;

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
      {12, "3"},    {13, "8"},     {16, "3288.9"}, {26, "3"},    {28, "SW"},    {25, "---"}};  // no history: no total
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
