#include "gui/shell/command_line.h"

#include <gtest/gtest.h>

namespace skyvane {
namespace {

DesktopOptions Parse(const std::vector<std::string>& args, bool expectOk = true) {
  DesktopOptions options;
  std::string error;
  EXPECT_EQ(ParseDesktopOptions(args, options, error), expectOk) << error;
  return options;
}

TEST(DesktopCommandLine, NoOptionsRunTheRealStation) {
  const DesktopOptions o = Parse({});
  EXPECT_FALSE(o.folder);
  EXPECT_FALSE(o.testMode);
  EXPECT_FALSE(o.stationImage);
  EXPECT_FALSE(o.simulate);
  EXPECT_FALSE(o.help);
  EXPECT_FALSE(o.version);
}

TEST(DesktopCommandLine, TakesValuesSeparatelyOrAfterAnEqualsSign) {
  DesktopOptions o = Parse({"--folder", "/tmp/a b", "--station-image=/tmp/s.img"});
  EXPECT_EQ(o.folder.value(), "/tmp/a b");
  EXPECT_EQ(o.stationImage.value(), "/tmp/s.img");
  o = Parse({"--folder=/x", "--test-mode"});
  EXPECT_EQ(o.folder.value(), "/x");
  EXPECT_TRUE(o.testMode);
}

TEST(DesktopCommandLine, SimulateTakesAnOptionalFolderASpeedAndASeed) {
  DesktopOptions o = Parse({"--simulate"});
  ASSERT_TRUE(o.simulate);
  EXPECT_EQ(*o.simulate, "");
  EXPECT_EQ(o.simSpeed, 1);
  EXPECT_FALSE(o.simSeed);
  o = Parse({"--simulate=/var/tmp/sim", "--sim-speed", "60", "--sim-seed=0x2A"});
  ASSERT_TRUE(o.simulate);
  EXPECT_EQ(*o.simulate, "/var/tmp/sim");
  EXPECT_EQ(o.simSpeed, 60);
  EXPECT_EQ(o.simSeed, 42);
}

TEST(DesktopCommandLine, HelpAndVersion) {
  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"-h"}).help);
  EXPECT_TRUE(Parse({"--version"}).version);
  EXPECT_TRUE(Parse({"-V"}).version);
  EXPECT_TRUE(Parse({"--dark"}).dark);
  EXPECT_FALSE(Parse({}).dark);
  for (const char* option : {"--simulate[=DIR]", "--sim-speed N", "--sim-seed S", "--test-mode",
                             "--station-image FILE", "--dark"}) {
    EXPECT_NE(DesktopUsage().find(option), std::string::npos) << option;
  }
}

TEST(DesktopCommandLine, RefusesBadCommandLines) {
  DesktopOptions o;
  std::string error;
  EXPECT_FALSE(ParseDesktopOptions({"--folder"}, o, error));
  EXPECT_EQ(error, "--folder needs a value");
  EXPECT_FALSE(ParseDesktopOptions({"--folder="}, o, error));
  EXPECT_FALSE(ParseDesktopOptions({"--folder", "a", "--folder", "b"}, o, error));
  EXPECT_EQ(error, "--folder given twice");
  EXPECT_FALSE(ParseDesktopOptions({"--simulate="}, o, error));
  EXPECT_FALSE(ParseDesktopOptions({"--colour"}, o, error));
  EXPECT_EQ(error, "unknown option: --colour");
  EXPECT_FALSE(ParseDesktopOptions({"file.dat"}, o, error));
  EXPECT_FALSE(ParseDesktopOptions({"--test-mode", "--simulate"}, o, error));
  EXPECT_FALSE(ParseDesktopOptions({"--station-image", "s.img", "--test-mode"}, o, error));
  EXPECT_FALSE(ParseDesktopOptions({"--sim-speed", "60"}, o, error));
  EXPECT_EQ(error, "--sim-speed and --sim-seed only go with --simulate");
  EXPECT_FALSE(ParseDesktopOptions({"--simulate", "--sim-speed", "0"}, o, error));
  EXPECT_EQ(error, "--sim-speed takes a whole number from 1 to 1000000, not '0'");
  EXPECT_FALSE(ParseDesktopOptions({"--simulate", "--sim-seed"}, o, error));
  EXPECT_EQ(error, "option --sim-seed needs a value");
}

TEST(DesktopCommandLine, TheToolkitsOptionsAreLeftToTheToolkit) {
  const std::vector<std::string> kept = WithoutToolkitOptions(
      {"-platform", "offscreen", "--test-mode", "-style=fusion", "-reverse", "--folder", "d"});
  EXPECT_EQ(kept, (std::vector<std::string>{"--test-mode", "--folder", "d"}));
}

}  // namespace
}  // namespace skyvane
