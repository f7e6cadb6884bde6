#pragma once
// The station's 64 KiB memory as a plain byte array, kept in a raw 64 KiB
// image file. Addresses wrap at 16 bits, as they do in the station.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/memory/memory_map.h"

namespace skyvane {

class StationMemory {
 public:
  StationMemory() { bytes_.fill(0); }

  std::uint8_t Get(std::uint16_t address) const { return bytes_[address]; }
  void Set(std::uint16_t address, std::uint8_t value) { bytes_[address] = value; }
  // count bytes from address on, wrapping from 0xFFFF to 0x0000.
  void Read(std::uint16_t address, std::uint8_t* dest, int count) const;
  void Write(std::uint16_t address, const std::uint8_t* src, int count);

  std::array<std::uint8_t, memmap::kMemorySize>& Bytes() { return bytes_; }
  const std::array<std::uint8_t, memmap::kMemorySize>& Bytes() const { return bytes_; }

  // The file must hold exactly 65536 bytes; otherwise the memory is unchanged
  // and error says why in one line.
  bool Load(const std::filesystem::path& file, std::string& error);
  // Replaces the file as a whole (written beside it, flushed to the disk, then
  // renamed), so neither a failed save nor a power loss leaves a half-written
  // or empty image behind.
  bool Save(const std::filesystem::path& file, std::string& error) const;

 private:
  std::array<std::uint8_t, memmap::kMemorySize> bytes_;
};

}  // namespace skyvane
