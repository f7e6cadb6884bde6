// skyvane-cli log, run and history against a virtual-station image in a
// scratch program folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_test_support.h"
#include "core/monitor/station_rig.h"
#include "core/transfer/station_memory.h"
#include "support/golden.h"

namespace skyvane {
namespace {

using test::RunCliProgram;
using test::ScratchFolder;
using test::ReadFileBytes;

std::vector<std::string> SplitLines(const std::string& text, const std::string& end = "\n") {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t next = text.find(end, at);
    if (next == std::string::npos) {
      lines.push_back(text.substr(at));
      break;
    }
    lines.push_back(text.substr(at, next - at));
    at = next + end.size();
  }
  return lines;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A station image with 16 records, the current one at 0x1F0.
std::filesystem::path WriteImage(const ScratchFolder& folder, void (*extra)(StationMemory&) = nullptr) {
  StationMemory memory;
  testing::WriteFixedBlocks(memory);
  testing::FillRing(memory, 16, 0x1F0);
  if (extra != nullptr) extra(memory);
  const auto path = folder / "station.img";
  std::string error;
  EXPECT_TRUE(memory.Save(path, error)) << error;
  return path;
}

void ExpectWholeLines(const std::string& file, std::size_t count) {
  ASSERT_TRUE(EndsWith(file, "\r\n"));
  std::vector<std::string> lines = SplitLines(file, "\r\n");
  ASSERT_EQ(lines.size(), count);
  for (const std::string& line : lines) {
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 36) << line;
    EXPECT_TRUE(EndsWith(line, ",       ")) << line;  // reserved: six blanks
  }
}

TEST(LogCommand, AppendsTheNewRecordsOnceAndPrintsEveryText) {
  ScratchFolder folder;
  const auto image = folder / "station.img";
  std::filesystem::copy_file(test::GoldenFolder() / "station.img", image);
  const std::vector<std::string> args{"--folder", folder.path().string(), "--station-image",
                                      image.string(), "log"};
  test::CliRun run = RunCliProgram(args);
  ASSERT_EQ(run.status, 0) << run.err;
  // The golden first log's texts (golden_test.cpp), all but the read time.
  const std::string golden = ReadFileBytes(test::GoldenFolder() / "cli/log.txt");
  const std::size_t timeAt = golden.rfind("Last Read Time: ") + 16, timeEnd = timeAt + 19;
  ASSERT_GT(run.out.size(), timeEnd) << run.out;
  EXPECT_EQ(run.out.substr(0, timeAt), golden.substr(0, timeAt));
  EXPECT_EQ(run.out.substr(timeEnd), golden.substr(timeEnd));
  // The golden data file's rows, all but their saveTime and recordTime.
  const std::string stored = ReadFileBytes(folder / "Skyvane.dat");
  ExpectWholeLines(stored, 15);
  const auto afterTimes = [](const std::string& line) {
    std::size_t at = 0;
    for (int comma = 0; comma < 3 && at != std::string::npos; ++comma) at = line.find(',', at + 1);
    return at == std::string::npos ? line : line.substr(at);
  };
  const std::vector<std::string> lines = SplitLines(stored, "\r\n");
  const std::vector<std::string> goldenLines =
      SplitLines(ReadFileBytes(test::GoldenFolder() / "Skyvane.dat"), "\r\n");
  ASSERT_EQ(lines.size(), goldenLines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].substr(0, 6), goldenLines[i].substr(0, 6));
    EXPECT_EQ(afterTimes(lines[i]), afterTimes(goldenLines[i])) << "row " << i + 1;
  }

  run = RunCliProgram(args);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> out = SplitLines(run.out);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[1], "2 Data has been read. ...");
  EXPECT_TRUE(EndsWith(out[2], ", Read Records: 0 (Total Records: 15).")) << out[2];
  EXPECT_EQ(ReadFileBytes(folder / "Skyvane.dat"), stored);
}

// Test mode is the built-in test image's: on a named station the test switch
// would append the whole ring again on every cycle.
TEST(LogCommand, TheTestSwitchIsIgnoredOnANamedStationWithOneNote) {
  ScratchFolder folder;
  const auto image = WriteImage(folder);
  std::ofstream(folder / "Skyvane.ini") << "[communication]\r\nTestFlag=true\r\n";
  const std::vector<std::string> args{"--folder", folder.path().string(), "--station-image",
                                      image.string(), "log"};
  const std::string note =
      "skyvane-cli: TestFlag in Skyvane.ini is ignored with --station-image: test mode runs only "
      "on the built-in test image\n";
  test::CliRun run = RunCliProgram(args);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, note);
  EXPECT_TRUE(EndsWith(SplitLines(run.out).back(), ", Read Records: 15 (Total Records: 15).")) << run.out;
  const std::string stored = ReadFileBytes(folder / "Skyvane.dat");

  run = RunCliProgram(args);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, note);
  EXPECT_TRUE(EndsWith(SplitLines(run.out).back(), ", Read Records: 0 (Total Records: 15).")) << run.out;
  EXPECT_EQ(ReadFileBytes(folder / "Skyvane.dat"), stored);
}

