#include "core/station/maxmin_codec.h"

#include <array>

#include "core/memory/block_layout.h"
#include "core/memory/byte_codec.h"
#include "core/station/station_device.h"

namespace skyvane {

namespace {

namespace ml = layout::maxmin;

constexpr int kExtremes = static_cast<int>(ml::kExtremeCount);
static_assert(mm::kRainTotalMax - mm::kIndoorHumidityMax + 1 == kExtremes &&
                  mm::kLastTime - mm::kFirstTime + 1 == kExtremes,
              "one value field and one time field per extreme, in block order");

// "20YY-MM-DD hh:mm" from the hex digits of the five bytes.
std::string TimestampText(std::span<const std::uint8_t> t) {
  const auto digits = [&](int i) { return HexDigits(t.subspan(i, 1)); };
  return "20" + digits(0) + "-" + digits(1) + "-" + digits(2) + " " + digits(3) + ":" + digits(4);
}

}  // namespace

void DecodeMaxMin(std::span<const std::uint8_t, memmap::kMaxMinSize> b, MaxMinRecord& m) {
  m[mm::kHexDump] = HexDump(b);
  m[mm::kReserved00] = HexDigits(b.subspan(ml::kReserved00.offset, ml::kReserved00.width));
  for (std::size_t k = 0; k < ml::kExtremeCount; ++k) {
    const int value = mm::kIndoorHumidityMax + static_cast<int>(k);
    m[value] = DecimalText(layout::ReadNumber(b, ml::kValues[k]));
    const layout::Field time = ml::TimeOf(k);
    m[value + mm::kTimeOffset] = TimestampText(b.subspan(time.offset, time.width));
  }
}

bool StationDevice::ReadMaxMin(MaxMinRecord& maxmin) {
  return ReadDecoded(memmap::kMaxMinAddress, maxmin, DecodeMaxMin);
}

}  // namespace skyvane
