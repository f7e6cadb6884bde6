// The command-line conventions every command keeps: --help after the command,
// -V beside --version, and a quiet logger that prints errors only.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "cli_test_support.h"

namespace skyvane {
namespace {

using test::RunCliProgram;

TEST(CliConventions, HelpAfterEveryCommandIsItsUsage) {
  test::ScratchFolder folder;
  for (const CliCommand& command : CliCommands()) {
    for (const char* help : {"--help", "-h"}) {
      // Before any station is opened: no station option, no module.
      const auto run = RunCliProgram({"--folder", folder.path(), command.name, help});
      EXPECT_EQ(run.status, 0) << command.name << " " << help << ": " << run.err;
      EXPECT_EQ(run.err, "") << command.name;
      if (!command.ownHelp) {
        EXPECT_EQ(run.out, std::string("Usage: skyvane-cli [OPTIONS] ") + command.synopsis + "\n");
      }
      EXPECT_NE(run.out.find(command.name), std::string::npos) << command.name;
    }
  }
  // After "--" it is an argument like any other.
  EXPECT_EQ(RunCliProgram({"--folder", folder.path(), "history", "--", "--help"}).status, 2);
}

TEST(CliConventions, ShortVersionOptionIsTheLongOne) {
  const auto longRun = RunCliProgram({"--version"});
  const auto shortRun = RunCliProgram({"-V"});
  EXPECT_EQ(shortRun.status, 0);
  EXPECT_EQ(shortRun.out, longRun.out);
  EXPECT_EQ(shortRun.out, std::string("skyvane-cli ") + SKYVANE_VERSION + "\n");
}

// Runs the logger on a simulated station until its first records are stored.
test::CliRun RunLoggerBriefly(const std::vector<std::string>& runArgs) {
  test::ScratchFolder folder;
  std::vector<std::string> args{"--folder", folder.path().string(), "--simulate", "run"};
  args.insert(args.end(), runArgs.begin(), runArgs.end());
  const auto outFile = folder / "run.out";
  const auto errFile = folder / "run.err";
  const pid_t pid = test::StartCliProgram(args, outFile, errFile);
  test::CliRun run;
  if (pid == 0) return run;
  std::error_code ec;
  for (int i = 0; i < 300; ++i) {
    if (std::filesystem::file_size(folder / "Skyvane.dat", ec) > 0 && !ec) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  kill(pid, SIGTERM);
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  run.out = test::ReadFileBytes(outFile);
  run.err = test::ReadFileBytes(errFile);
  return run;
}

TEST(CliConventions, QuietLoggerPrintsNoStatusLines) {
  const auto loud = RunLoggerBriefly({});
  EXPECT_EQ(loud.status, 0);
  EXPECT_NE(loud.err.find("skyvane-cli: weather station connected\n"), std::string::npos) << loud.err;
  EXPECT_FALSE(loud.out.empty());

  const auto quiet = RunLoggerBriefly({"--quiet"});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(quiet.out, "");
}

}  // namespace
}  // namespace skyvane
