#pragma once
// Golden files under tests/data: a text or file a test produces must equal
// one of them byte for byte. With SKYVANE_UPDATE_GOLDEN=1 the test writes the
// file instead (see tests/data/README).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/scratch_folder.h"

namespace skyvane::test {

inline const std::filesystem::path& GoldenFolder() {
  static const std::filesystem::path folder = SKYVANE_TEST_DATA;
  return folder;
}

inline bool UpdatingGoldenFiles() {
  const char* update = std::getenv("SKYVANE_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

// actual must equal the golden file name (a path below tests/data).
inline void ExpectGolden(const std::string& name, const std::string& actual) {
  const std::filesystem::path golden = GoldenFolder() / name;
  if (UpdatingGoldenFiles()) {
    std::filesystem::create_directories(golden.parent_path());
    WriteFileBytes(golden, actual);
    return;
  }
  ASSERT_TRUE(std::filesystem::exists(golden)) << golden << " is missing; run with SKYVANE_UPDATE_GOLDEN=1";
  EXPECT_EQ(ReadFileBytes(golden), actual) << "differs from " << golden;
}

}  // namespace skyvane::test
