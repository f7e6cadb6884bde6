#include "core/app/posix_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace skyvane {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.Release();
  }
  return *this;
}

FileDescriptor FileDescriptor::Open(const std::string& path, int flags, mode_t mode) {
  return FileDescriptor(::open(path.c_str(), flags | O_CLOEXEC, mode));
}

int FileDescriptor::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

bool FileDescriptor::Close() {
  if (fd_ < 0) return true;
  // Linux frees the descriptor even when close fails: never retried.
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  return closed;
}

namespace {

// Writes on after a signal and after a short count; at offset when given one,
// else at the file's position.
bool WriteLoop(int fd, const char* data, std::size_t n, const std::uint64_t* at) {
  std::uint64_t offset = at != nullptr ? *at : 0;
  while (n > 0) {
    const ssize_t put = at != nullptr ? ::pwrite(fd, data, n, static_cast<off_t>(offset))
                                      : ::write(fd, data, n);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return false;
    if (put == 0) {
      errno = EIO;
      return false;
    }
    data += put;
    n -= static_cast<std::size_t>(put);
    offset += static_cast<std::uint64_t>(put);
  }
  return true;
}

}  // namespace

bool WriteAll(int fd, const char* data, std::size_t n) { return WriteLoop(fd, data, n, nullptr); }

bool WriteAllAt(int fd, const char* data, std::size_t n, std::uint64_t offset) {
  return WriteLoop(fd, data, n, &offset);
}

bool ReadAt(int fd, char* out, std::size_t n, std::uint64_t offset) {
  while (n > 0) {
    const ssize_t got = ::pread(fd, out, n, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;  // an error, or the file is shorter than expected
    out += got;
    n -= static_cast<std::size_t>(got);
    offset += static_cast<std::uint64_t>(got);
  }
  return true;
}

std::int64_t FileSize(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

void SyncFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  FileDescriptor dir = FileDescriptor::Open(folder, O_RDONLY | O_DIRECTORY);
  // Some file systems cannot flush a folder: the rename stands all the same.
  if (dir) ::fsync(dir.get());
}

std::string ReplaceResult::Message(const std::string& path) const {
  return path + (failed == ReplaceStep::kReplace ? ": cannot be replaced: " : ": cannot be written: ") +
         std::strerror(error);
}

ReplaceResult ReplaceFileAtomically(const std::string& path, std::string_view bytes, mode_t mode) {
  // A name of its own for each writer, so that two of them never share one.
  std::string temp = path + ".XXXXXX";
  FileDescriptor out(::mkostemp(temp.data(), O_CLOEXEC));
  if (!out) return {ReplaceStep::kWrite, errno};
  auto fail = [&temp](ReplaceStep step) {
    const int error = errno != 0 ? errno : EIO;
    ::unlink(temp.c_str());
    return ReplaceResult{step, error};
  };
  // Flushed before the rename: otherwise a power loss may leave the new name
  // on an empty file.
  if (::fchmod(out.get(), mode) != 0 || !WriteAll(out.get(), bytes.data(), bytes.size()) ||
      ::fsync(out.get()) != 0 || !out.Close()) {
    return fail(ReplaceStep::kWrite);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) return fail(ReplaceStep::kReplace);
  SyncFolderOf(path);
  return {};
}

}  // namespace skyvane
