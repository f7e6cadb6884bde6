#pragma once
// A virtual station with a history ring, a data file in a scratch folder and a
// fixed clock: what the download and the polling cycle work against in tests.
#include <array>
#include <cstdint>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/app/app_settings.h"
#include "core/app/clock.h"
#include "core/app/text_table.h"
#include "core/history/history_file.h"
#include "core/transfer/station_memory.h"
#include "core/station/station_device.h"
#include "core/transfer/report_format.h"
#include "core/transfer/virtual_station.h"
#include "support/scratch_folder.h"
#include "support/local_time.h"

namespace skyvane::testing {

// The virtual station behind a link that can lose the answers to block reads:
// a read command for which failRead says true never reaches the station, so
// no answer ever comes. Counts the read commands sent per address.
class LossyLink : public Transfer {
 public:
  explicit LossyLink(std::unique_ptr<VirtualStation> station) : station_(std::move(station)) {}

  VirtualStation& Station() { return *station_; }

  void FailReadsAt(std::uint16_t address) {
    std::lock_guard<std::mutex> lock(mutex_);
    failing_[address] = true;
  }
  void FailAllReadsBelow(std::uint16_t address) {
    std::lock_guard<std::mutex> lock(mutex_);
    failBelow_ = address;
  }
  // The next n read commands for the block at address get no answer.
  void FailNextReadsAt(std::uint16_t address, int n) {
    std::lock_guard<std::mutex> lock(mutex_);
    failCounts_[address] = n;
  }
  void Heal() {
    std::lock_guard<std::mutex> lock(mutex_);
    failing_.clear();
    failCounts_.clear();
    failBelow_ = 0;
  }
  // Block-read commands sent since the last call, in order.
  std::vector<std::uint16_t> TakeReadAddresses() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::uint16_t> out;
    out.swap(reads_);
    return out;
  }

  int FindHandle(int vendorId, int productId) override { return station_->FindHandle(vendorId, productId); }
  std::uint8_t CheckHandle(int handle) override { return station_->CheckHandle(handle); }
  std::uint8_t WriteData(int handle, const std::uint8_t* report8) override {
    if (report8[0] == report::kReadBlock) {
      const std::uint16_t address = report::CommandAddress(report8);
      std::lock_guard<std::mutex> lock(mutex_);
      reads_.push_back(address);
      lost_ = failing_.count(address) > 0 || (address >= 0x100 && address < failBelow_);
      auto counted = failCounts_.find(address);
      if (counted != failCounts_.end() && counted->second > 0) {
        --counted->second;
        lost_ = true;
      }
      if (lost_) return 1;
    }
    return station_->WriteData(handle, report8);
  }
  std::uint8_t ReadData(int handle, std::uint8_t* report8) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (lost_) return 0;
    }
    return station_->ReadData(handle, report8);
  }

 private:
  std::unique_ptr<VirtualStation> station_;
  std::mutex mutex_;
  std::map<std::uint16_t, bool> failing_;
  std::map<std::uint16_t, int> failCounts_;
  std::uint16_t failBelow_ = 0;
  bool lost_ = false;
  std::vector<std::uint16_t> reads_;
};

using RecordBytes = std::array<std::uint8_t, 16>;

// A plausible record; tag makes each one different (rain counter and indoor humidity).
inline RecordBytes MakeRecord(int interval, int tag) {
  RecordBytes r{};
  r[0] = static_cast<std::uint8_t>(interval);
  r[1] = static_cast<std::uint8_t>(30 + tag % 60);  // indoor humidity
  r[2] = 0xD7;                                      // indoor 21.5 °C
  r[3] = 0x00;
  r[4] = 60;                                        // outdoor humidity
  r[5] = 0x20;                                      // outdoor 3.2 °C
  r[6] = 0x00;
  r[7] = 0x94;                                      // 1013.2 hPa
  r[8] = 0x27;
  r[9] = 12;                                        // wind 1.2 m/s
  r[10] = 20;                                       // gust 2.0 m/s
  r[11] = 0x00;
  r[12] = 4;                                        // east
  r[13] = static_cast<std::uint8_t>(tag & 0xFF);    // rain counter
  r[14] = static_cast<std::uint8_t>((tag >> 8) & 0xFF);
  r[15] = 0x00;
  return r;
}

inline std::string AddressText(int address) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", address);
  return text;
}

