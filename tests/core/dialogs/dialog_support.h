#pragma once
// A station for the dialog rules: the virtual station seeded with the test
// image, and a busy sleep that only counts (the rules sleep one second per
// busy check).
#include <chrono>
#include <cstdint>
#include <vector>

#include "core/station/device_busy.h"
#include "core/station/device_support.h"
#include "core/station/test_image.h"

namespace skyvane::test {

struct DialogStation : VirtualDevice {
  int sleeps = 0;
  std::chrono::milliseconds slept{0};

  DialogStation() { Put(0, std::vector<std::uint8_t>(TestImage.begin(), TestImage.end())); }

  BusySleep Sleep() {
    return [this](std::chrono::milliseconds d) {
      ++sleeps;
      slept += d;
    };
  }
  // The test image with some bytes changed: what memory must hold afterwards.
  static std::vector<std::uint8_t> ImageWith(std::uint16_t address, const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> image(TestImage.begin(), TestImage.end());
    for (std::size_t i = 0; i < bytes.size(); ++i) image[address + i] = bytes[i];
    return image;
  }
  std::vector<std::uint8_t> Image() { return Get(0, static_cast<int>(TestImage.size())); }
};

}  // namespace skyvane::test
