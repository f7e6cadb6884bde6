// Secret files: the first line, bounded, and a refusal that names the user.
#include "core/app/secret_file.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/scratch_folder.h"

namespace skyvane {
namespace {

TEST(SecretFile, FirstLineIsReadWithABound) {
  test::ScratchFolder dir;
  const struct {
    std::string bytes;
    std::string line;
  } rows[] = {
      {"s3cret\r\nsecond line\n", "s3cret"},
      {"no line end", "no line end"},
      {"", ""},
      {"\n", ""},
      {std::string(100000, 'x'), std::string(4096, 'x')},
  };
  for (const auto& r : rows) {
    test::WriteFileBytes(dir / "secret", r.bytes);
    std::string line = "old";
    int error = -1;
    EXPECT_TRUE(ReadFirstLine((dir / "secret").string(), line, error));
    EXPECT_EQ(line, r.line);
    EXPECT_EQ(error, 0);
  }
  std::string line;
  int error = 0;
  EXPECT_FALSE(ReadFirstLine((dir / "missing").string(), line, error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_FALSE(ReadFirstLine(dir.path().string(), line, error));
  EXPECT_EQ(error, EISDIR);
}

TEST(SecretFile, RefusedAccessNamesTheUser) {
  const std::string user = RunningUserName();
  ASSERT_FALSE(user.empty());
  const struct {
    int error;
    std::string text;
  } rows[] = {
      {EACCES, "cannot read the key file /etc/skyvane/wu.key as user " + user + ": Permission denied"},
      {EPERM, "cannot read the key file /etc/skyvane/wu.key as user " + user +
                  ": Operation not permitted"},
      {ENOENT, "cannot read the key file /etc/skyvane/wu.key: No such file or directory"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(CannotReadText("the key file", "/etc/skyvane/wu.key", r.error), r.text);
  }
}

}  // namespace
}  // namespace skyvane
