#pragma once
// Reading a file of text lines that anyone may have written: line by line,
// in bounded memory, with errors as results rather than exceptions.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>

namespace skyvane {

enum class LineEnd {
  kWhole,     // ended by '\n' (a '\r' before it is taken off)
  kTooLong,   // longer than the limit: cut there, the rest up to its '\n' skipped
  kUnended,   // the file's last bytes, without a '\n': a write that never ended
};

// Calls each(line, end) for every line of the file in order. Returns 0 when
// the whole file was read, else the errno that stopped it (ENOENT for a
// missing file, EISDIR for a folder, EIO ...); lines passed before an error
// stay passed.
int ReadFileLines(const std::filesystem::path& path, std::size_t maxLine,
                  const std::function<void(std::string_view line, LineEnd end)>& each);

}  // namespace skyvane
