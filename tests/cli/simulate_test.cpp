// skyvane-cli on the live simulated station: its options, its folder, and
// the logger end to end with a restart in between.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_test_support.h"
#include "cli/global_options.h"
#include "core/history/history_file.h"

namespace skyvane {
namespace {

using test::RunCliProgram;
using test::ScratchFolder;
using test::ReadFileBytes;

std::string HeaderField(const std::string& out, int field) {
  std::istringstream in(out);
  std::string line;
  const std::string key = std::to_string(field) + "\t";
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) == 0) return line.substr(key.size());
  }
  return "?";
}

TEST(SimulateOption, TakesAFolderOnlyWithAnEqualsSignAndGoesAloneWithOtherStations) {
  GlobalOptions o;
  std::string error;
  ASSERT_TRUE(ParseGlobalOptions({"--simulate", "run"}, o, error)) << error;
  ASSERT_TRUE(o.simulate.has_value());
  EXPECT_TRUE(o.simulate->empty());
  EXPECT_EQ(o.command, "run");
  ASSERT_TRUE(ParseGlobalOptions({"--simulate=/tmp/x", "--sim-speed", "600", "--sim-seed=42", "log"}, o,
                                 error))
      << error;
  EXPECT_EQ(*o.simulate, "/tmp/x");
  EXPECT_EQ(o.simSpeed, 600);
  EXPECT_EQ(o.simSeed, 42);

  const std::vector<std::vector<std::string>> bad{
      {"--simulate", "--test-mode", "log"},
      {"--simulate", "--station-image", "a.img", "log"},
      {"--sim-speed", "10", "log"},
      {"--simulate", "--sim-speed", "0", "log"},
      {"--simulate", "--sim-speed", "fast", "log"},
      {"--simulate", "--sim-seed", "-1", "log"},
      {"--simulate=", "log"},
  };
  for (const auto& args : bad) EXPECT_FALSE(ParseGlobalOptions(args, o, error)) << args[1];
  ParseGlobalOptions({"--simulate", "--test-mode", "log"}, o, error);
  EXPECT_EQ(error, "--simulate and --test-mode cannot be used together");
}

TEST(SimulateCommand, DefaultFolderIsStationInTheProgramFolder) {
  ScratchFolder folder;
  auto run = RunCliProgram({"--folder", folder.path().string(), "--simulate", "header"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(HeaderField(run.out, 44), "865") << "three days of history and the running record";
  EXPECT_EQ(HeaderField(run.out, 5), "5");
  EXPECT_TRUE(std::filesystem::exists(folder / "station" / "station.img"));
  EXPECT_TRUE(std::filesystem::exists(folder / "station" / "station.state"));

  run = RunCliProgram({"--folder", folder.path().string(), "--simulate", "--sim-speed", "abc", "header"});
  EXPECT_EQ(run.status, 2);
  // A state it cannot read is said once and kept, not overwritten.
  const auto state = folder / "station" / "station.state";
  std::ofstream(state, std::ios::trunc) << "seed=5\nstationTime=\n";
  run = RunCliProgram({"--folder", folder.path().string(), "--simulate", "header"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "skyvane-cli: " + state.string() +
                         ": line 2 is broken: stationTime=; kept as station.state.bad, and the "
                         "station's weather starts anew\n");
  EXPECT_EQ(ReadFileBytes(folder / "station" / "station.state.bad"), "seed=5\nstationTime=\n");
  run = RunCliProgram({"--folder", folder.path().string(), "--simulate", "header"});
  EXPECT_EQ(run.err, "");  // the new state is read
  std::filesystem::resize_file(folder / "station" / "station.img", 10);
  run = RunCliProgram({"--folder", folder.path().string(), "--simulate", "header"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("65536"), std::string::npos) << run.err;
}

// Runs "skyvane-cli ... run" until its first polling cycle has stored records, then stops it.
void RunUntilLogged(const std::vector<std::string>& options, const std::filesystem::path& outFile) {
  std::vector<std::string> args = options;
  args.push_back("run");
  const pid_t pid = test::StartCliProgram(args, outFile, "/dev/null");
  ASSERT_NE(pid, 0);
  bool logged = false;
  for (int i = 0; i < 300 && !logged; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    logged = ReadFileBytes(outFile).find("Read Records:") != std::string::npos;
  }
  EXPECT_TRUE(logged) << ReadFileBytes(outFile);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(SimulateCommand, RunLogsRecordsThatHistoryReadsBackWithoutDuplicatesOrGaps) {
  ScratchFolder folder;
  const std::vector<std::string> options{"--folder", folder.path().string(),
                                         "--simulate=" + (folder / "sim").string(),
                                         "--sim-speed", "600", "--sim-seed", "11"};
  RunUntilLogged(options, folder / "run1.out");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // off for a while: caught up at restart
  RunUntilLogged(options, folder / "run2.out");

  const auto history = RunCliProgram({"--folder", folder.path().string(), "history", "--from",
                                      "2000-01-01 00:00:00", "--to", "2099-12-31 23:59:59"});
  ASSERT_EQ(history.status, 0) << history.err;
  std::istringstream lines(history.out);
  std::string line;
  std::vector<int> addresses;
  while (std::getline(lines, line)) {
    HistoryRow row;
    HistoryFile::ParseLine(row, line);
    addresses.push_back(std::stoi(row[row::stationAddress], nullptr, 16));
  }
  ASSERT_GT(addresses.size(), 864u) << "the three days from the first start and what came after";
  EXPECT_EQ(addresses.front(), 0x100);
  std::set<int> distinct(addresses.begin(), addresses.end());
  EXPECT_EQ(distinct.size(), addresses.size()) << "no record stored twice";
  for (std::size_t i = 1; i < addresses.size(); ++i) {
    const int expected = addresses[i - 1] == 0xFFF0 ? 0x100 : addresses[i - 1] + 16;
    ASSERT_EQ(addresses[i], expected) << "gap after line " << i;
  }
  // The second start picked up where the file ended, with records of the time in between.
  const std::string second = ReadFileBytes(folder / "run2.out");
  const auto at = second.find("Read Records: ");
  ASSERT_NE(at, std::string::npos);
  EXPECT_GE(std::stoi(second.substr(at + 14)), 1) << second.substr(at);
}

}  // namespace
}  // namespace skyvane
