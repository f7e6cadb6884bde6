#include "core/app/program_folder.h"

#include <gtest/gtest.h>

#include "support/scratch_folder.h"

namespace skyvane {
namespace {

using std::filesystem::path;

ProgramFolderInputs AllGiven() {
  ProgramFolderInputs in;
  in.folderOption = "/opt/option";
  in.skyvaneHome = "/opt/home-var";
  in.executableFolder = "/opt/exe";
  in.executableFolderWritable = true;
  in.xdgDataHome = "/xdg";
  in.home = "/home/u";
  return in;
}

TEST(ChooseProgramFolder, TakesTheFirstSourceThatIsGiven) {
  ProgramFolderInputs in = AllGiven();
  EXPECT_EQ(ChooseProgramFolder(in), path("/opt/option"));
  in.folderOption = "";  // empty counts as not given
  EXPECT_EQ(ChooseProgramFolder(in), path("/opt/home-var"));
  in.folderOption.reset();
  in.skyvaneHome.reset();
  EXPECT_EQ(ChooseProgramFolder(in), path("/opt/exe"));
  in.executableFolderWritable = false;
  EXPECT_EQ(ChooseProgramFolder(in), path("/xdg/skyvane"));
  in.xdgDataHome = "relative/xdg";  // not absolute: ignored
  EXPECT_EQ(ChooseProgramFolder(in), path("/home/u/.local/share/skyvane"));
  in.xdgDataHome.reset();
  EXPECT_EQ(ChooseProgramFolder(in), path("/home/u/.local/share/skyvane"));
  in.executableFolder.clear();
  in.executableFolderWritable = true;
  EXPECT_EQ(ChooseProgramFolder(in), path("/home/u/.local/share/skyvane"));
  in.home.reset();
  EXPECT_TRUE(ChooseProgramFolder(in).empty());
}

TEST(ResolveProgramFolder, CreatesTheFolderOnFirstUse) {
  test::ScratchFolder tmp;
  ProgramFolderInputs in;
  in.xdgDataHome = (tmp / "data").string();
  path folder;
  std::string error;
  ASSERT_TRUE(ResolveProgramFolder(in, folder, error)) << error;
  EXPECT_EQ(folder, tmp / "data" / "skyvane");
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  in.folderOption = (tmp / "given" / "").string();  // trailing separator
  ASSERT_TRUE(ResolveProgramFolder(in, folder, error)) << error;
  EXPECT_EQ(folder, tmp / "given");
}

TEST(ResolveProgramFolder, ReportsAFolderThatCannotBeUsed) {
  test::ScratchFolder tmp;
  test::WriteFileBytes(tmp / "file", "x");
  ProgramFolderInputs in;
  in.folderOption = (tmp / "file").string();
  path folder = "/unchanged";
  std::string error;
  EXPECT_FALSE(ResolveProgramFolder(in, folder, error));
  EXPECT_NE(error.find("not a folder"), std::string::npos) << error;
  in.folderOption = (tmp / "file" / "below").string();
  EXPECT_FALSE(ResolveProgramFolder(in, folder, error));
  EXPECT_NE(error.find("Cannot create"), std::string::npos) << error;
  EXPECT_EQ(folder, path("/unchanged"));
  EXPECT_FALSE(ResolveProgramFolder(ProgramFolderInputs{}, folder, error));
}

TEST(ProgramFolderInputs, CurrentProcessKnowsItsExecutable) {
  ProgramFolderInputs in = CurrentProgramFolderInputs(std::string("/x"));
  EXPECT_EQ(in.folderOption, std::optional<std::string>("/x"));
  EXPECT_EQ(ExecutablePath().parent_path(), in.executableFolder);
  EXPECT_EQ(ExecutablePath().filename(), "skyvane_core_tests");
}

}  // namespace
}  // namespace skyvane
