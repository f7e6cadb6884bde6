#pragma once
// StationDevice: the one process-wide station object — its link, the connection
// watch flags, the device-busy flag and the block operations on station memory.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "core/app/clock.h"
#include "core/station/alarm_record.h"
#include "core/station/header_record.h"
#include "core/station/history_row.h"
#include "core/station/maxmin_record.h"
#include "core/station/station_link.h"

namespace skyvane {

class StationDevice {
 public:
  // transfer may be null (no module loaded: no station is ever found).
  StationDevice(std::unique_ptr<Transfer> transfer, bool testMode, int vendorId, int productId);
  ~StationDevice();
  StationDevice(const StationDevice&) = delete;
  StationDevice& operator=(const StationDevice&) = delete;

  StationLink& Link() { return link_; }

  // Connection watch, run by the user-interface timer.
  bool UpdateConnection();
  bool IsConnected() const { return link_.connected.load(); }
  bool IsWatchEnabled() const { return watchEnabled_.load(); }
  void EnableWatch() { watchEnabled_.store(true); }
  bool HasLinkChanged() const { return linkChanged_.load(); }

  // The one guard of the station link (see device_busy.h for the claim helpers).
  std::atomic<bool>& DeviceBusy() { return deviceBusy_; }

  // Block operations (false when the exchange failed; the record is then unchanged).
  bool ReadHeader(HeaderRecord& header);
  bool WriteHeader(HeaderRecord& header);
  bool ClearHistory();
  bool ReadWeatherRecord(int address, HistoryRow& row);
  bool ReadAlarms(AlarmRecord& alarms);
  bool WriteAlarms(AlarmRecord& alarms);
  bool ReadMaxMin(MaxMinRecord& maxmin);

  // The clock that stamps records read by ReadWeatherRecord; the system clock
  // unless set. The clock must outlive the device.
  void SetClock(const Clock& clock) { clock_ = &clock; }

 private:
  // Reads the fixed block of N bytes at address and decodes it into record;
  // false (record unchanged) when the exchange failed.
  template <std::size_t N, class Record>
  bool ReadDecoded(std::uint16_t address, Record& record,
                   void (*decode)(std::span<const std::uint8_t, N>, Record&)) {
    std::array<std::uint8_t, N> bytes{};
    int length = static_cast<int>(N);
    if (!link_.ReadBlocks(address, bytes.data(), length)) return false;
    decode(bytes, record);
    return true;
  }

  SystemClock systemClock_;
  const Clock* clock_ = &systemClock_;
  StationLink link_;
  int vendorId_;
  int productId_;
  std::atomic<bool> watchEnabled_{true};
  std::atomic<bool> linkChanged_{false};
  std::atomic<bool> deviceBusy_{false};
};

}  // namespace skyvane
