#include "core/history/history_download.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <span>

#include "core/app/text_table.h"
#include "core/history/history_file.h"
#include "core/station/memory_map.h"
#include "core/station/station_device.h"
#include "core/station/weather_record_codec.h"
#include "core/units/timestamps.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

using Block = std::array<std::uint8_t, memmap::kBlockSize>;

// The lowest current-record address with a history record below it.
constexpr int kLowestCurrentAddress = memmap::kRingFirst + memmap::kRecordSize;
constexpr int kMostHistoryRecords = memmap::kRingSlots - 1;
// Addresses of a block from which the walk continues at the top of the ring.
constexpr int kWrapAfterFirstSlot = memmap::kRingFirst;
constexpr int kWrapAfterLoneSlot = memmap::kRingFirst - memmap::kRecordSize;
constexpr int kRingTop = 0x10000;

enum class Decoded { kPlausible, kImplausible, kReadFailed };

std::string LocalTimeText(std::time_t t) {
  std::tm parts{};
  localtime_r(&t, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

std::string AddressText(int address) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", address);
  return text;
}

// A failed read is tried again; a station that stays silent gives up after a
// few attempts instead of holding the link for the whole ring.
bool ReadBlock(StationDevice& device, int address, Block& block) {
  for (int attempt = 0; attempt < kDownloadReadAttempts; ++attempt) {
    block.fill(0);
    int length = memmap::kBlockSize;
    if (device.Link().ReadBlocks(static_cast<std::uint16_t>(address), block.data(), length)) {
      return true;
    }
  }
  return false;
}

// Decodes the record at offset (0 older, 16 newer) of the block at address;
// implausible values earn one fresh read of the block.
Decoded DecodeRecord(StationDevice& device, int address, Block& block, int offset,
                     HistoryRow& row) {
  row = HistoryRow{};
  auto bytes = [&] {
    return std::span<const std::uint8_t, memmap::kRecordSize>(block.data() + offset,
                                                              memmap::kRecordSize);
  };
  if (DecodeWeatherRecord(bytes(), row)) return Decoded::kPlausible;
  if (!ReadBlock(device, address, block)) return Decoded::kReadFailed;
  row = HistoryRow{};
  return DecodeWeatherRecord(bytes(), row) ? Decoded::kPlausible : Decoded::kImplausible;
}

std::string ProgressText(int count, const std::string& entry) {
  char text[256];
  std::snprintf(text, sizeof text, "%d %s ...", count, entry.c_str());
  return text;
}

}  // namespace

bool IsLastStored(const HistoryRow& last, const HistoryRow& row, bool testMode) {
  if (testMode) return false;
  return row[row::stationAddress] == last[row::stationAddress];
}

int DownloadHistory(HistoryRowArray& rows, const DownloadContext& context, DownloadEnd* end) {
  DownloadEnd ignored;
  DownloadEnd& outcome = end != nullptr ? *end : ignored;
  auto nothing = [&rows, &outcome](DownloadEnd why) {
    rows.clear();
    outcome = why;
    return 0;
  };
  rows.clear();
  HeaderRecord header;
  if (!context.device.ReadHeader(header)) return nothing(DownloadEnd::kHeaderUnreadable);

  const int wanted = std::min(IntegerValue(header[hdr::kRecordCount]) - 1, kMostHistoryRecords);
  if (wanted < 1) return nothing(DownloadEnd::kNoHistory);
  int above = IntegerValue(header[hdr::kCurrentAddress]);
  if (above < kLowestCurrentAddress || above > memmap::kRingLast ||
      above % memmap::kRecordSize != 0) {
    return nothing(DownloadEnd::kNoHistory);
  }

  HistoryRow last;
  context.file.LoadLastRow(last);
  const std::string lastTime = last[row::recordTime];
  const std::string progressEntry(context.text.Text(Txt::DataHasBeenRead));

  std::time_t cursor = context.now;
  int stored = 0;
  int skipped = 0;
  int remaining = wanted;
  bool lastMet = false;
  while (remaining >= 1 && !lastMet) {
    if (context.cancelled && context.cancelled()) return nothing(DownloadEnd::kCancelled);
    const int step = (above == kLowestCurrentAddress || remaining == 1) ? 1 : 2;
    if (context.status) context.status(ProgressText(stored + skipped + step, progressEntry));

    const int address = above - memmap::kBlockSize;
    Block block;
    if (!ReadBlock(context.device, address, block)) {
      // Appending the rows above an unreadable block would move the file past
      // the records below it for good: take nothing this time.
      return nothing(DownloadEnd::kBlockUnreadable);
    }
    for (int offset : {static_cast<int>(memmap::kRecordSize), 0}) {
      if (offset == 0 && step == 1) break;
      HistoryRow record;
      Decoded decoded = DecodeRecord(context.device, address, block, offset, record);
      if (decoded == Decoded::kReadFailed) return nothing(DownloadEnd::kBlockUnreadable);
      if (decoded == Decoded::kImplausible) {
        ++skipped;
        continue;
      }
      record[row::stationAddress] = AddressText(address + offset);
      record[row::recordTime] = LocalTimeText(cursor);
      if (IsLastStored(last, record, context.testMode)) {
        lastMet = true;
        break;
      }
      cursor -= static_cast<std::time_t>(IntegerValue(record[row::interval])) * 60;
      rows.push_back(record);
      ++stored;
    }
    above = (address == kWrapAfterFirstSlot || address == kWrapAfterLoneSlot) ? kRingTop : address;
    remaining = wanted - skipped - stored;
  }

  // With records stored, the new ones continue the file's times rather than
  // being counted back from now.
  if (lastTime.size() > 10) {
    cursor = static_cast<std::time_t>(TimestampToTime(lastTime));
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
      cursor += static_cast<std::time_t>(IntegerValue((*it)[row::interval])) * 60;
      (*it)[row::recordTime] = LocalTimeText(cursor);
    }
  }
  outcome = DownloadEnd::kDone;
  return stored;
}

}  // namespace skyvane
