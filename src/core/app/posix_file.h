#pragma once
// The few POSIX file steps every writer of the program needs, written once:
// a descriptor that closes itself, reads and writes that go on after a signal
// and after a short count, and replacing a file so that a power loss leaves
// either the old or the new contents, never an empty or half-written file.
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace skyvane {

// Owns an open file descriptor and closes it when it goes.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  // ::open with O_CLOEXEC added; invalid (errno set) when it fails.
  static FileDescriptor Open(const std::string& path, int flags, mode_t mode = 0644);

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  explicit operator bool() const { return valid(); }
  // Gives up ownership without closing.
  int Release();
  // Closes now; false when close reports an error (a late write error).
  bool Close();

 private:
  int fd_ = -1;
};

// Writes all n bytes at the file's position; false (errno set) on an error.
bool WriteAll(int fd, const char* data, std::size_t n);
// Writes all n bytes at offset; false (errno set) on an error.
bool WriteAllAt(int fd, const char* data, std::size_t n, std::uint64_t offset);
// Reads exactly n bytes at offset; false on an error or a short file.
bool ReadAt(int fd, char* out, std::size_t n, std::uint64_t offset);
// Size of the open file, or -1.
std::int64_t FileSize(int fd);

// Flushes the folder holding path, so that a name created, renamed or removed
// in it survives a power loss as well as the contents.
void SyncFolderOf(const std::string& path);

// Why ReplaceFileAtomically failed.
enum class ReplaceStep {
  kNone,     // it did not: path holds the new bytes
  kWrite,    // the new contents could not be written beside path
  kReplace,  // they could not take path's place
};
struct ReplaceResult {
  ReplaceStep failed = ReplaceStep::kNone;
  int error = 0;  // errno of the failed step
  bool ok() const { return failed == ReplaceStep::kNone; }
  // The one-line message of a failure: "<path>: cannot be written: <reason>"
  // or "<path>: cannot be replaced: <reason>".
  std::string Message(const std::string& path) const;
};

// Writes bytes to a new file beside path (mode `mode`), flushes it to the disk,
// renames it over path and flushes the folder. Readers see the old file or the
// new one, never part of one; on failure path is untouched and the new file is
// gone.
ReplaceResult ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                                    mode_t mode = 0644);

}  // namespace skyvane