TEST(LogCommand, NoStationIsAFailure) {
  ScratchFolder folder;
  test::CliRun run = RunCliProgram({"--folder", folder.path().string(), "log"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("no weather station found"), std::string::npos) << run.err;
  EXPECT_TRUE(run.out.empty());
  run = RunCliProgram({"--folder", folder.path().string(), "--test-mode", "log", "extra"});
  EXPECT_EQ(run.status, 2);
}

TEST(HistoryCommand, PrintsTheStoredLinesInRangeAsStored) {
  ScratchFolder folder;
  auto line = [](int seq, const std::string& time) {
    char head[64];
    std::snprintf(head, sizeof head, "%4d, 2026-03-01 12:00:00, %s, ", seq, time.c_str());
    std::string text = head;
    for (int i = 3; i < 36; ++i) text += "  x, ";
    return text + "      ";
  };
  const std::string a = line(1, "2026-03-01 10:00:00");
  const std::string b = line(2, "2026-03-01 10:05:00");
  const std::string c = line(3, "2026-03-01 10:10:00");
  const std::string torn = "   4, 2026-03-01 12:00:00, 2026-03-01 10:15:00, 5";
  {
    std::ofstream out(folder / "Skyvane.dat", std::ios::binary);
    out << a << "\r\n" << b << "\r\n   \r\n" << c << "\n" << torn;
  }
  const std::string dir = folder.path().string();
  test::CliRun run = RunCliProgram(
      {"--folder", dir, "history", "--from", "2026-03-01 10:05:00", "--to", "2026-03-01 10:15:00"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, b + "\n" + c + "\n");

  run = RunCliProgram(
      {"--folder", dir, "history", "--to", "2026-03-01 10:00:00", "--from", "2026-03-01 10:00:00"});
  EXPECT_EQ(run.out, a + "\n");
  run = RunCliProgram(
      {"--folder", dir, "history", "--from", "2026-03-02 00:00:00", "--to", "2026-03-03 00:00:00"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");

  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"history", "--from", "2026-03-01 10:00:00"},
        std::vector<std::string>{"history", "--from", "2026-03-01", "--to", "2026-03-02 00:00:00"},
        std::vector<std::string>{"history", "--from", "2026-03-01 10:00:0x", "--to",
                                 "2026-03-02 00:00:00"},
        std::vector<std::string>{"history", "--since", "2026-03-01 10:00:00"}}) {
    std::vector<std::string> args{"--folder", dir};
    args.insert(args.end(), bad.begin(), bad.end());
    run = RunCliProgram(args);
    EXPECT_EQ(run.status, 2) << bad.back();
    EXPECT_TRUE(run.out.empty());
  }
}

TEST(RunCommand, LogsUntilTerminatedAndLeavesAWholeFile) {
  ScratchFolder folder;
  const auto image = WriteImage(folder);
  const auto outFile = folder / "run.out";
  const pid_t pid = test::StartCliProgram(
      {"--folder", folder.path().string(), "--station-image", image.string(), "run"}, outFile, "/dev/null");
  ASSERT_NE(pid, 0);

  // The first cycle begins a second after the start.
  bool logged = false;
  for (int i = 0; i < 200 && !logged; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    logged = ReadFileBytes(outFile).find("Read Records: 15") != std::string::npos;
  }
  EXPECT_TRUE(logged);
  // One poller per folder: a second one is turned away; readers go on.
  test::CliRun second = RunCliProgram({"--folder", folder.path().string(), "--station-image",
                                       image.string(), "log"});
  EXPECT_EQ(second.status, 1);
  EXPECT_EQ(second.err, "skyvane-cli: Skyvane.dat is in use by another Skyvane program (pid " +
                            std::to_string(pid) + ")\n");
  EXPECT_TRUE(second.out.empty());
  test::CliRun reader = RunCliProgram({"--folder", folder.path().string(), "history", "--from",
                                       "2000-01-01 00:00:00", "--to", "2100-01-01 00:00:00"});
  EXPECT_EQ(reader.status, 0) << reader.err;
  EXPECT_EQ(SplitLines(reader.out).size(), 15u);
  kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  ExpectWholeLines(ReadFileBytes(folder / "Skyvane.dat"), 15);

  // The lock went with the process.
  EXPECT_EQ(RunCliProgram({"--folder", folder.path().string(), "--station-image", image.string(),
                           "log"}).status, 0);
}

}  // namespace
}  // namespace skyvane
