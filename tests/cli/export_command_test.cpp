// skyvane-cli export: the range, columns, separator and header choices, the
// station's units, and the bytes written, in-process with a fixed clock and
// through the real program.
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "core/app/clock.h"
#include "core/history/history_file.h"
#include "core/history/history_support.h"
#include "core/station/header_codec.h"
#include "core/station/test_image.h"

namespace skyvane {
namespace {

using test::InProcessCli;
using test::ReadFileBytes;
using test::LocalTime;
using test::LocalStamp;
using testing::StoredRow;

const std::string kDefaultHeader =
    "No\tTime\tInterval(mi)\tIndoor Humidity(%)\tIndoor Temperature(°F)\tOutdoor Humidity(%)\t"
    "Outdoor Temperature(°F)\tAbsolute Pressure(inHg)\tWind(km/h)\tGust(km/h)\tDirection\t"
    "Relative Pressure(inHg)\tDewpoint(°F)\tWindchill(°F)\tHour Rainfall(inch)\t"
    "24 hour Rainfall(inch)\tWeek Rainfall(inch)\tMonth Rainfall(inch)\tTotal Rainfall(inch)\t"
    "Wind Level(bft)\tGust Level(bft)\r\n";
// The cells after "No" and "Time" of a StoredRow in °F, inHg, km/h and inch.
const std::string kImperialCells =
    "5\t45\t70.7\t80\t26.2\t29.92\t4.3\t7.2\tSEE\t30.12\t21.0\t16.9\t0.02\t0.05\t0.18\t0.47\t0.00\t1\t2";

void StoreRows(const std::filesystem::path& folder, const std::vector<std::time_t>& times) {
  FixedClock clock(times.back());
  HistoryFile file(clock);
  ASSERT_TRUE(file.OpenFile((folder / "Skyvane.dat").string()));
  HistoryRowArray rows;
  for (auto it = times.rbegin(); it != times.rend(); ++it) rows.push_back(StoredRow(LocalStamp(*it)));
  ASSERT_TRUE(file.AppendRows(rows));
}

std::string DisplayTime(std::time_t t) {
  const std::tm local = Clock::ToLocal(t);
  char text[32];
  std::strftime(text, sizeof text, "%d-%m-%Y %H:%M", &local);
  return text;
}

class CliExport : public ::testing::Test {
 protected:
  CliExport() : now_(LocalTime(2024, 3, 1, 12, 0, 0)), clock_(now_), cli_(clock_) {
    StationMemory& memory = cli_.Station().Memory();
    memory.Write(0, TestImage.data(), static_cast<int>(TestImage.size()));
    const std::uint8_t units[] = {0x47, 0x02};  // °F, °F, inch, inHg; km/h
    memory.Write(0x11, units, 2);
  }
  std::filesystem::path Folder() { return cli_.Context().folder; }

