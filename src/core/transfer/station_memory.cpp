#include "core/transfer/station_memory.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include "core/app/posix_file.h"

namespace skyvane {

void StationMemory::Read(std::uint16_t address, std::uint8_t* dest, int count) const {
  for (int i = 0; i < count; ++i) {
    dest[i] = bytes_[static_cast<std::uint16_t>(address + i)];
  }
}

void StationMemory::Write(std::uint16_t address, const std::uint8_t* src, int count) {
  for (int i = 0; i < count; ++i) {
    bytes_[static_cast<std::uint16_t>(address + i)] = src[i];
  }
}

bool StationMemory::Load(const std::filesystem::path& file, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) {
    error = file.string() + ": no such station image";
    return false;
  }
  if (!std::filesystem::is_regular_file(file, ec)) {
    error = file.string() + ": not a station image file";
    return false;
  }
  const auto size = std::filesystem::file_size(file, ec);
  if (ec) {
    error = file.string() + ": " + ec.message();
    return false;
  }
  if (size != memmap::kMemorySize) {
    error = file.string() + ": " + std::to_string(size) +
            " bytes, a station image must be exactly 65536 bytes";
    return false;
  }
  std::ifstream in(file, std::ios::binary);
  std::array<std::uint8_t, memmap::kMemorySize> loaded;
  if (!in || !in.read(reinterpret_cast<char*>(loaded.data()), loaded.size())) {
    error = file.string() + ": cannot be read: " + std::strerror(errno);
    return false;
  }
  bytes_ = loaded;
  return true;
}

bool StationMemory::Save(const std::filesystem::path& file, std::string& error) const {
  const std::string_view bytes(reinterpret_cast<const char*>(bytes_.data()), bytes_.size());
  const ReplaceResult saved = ReplaceFileAtomically(file.string(), bytes);
  if (!saved.ok()) error = saved.Message(file.string());
  return saved.ok();
}

}  // namespace skyvane
