#include "core/app/posix_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "support/scratch_folder.h"

namespace skyvane {
namespace {

using test::ReadFileBytes;
using test::ScratchFolder;
using test::WriteFileBytes;

std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Keeps writes from growing any file past `bytes` while it lives: a write
// beyond fails with EFBIG, whoever runs the test.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    oldSignal_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldSignal_);
  }

 private:
  rlimit old_{};
  sighandler_t oldSignal_;
};

TEST(ReplaceFileAtomically, ReplacesTheContentsAndLeavesNothingBeside) {
  ScratchFolder folder;
  const std::string path = (folder / "station.img").string();
  ASSERT_TRUE(ReplaceFileAtomically(path, std::string("first\0bytes", 11), 0600).ok());
  EXPECT_EQ(ReadFileBytes(path), std::string("first\0bytes", 11));
  ASSERT_TRUE(ReplaceFileAtomically(path, "new", 0640).ok());
  EXPECT_EQ(ReadFileBytes(path), "new");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  ASSERT_TRUE(ReplaceFileAtomically(path, "", 0644).ok());
  EXPECT_EQ(ReadFileBytes(path), "");
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"station.img"});
}

TEST(ReplaceFileAtomically, FailureLeavesTheOldFileAndNoNewOne) {
  ScratchFolder folder;
  const std::string path = (folder / "state.txt").string();
  WriteFileBytes(path, "old contents");

  ReplaceResult result;
  {
    const FileSizeLimit limit(4);
    result = ReplaceFileAtomically(path, "contents far longer than four bytes");
  }
  EXPECT_EQ(result.failed, ReplaceStep::kWrite);
  EXPECT_EQ(result.error, EFBIG);
  EXPECT_EQ(ReadFileBytes(path), "old contents");
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"state.txt"});

  // A folder in the way cannot be replaced by a file.
  std::filesystem::create_directory(folder / "taken");
  WriteFileBytes(folder / "taken" / "inside", "kept");
  result = ReplaceFileAtomically((folder / "taken").string(), "file");
  EXPECT_EQ(result.failed, ReplaceStep::kReplace);
  EXPECT_EQ(ReadFileBytes(folder / "taken" / "inside"), "kept");
  EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"state.txt", "taken"}));

  result = ReplaceFileAtomically((folder / "missing" / "x").string(), "file");
  EXPECT_EQ(result.failed, ReplaceStep::kWrite);
  EXPECT_EQ(result.error, ENOENT);
}

TEST(WriteAll, WritesEveryByteAtTheOffsetOrReportsTheError) {
  ScratchFolder folder;
  const std::string path = (folder / "data").string();
  FileDescriptor fd = FileDescriptor::Open(path, O_RDWR | O_CREAT);
  ASSERT_TRUE(fd);
  ASSERT_TRUE(WriteAll(fd.get(), "abcdef", 6));
  ASSERT_TRUE(WriteAllAt(fd.get(), "XY", 2, 2));
  char back[6];
  ASSERT_TRUE(ReadAt(fd.get(), back, 6, 0));
  EXPECT_EQ(std::string(back, 6), "abXYef");
  EXPECT_FALSE(ReadAt(fd.get(), back, 6, 1));  // the file ends first
  EXPECT_EQ(FileSize(fd.get()), 6);
  {
    const FileSizeLimit limit(8);
    EXPECT_FALSE(WriteAllAt(fd.get(), "0123456789", 10, 0));
    EXPECT_EQ(errno, EFBIG);
  }
  EXPECT_TRUE(fd.Close());
  EXPECT_FALSE(fd.valid());
}

}  // namespace
}  // namespace skyvane