// The fixed blocks of a station in service: metric units, the alarm block's
// current pressures (relative 1013.2, absolute 1009.5 hPa).
inline void WriteFixedBlocks(StationMemory& m) {
  m.Set(0x00, 0x55);
  m.Set(0x01, 0xAA);
  m.Set(0x10, 5);     // logging interval
  m.Set(0x11, 0x20);  // °C, °C, mm, Hpa
  m.Set(0x12, 0x01);  // m/s
  m.Set(0x20, 0x94);
  m.Set(0x21, 0x27);
  m.Set(0x22, 0x6F);
  m.Set(0x23, 0x27);
}

inline void Put16(StationMemory& m, int address, int value) {
  m.Set(static_cast<std::uint16_t>(address), static_cast<std::uint8_t>(value & 0xFF));
  m.Set(static_cast<std::uint16_t>(address + 1), static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// count records in the station: the current one at `current`, and below it
// (wrapping at the first slot) count - 1 history records whose intervals,
// newest first, are taken from intervals (repeating its last value).
inline void FillRing(StationMemory& m, int count, int current, const std::vector<int>& intervals = {5}) {
  Put16(m, 0x1B, count);
  Put16(m, 0x1E, current);
  RecordBytes bytes = MakeRecord(5, 10000);
  m.Write(static_cast<std::uint16_t>(current), bytes.data(), 16);
  int address = current;
  const int history = std::min(count - 1, 4079);
  for (int i = 0; i < history; ++i) {
    address = address == 0x100 ? 0xFFF0 : address - 16;
    const int interval = intervals[std::min<std::size_t>(i, intervals.size() - 1)];
    bytes = MakeRecord(interval, 9999 - i);
    m.Write(static_cast<std::uint16_t>(address), bytes.data(), 16);
  }
}

class StationRig {
 public:
  explicit StationRig(bool testMode = false) {
    auto station = std::make_unique<VirtualStation>(0x1941, 0x8021);
    auto link = std::make_unique<LossyLink>(std::move(station));
    link_ = link.get();
    device_ = std::make_unique<StationDevice>(std::move(link), testMode, 0x1941, 0x8021);
    device_->SetClock(clock_);
    device_->Link().SetTestPause(std::chrono::milliseconds(0));
    device_->UpdateConnection();
    device_->EnableWatch();
    file_.OpenFile((folder_ / "Skyvane.dat").string());
    WriteFixedBlocks();
  }

  StationDevice& Device() { return *device_; }
  HistoryFile& File() { return file_; }
  FixedClock& Clock() { return clock_; }
  TextTable& Text() { return text_; }
  AppSettings& Settings() { return settings_; }
  LossyLink& Link() { return *link_; }
  VirtualStation& Station() { return link_->Station(); }
  std::filesystem::path DataFile() const { return folder_ / "Skyvane.dat"; }
  const std::filesystem::path& Folder() const { return folder_.path(); }

  void SetCount(int count) { Put16(0x1B, count); }
  void SetCurrent(int address) { Put16(0x1E, address); }
  void PutRecord(int address, const RecordBytes& bytes) {
    Station().WithMemory([&](StationMemory& m) {
      m.Write(static_cast<std::uint16_t>(address), bytes.data(), 16);
    });
  }
  void FillRing(int count, int current, const std::vector<int>& intervals = {5}) {
    Station().WithMemory([&](StationMemory& m) { testing::FillRing(m, count, current, intervals); });
  }
  std::string RawBytesOf(int address) {
    std::string text;
    Station().WithMemory([&](StationMemory& m) {
      for (int i = 0; i < 16; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", m.Get(static_cast<std::uint16_t>(address + i)));
        text += hex;
      }
    });
    return text;
  }

 private:
  void Put16(int address, int value) {
    Station().WithMemory([&](StationMemory& m) { testing::Put16(m, address, value); });
  }
  void WriteFixedBlocks() {
    Station().WithMemory([](StationMemory& m) { testing::WriteFixedBlocks(m); });
  }

  test::ScratchFolder folder_;
  FixedClock clock_{test::LocalTime(2026, 3, 1, 12, 0, 0)};
  LossyLink* link_ = nullptr;
  std::unique_ptr<StationDevice> device_;
  HistoryFile file_{clock_};
  TextTable text_{0};
  AppSettings settings_;
};

}  // namespace skyvane::testing
