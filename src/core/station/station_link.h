#pragma once
// StationLink: the binding to the transfer operations and the block protocol
// (32-byte blocks over 8-byte reports), or the 512-byte test image in test mode.
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/memory/memory_map.h"
#include "core/transfer/transfer.h"

namespace skyvane {

class StationLink {
 public:
  // Attempts per report: one plus 0x60000 repeats, with no pause in between.
  static constexpr int kReportAttempts = 0x60000 + 1;
  // A silent station must not keep a block exchange spinning: all waiting for
  // reports within one block ends after this long, whatever the attempt count.
  static constexpr std::chrono::milliseconds kBlockTimeBudget{1000};
  // Pause between the last report of a write and its acknowledgement.
  static constexpr std::chrono::milliseconds kAcknowledgementPause{50};

  // transfer may be null: then no station is ever found.
  StationLink(std::unique_ptr<Transfer> transfer, bool testMode);

  bool FindStation(int vendorId, int productId);
  bool CheckStation();
  bool SendReport(const std::uint8_t* report8);
  bool ReceiveReport(std::uint8_t* report8);
  // length: in, the bytes wanted; out, the bytes covered (a multiple of 32).
  // dest must hold the length rounded up to a multiple of 32. A block whose
  // data does not arrive completely fails the read; length then ends before it.
  bool ReadBlocks(std::uint16_t address, std::uint8_t* dest, int& length);
  bool WriteBlocks(std::uint16_t address, const std::uint8_t* src, int& length);
  bool WriteByte(std::uint16_t address, std::uint8_t value);

  bool IsTestMode() const { return testMode_; }
  // Test mode's device-like pause per operation (200 ms); tests shorten it.
  void SetTestPause(std::chrono::milliseconds pause) { testPause_ = pause; }
  // Every report sent and received, for --trace. Called with (sent?, 8 bytes).
  void SetTrace(std::function<void(bool sent, const std::uint8_t* report8)> trace) {
    trace_ = std::move(trace);
  }
  Transfer* transfer() { return transfer_.get(); }

  std::atomic<bool> connected{false};
  std::atomic<int> deviceHandle{-1};

 private:
  using Clock = std::chrono::steady_clock;
  bool SendWithRetry(const std::uint8_t* report8, Clock::time_point deadline);
  bool ReceiveWithRetry(std::uint8_t* report8, Clock::time_point deadline);
  bool ReadOneBlock(std::uint16_t address, std::uint8_t* block32);
  bool WriteOneBlock(std::uint16_t address, const std::uint8_t* block32, bool& commandSent);
  void TestPause() const;

  std::unique_ptr<Transfer> transfer_;
  bool testMode_;
  std::chrono::milliseconds testPause_{200};
  std::array<std::uint8_t, memmap::kTestImageSize> testImage_;
  std::function<void(bool, const std::uint8_t*)> trace_;
};

}  // namespace skyvane
