#include "core/publish/mqtt/file_lines.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "core/app/posix_file.h"

namespace skyvane {

int ReadFileLines(const std::filesystem::path& path, std::size_t maxLine,
                  const std::function<void(std::string_view line, LineEnd end)>& each) {
  const FileDescriptor fd = FileDescriptor::Open(path.string(), O_RDONLY);
  if (!fd) return errno;
  std::string line;
  bool tooLong = false;
  auto finish = [&](LineEnd end) {
    if (end == LineEnd::kWhole && !line.empty() && line.back() == '\r') line.pop_back();
    each(line, tooLong ? LineEnd::kTooLong : end);
    line.clear();
    tooLong = false;
  };
  char buffer[65536];
  while (true) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) break;
    std::string_view chunk(buffer, static_cast<std::size_t>(got));
    while (!chunk.empty()) {
      const std::size_t newline = chunk.find('\n');
      const std::string_view part = chunk.substr(0, newline);
      if (!tooLong) {
        // One byte more than the limit so that a '\r' before the '\n' still fits.
        const std::size_t room = maxLine + 1 - line.size();
        if (part.size() > room) tooLong = true;
        line.append(part.substr(0, room));
        if (tooLong) line.resize(maxLine);
      }
      if (newline == std::string_view::npos) break;
      if (!tooLong && line.size() > maxLine && line.back() != '\r') {
        tooLong = true;
        line.resize(maxLine);
      }
      finish(LineEnd::kWhole);
      chunk.remove_prefix(newline + 1);
    }
  }
  if (!line.empty() || tooLong) finish(LineEnd::kUnended);
  return 0;
}

}  // namespace skyvane
