#include "core/transfer/module_transfer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/scratch_folder.h"

namespace skyvane {
namespace {

void ExpectNoStation(ModuleTransfer& transfer) {
  std::uint8_t report[8] = {0xA1, 0, 0, 0x20, 0xA1, 0, 0, 0x20};
  EXPECT_EQ(transfer.FindHandle(0x1941, 0x8021), -1);
  EXPECT_EQ(transfer.CheckHandle(1), 0);
  EXPECT_EQ(transfer.WriteData(1, report), 0);
  EXPECT_EQ(transfer.ReadData(1, report), 0);
}

TEST(ModuleTransfer, MissingModuleMeansNoStation) {
  test::ScratchFolder folder;
  ModuleTransfer transfer({folder / kTransferModuleName});
  EXPECT_FALSE(transfer.IsLoaded());
  EXPECT_NE(transfer.LoadError().find("not found"), std::string::npos);
  ExpectNoStation(transfer);

  ModuleTransfer none({});
  ExpectNoStation(none);
}

TEST(ModuleTransfer, FileThatIsNoLibraryIsNotLoaded) {
  test::ScratchFolder folder;
  std::ofstream(folder / kTransferModuleName) << "not a shared object";
  ModuleTransfer transfer({folder / kTransferModuleName});
  EXPECT_FALSE(transfer.IsLoaded());
  EXPECT_FALSE(transfer.LoadError().empty());
  ExpectNoStation(transfer);
}

TEST(ModuleTransfer, LooksInTheProgramFolderFirstAndTheLibraryFolderLast) {
  const auto candidates = TransferModuleCandidates("/some/program/folder");
  ASSERT_GE(candidates.size(), 2u);
  EXPECT_EQ(candidates.front(), std::filesystem::path("/some/program/folder/libhidxfr.so"));
  EXPECT_EQ(candidates.back(), std::filesystem::path(SKYVANE_LIBDIR) / "libhidxfr.so");
}

TEST(ModuleTransfer, LooksInTheLibraryFolderBesideTheExecutablesInstall) {
  // Installed with another prefix than the configured one: <prefix>/bin/skyvane
  // finds <prefix>/lib/skyvane/libhidxfr.so.
  const auto exe = std::filesystem::read_symlink("/proc/self/exe");
  const auto prefix = exe.parent_path().parent_path();
  const auto candidates = TransferModuleCandidates("/some/program/folder");
  ASSERT_EQ(candidates.size(), 4u);
  EXPECT_EQ(candidates[1], exe.parent_path() / "libhidxfr.so");
  // <prefix>/<the configured install's library folder>/libhidxfr.so
  const auto below = candidates[2].lexically_relative(prefix).string();
  ASSERT_FALSE(below.empty());
  EXPECT_NE(below.rfind("..", 0), 0u) << below;  // inside the prefix
  const std::string configured = std::string(SKYVANE_LIBDIR) + "/libhidxfr.so";
  ASSERT_GT(configured.size(), below.size());
  EXPECT_EQ(configured.substr(configured.size() - below.size() - 1), "/" + below);
}

}  // namespace
}  // namespace skyvane
