// The built libhidxfr.so on the real hidapi (no station attached), and the
// loader facing modules that are incomplete.
#include <gtest/gtest.h>

#include "core/station/station_device.h"
#include "core/transfer/module_transfer.h"

namespace skyvane {
namespace {

TEST(HidxfrModule, NoDeviceAndBadHandles) {
  for (int round = 0; round < 2; ++round) {  // loading it again after an unload works too
    ModuleTransfer module({HIDXFR_MODULE_PATH});
    ASSERT_TRUE(module.IsLoaded()) << module.LoadError();
    EXPECT_EQ(module.FindHandle(0xFFFF, 0xFFFF), -1);
    std::uint8_t data[8] = {0xA1, 0, 0, 0x20, 0xA1, 0, 0, 0x20};
    for (int bad : {-1, 0, 1, 8, 99}) {
      EXPECT_EQ(module.CheckHandle(bad), 0) << bad;
      EXPECT_EQ(module.WriteData(bad, data), 0) << bad;
      EXPECT_EQ(module.ReadData(bad, data), 0) << bad;
    }
  }
}

TEST(HidxfrModule, FoundBesideTheProgram) {
  const auto folder = std::filesystem::path(HIDXFR_MODULE_PATH).parent_path();
  ModuleTransfer module(TransferModuleCandidates(folder));
  EXPECT_EQ(module.LoadedPath(), std::filesystem::path(HIDXFR_MODULE_PATH));
}

TEST(HidxfrModule, MissingEntryPointsMeanNoStation) {
  auto owned = std::make_unique<ModuleTransfer>(std::vector<std::filesystem::path>{PARTIAL_MODULE_PATH});
  ASSERT_TRUE(owned->IsLoaded()) << owned->LoadError();
  std::uint8_t data[8] = {};
  EXPECT_EQ(owned->FindHandle(0x1941, 0x8021), 7);
  EXPECT_EQ(owned->CheckHandle(7), 0);
  EXPECT_EQ(owned->WriteData(7, data), 0);
  EXPECT_EQ(owned->ReadData(7, data), 0);

  StationDevice device(std::move(owned), false, 0x1941, 0x8021);
  EXPECT_TRUE(device.UpdateConnection());
  std::array<std::uint8_t, 32> bytes{};
  int length = 32;
  EXPECT_FALSE(device.Link().ReadBlocks(0, bytes.data(), length));
  EXPECT_FALSE(device.UpdateConnection());  // CheckHandle is missing: the station counts as gone
  EXPECT_TRUE(device.HasLinkChanged());
}

}  // namespace
}  // namespace skyvane
