#include "core/history/history_download.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <set>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "core/app/text_table.h"
#include "core/app/time_text.h"
#include "core/history/history_file.h"
#include "core/history/history_line.h"
#include "core/memory/byte_codec.h"
#include "core/memory/memory_map.h"
#include "core/station/station_device.h"
#include "core/station/weather_record_codec.h"
#include "core/units/timestamps.h"
#include "core/units/value_text.h"

namespace skyvane {
namespace {

using Block = std::array<std::uint8_t, memmap::kBlockSize>;

constexpr int kMostHistoryRecords = memmap::kRingSlots - 1;
// A record's interval byte counts when it lies in the station's range.
constexpr int kShortestInterval = 1;
constexpr int kLongestInterval = 240;
constexpr int kUsualInterval = 5;  // what an interval byte out of range decodes as

enum class Decoded { kPlausible, kImplausible, kReadFailed };

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

std::string RecordHex(const Block& block, int offset) {
  return HexDump(std::span<const std::uint8_t>(block.data() + offset, memmap::kRecordSize));
}

std::string_view TrimmedHex(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

// Minutes a skipped record stands for: its own interval byte when that is
// one, else the station's logging interval.
int SkippedMinutes(const Block& block, int offset, int loggingInterval) {
  const int own = block[static_cast<std::size_t>(offset)];
  return (own >= kShortestInterval && own <= kLongestInterval) ? own : loggingInterval;
}

// A stored time the new records may continue from: readable, and not later
// than now.
bool CanContinueFrom(const std::string& stored, std::time_t now) {
  unsigned numbers[6];
  if (!ReadTimeText(stored, numbers)) return false;
  const std::int64_t t = TimestampToTime(stored);
  return t > 0 && t <= static_cast<std::int64_t>(now);
}

// Drops the rows whose record the data file's newest lines already hold
// (same address, same bytes). False when the file stayed busy.
bool DropStoredRows(HistoryFile& file, HistoryRowArray& rows) {
  std::set<std::pair<std::string, std::string>> stored;
  int seen = 0;
  const auto scan = file.ScanBackward([&](std::string_view text) {
    std::array<std::string_view, line::kPositions> pieces;
    if (SplitLine(text, pieces, line::kReservedPosition) >= line::kReservedPosition) {
      stored.emplace(std::string(pieces[line::kAddressPosition]),
                     std::string(TrimmedHex(pieces[line::kRawBytesPosition])));
    }
    return ++seen < kMostHistoryRecords;
  });
  if (scan == HistoryFile::Scan::kBusy) return false;
  std::erase_if(rows, [&stored](const HistoryRow& r) {
    return stored.count({r[row::stationAddress], std::string(TrimmedHex(r[row::rawBytes]))}) > 0;
  });
  return true;
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
  // The slot being filled, which needs a history record below it.
  const int current = IntegerValue(header[hdr::kCurrentAddress]);
  if (!memmap::IsRingSlot(current) || current == memmap::kRingFirst) {
    return nothing(DownloadEnd::kNoHistory);
  }
  std::uint16_t newest = memmap::PreviousSlot(static_cast<std::uint16_t>(current));

  HistoryRow last;
  context.file.LoadLastRow(last);
  const std::string lastTime = last[row::recordTime];
  const std::string lastBytes(TrimmedHex(last[row::rawBytes]));
  const std::string progressEntry(context.text.Text(Txt::DataHasBeenRead));
  int loggingInterval = IntegerValue(header[hdr::kInterval]);
  if (loggingInterval < kShortestInterval || loggingInterval > kLongestInterval) {
    loggingInterval = kUsualInterval;
  }

  std::time_t cursor = context.now;
  int stored = 0;
  int skipped = 0;
  int remaining = wanted;
  bool lastMet = false;
  // The slot of the last stored record holds another one: the station wrote
  // its whole ring over since, and the stored record is gone.
  bool lapped = false;
  // Per row: minutes of the skipped records just older than it, which the
  // times that continue the file must count too.
  std::vector<int> skippedBefore;
  while (remaining >= 1 && !lastMet) {
    if (context.cancelled && context.cancelled()) return nothing(DownloadEnd::kCancelled);
    // Two records come in one block, the newer in its upper half; below the
    // ring's first slot lies the max/min block, not a record.
    const int step = (newest == memmap::kRingFirst || remaining == 1) ? 1 : 2;
    if (context.status) context.status(ProgressText(stored + skipped + step, progressEntry));

    const int address = newest - memmap::kRecordSize;
    Block block;
    if (!ReadBlock(context.device, address, block)) {
      // Appending the rows above an unreadable block would move the file past
      // the records below it for good: take nothing this time.
      return nothing(DownloadEnd::kBlockUnreadable);
    }
    for (int offset : {static_cast<int>(memmap::kRecordSize), 0}) {
      if (offset == 0 && step == 1) break;
      HistoryRow record;
      record[row::stationAddress] = AddressText(address + offset);
      // Known by its address, and by its bytes where the file has them: the
      // bytes as read, since the stored record need not decode again.
      if (!lapped && IsLastStored(last, record, context.testMode)) {
        auto holdsLast = [&] {
          return lastBytes.empty() || TrimmedHex(RecordHex(block, offset)) == lastBytes;
        };
        // One fresh read tells a garbled report from a slot written over.
        if (!holdsLast() && !ReadBlock(context.device, address, block)) {
          return nothing(DownloadEnd::kBlockUnreadable);
        }
        lastMet = holdsLast();
        if (lastMet) break;
        lapped = true;
      }
      Decoded decoded = DecodeRecord(context.device, address, block, offset, record);
      if (decoded == Decoded::kReadFailed) return nothing(DownloadEnd::kBlockUnreadable);
      if (decoded == Decoded::kImplausible) {
        ++skipped;
        // Its time passed all the same: the records older than it keep theirs.
        const int minutes = SkippedMinutes(block, offset, loggingInterval);
        cursor -= static_cast<std::time_t>(minutes) * 60;
        if (!skippedBefore.empty()) skippedBefore.back() += minutes;
        continue;
      }
      record[row::stationAddress] = AddressText(address + offset);
      record[row::recordTime] = LocalTimeText(cursor);
      cursor -= static_cast<std::time_t>(IntegerValue(record[row::interval])) * 60;
      rows.push_back(record);
      skippedBefore.push_back(0);
      ++stored;
    }
    newest = memmap::PreviousSlot(step == 2 ? memmap::PreviousSlot(newest) : newest);
    remaining = wanted - skipped - stored;
  }

  // With records stored, the new ones continue the file's times rather than
  // being counted back from now; not after a lap (the records in between are
  // gone), nor from a stored time that cannot be read or lies ahead of now.
  if (lastTime.size() > 10 && !lapped && CanContinueFrom(lastTime, context.now)) {
    cursor = static_cast<std::time_t>(TimestampToTime(lastTime));
    for (std::size_t i = rows.size(); i-- > 0;) {
      const int minutes = IntegerValue(rows[i][row::interval]) + skippedBefore[i];
      cursor += static_cast<std::time_t>(minutes) * 60;
      rows[i][row::recordTime] = LocalTimeText(cursor);
    }
  }
  // A station whose pointer went back, or a data file whose last line was not
  // its newest record, must not bring records the file holds a second time.
  if (!context.testMode && !rows.empty() && !DropStoredRows(context.file, rows)) {
    return nothing(DownloadEnd::kFileBusy);
  }
  outcome = lapped ? DownloadEnd::kLapped : DownloadEnd::kDone;
  return static_cast<int>(rows.size());
}

}  // namespace skyvane