  std::time_t now_;
  FixedClock clock_;
  InProcessCli cli_;
};

TEST_F(CliExport, DefaultsToTheLastHourInTheStationsUnits) {
  StoreRows(Folder(), {now_ - 3601, now_ - 3600, now_ - 1800, now_, now_ + 1});
  ASSERT_EQ(cli_.Run("export", {}), kExitOk) << cli_.Err();
  EXPECT_EQ(cli_.Err(), "");
  EXPECT_EQ(cli_.Out(), kDefaultHeader +
                            "1\t" + DisplayTime(now_ - 3600) + "\t" + kImperialCells + "\r\n" +
                            "2\t" + DisplayTime(now_ - 1800) + "\t" + kImperialCells + "\r\n" +
                            "3\t" + DisplayTime(now_) + "\t" + kImperialCells + "\r\n");
}

TEST_F(CliExport, ChosenColumnsSeparatorAndHeaderIntoAFile) {
  StoreRows(Folder(), {now_ - 600, now_ - 300});
  const auto out = Folder() / "week.xls";
  ASSERT_EQ(cli_.Run("export", {"--from", LocalStamp(now_ - 604800), "--to", LocalStamp(now_), "--columns",
                                "2,1,8,34", "--separator", ";TAB;", "--out", out.string()}),
            kExitOk)
      << cli_.Err();
  EXPECT_EQ(cli_.Out(), "");
  const std::string save = LocalStamp(now_ - 300);  // the rows were stored at that time
  EXPECT_EQ(ReadFileBytes(out), "Time;\t;No;\t;Absolute Pressure(inHg);\t;saveTime\r\n" +
                            DisplayTime(now_ - 600) + ";\t;1;\t;29.92;\t;" + save + "\r\n" +
                            DisplayTime(now_ - 300) + ";\t;2;\t;29.92;\t;" + save + "\r\n");

  ASSERT_EQ(cli_.Run("export", {"--columns", "3,5", "--separator", "BLANK", "--no-header", "--out",
                                out.string()}),
            kExitOk);
  EXPECT_EQ(ReadFileBytes(out), "5 70.7\r\n5 70.7\r\n");
}

TEST_F(CliExport, EmptyRangeWritesTheHeaderOrNothing) {
  StoreRows(Folder(), {now_ - 7200});
  const auto out = Folder() / "Skyvane.txt";
  ASSERT_EQ(cli_.Run("export", {"--columns", "1,2", "--out", out.string()}), kExitOk);
  EXPECT_EQ(ReadFileBytes(out), "No\tTime\r\n");
  ASSERT_EQ(cli_.Run("export", {"--no-header", "--out", out.string()}), kExitOk);
  EXPECT_TRUE(std::filesystem::exists(out));
  EXPECT_EQ(ReadFileBytes(out), "");
}

TEST_F(CliExport, UnreadableHeaderMeansDefaultUnits) {
  StoreRows(Folder(), {now_ - 60});
  cli_.Station().RefuseReportsAfter(0);
  ASSERT_EQ(cli_.Run("export", {"--columns", "5,8"}), kExitOk);
  EXPECT_EQ(cli_.Out(), "Indoor Temperature(°C)\tAbsolute Pressure(Hpa)\r\n21.5\t1013.2\r\n");
  EXPECT_EQ(cli_.Err(), "skyvane-cli: Read weather setup data fail! (values in the default units)\n");
  EXPECT_FALSE(cli_.Device().DeviceBusy().load());
}

TEST_F(CliExport, BadChoicesAreUsageErrorsAndWriteNothing) {
  StoreRows(Folder(), {now_ - 60});
  const auto out = Folder() / "never.txt";
  const std::vector<std::vector<std::string>> cases = {
      {"--columns", "0"},        {"--columns", "35"},        {"--columns", "1,,2"},
      {"--columns", "2,1,2"},    {"--columns", ""},          {"--columns", "0x2"},
      {"--from", "2024-03-01"},  {"--to", "01-03-2024 12:00:00"}, {"--separator"},
      {"--tab"},                 {"--out", ""}};
  for (std::vector<std::string> args : cases) {
    args.insert(args.end(), {"--out", out.string()});
    if (args[0] == "--separator") args = {"--out", out.string(), "--separator"};
    InProcessCli cli;
    EXPECT_EQ(cli.Run("export", args), kExitUsage) << args[0] << " " << args[1];
    EXPECT_EQ(cli.Out(), "");
    EXPECT_NE(cli.Err().find("usage: export"), std::string::npos) << cli.Err();
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CliExport, UnwritableFileIsAFailure) {
  StoreRows(Folder(), {now_ - 600});
  ASSERT_EQ(cli_.Run("export", {"--out", (Folder() / "no-such-folder" / "x.txt").string()}),
            kExitFailure);
  EXPECT_NE(cli_.Err().find("cannot write"), std::string::npos) << cli_.Err();
}

TEST(CliExportProgram, LastHourThroughTheProgramInTestMode) {
  test::ScratchFolder folder;
  const std::time_t now = std::time(nullptr);
  StoreRows(folder.path(), {now - 7200, now - 1800});
  const auto run = test::RunCliProgram(
      {"--folder", folder.path().string(), "--test-mode", "export", "--columns", "1,2,3"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out, "No\tTime\tInterval(mi)\r\n1\t" + DisplayTime(now - 1800) + "\t5\r\n");
}

// A folder without a data file (a mistyped --folder) is said so, and left
// as it was, by every command that only reads the file.
TEST(CliReadingCommands, AFolderWithoutADataFileIsAFailureAndStaysEmpty) {
  test::ScratchFolder folder;
  const std::string f = folder.path().string();
  const std::vector<std::string> commands[] = {
      {"export"},
      {"history", "--from", "2024-01-01 00:00:00", "--to", "2024-12-31 00:00:00"},
      {"serve", "--http", "127.0.0.1:0"},
  };
  for (const auto& command : commands) {
    std::vector<std::string> args = {"--folder", f, "--test-mode"};
    args.insert(args.end(), command.begin(), command.end());
    const auto run = test::RunCliProgram(args);
    EXPECT_EQ(run.status, kExitFailure) << command[0];
    EXPECT_EQ(run.err, "skyvane-cli: No data file: " + (folder.path() / "Skyvane.dat").string() + " does not exist\n")
        << command[0];
    EXPECT_FALSE(std::filesystem::exists(folder / "Skyvane.dat")) << command[0];
  }
}

}  // namespace
}  // namespace skyvane
