#include "core/app/secret_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace skyvane {

bool ReadFirstLine(const std::string& path, std::string& line, int& error) {
  line.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error = errno;
    return false;
  }
  char buffer[4096];
  ssize_t got = 0;
  do {
    got = ::read(fd, buffer, sizeof buffer);
  } while (got < 0 && errno == EINTR);
  error = got < 0 ? errno : 0;
  ::close(fd);
  if (got < 0) return false;
  line.assign(buffer, static_cast<std::size_t>(got));
  const std::size_t end = line.find('\n');
  if (end != std::string::npos) line.resize(end);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

std::string RunningUserName() {
  const uid_t uid = ::geteuid();
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_name != nullptr) {
    return found->pw_name;
  }
  return std::to_string(uid);
}

std::string CannotReadText(std::string_view what, const std::string& path, int error) {
  std::string text = "cannot read " + std::string(what) + " " + path;
  if (error == EACCES || error == EPERM) text += " as user " + RunningUserName();
  return text + ": " + std::strerror(error);
}

}  // namespace skyvane
