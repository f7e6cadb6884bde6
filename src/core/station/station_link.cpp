#include "core/station/station_link.h"

#include <algorithm>
#include <thread>

#include "core/station/test_image.h"
#include "core/transfer/report_format.h"

namespace skyvane {

namespace {

// Test mode: station addresses wrap at 16 bits, and only 0x000..0x1FF exist.
bool InTestImage(std::uint16_t address) { return address < memmap::kTestImageSize; }

}  // namespace

StationLink::StationLink(std::unique_ptr<Transfer> transfer, bool testMode)
    : transfer_(std::move(transfer)), testMode_(testMode), testImage_(TestImage) {}

void StationLink::TestPause() const {
  if (testPause_.count() > 0) std::this_thread::sleep_for(testPause_);
}

bool StationLink::FindStation(int vendorId, int productId) {
  if (testMode_) return true;
  const int handle = transfer_ ? transfer_->FindHandle(vendorId, productId) : -1;
  deviceHandle = handle;
  return handle != -1;
}

bool StationLink::CheckStation() {
  if (testMode_) return true;
  const int handle = deviceHandle;
  if (handle == -1 || !transfer_ || transfer_->CheckHandle(handle) == 0) {
    deviceHandle = -1;
    return false;
  }
  return true;
}

bool StationLink::SendReport(const std::uint8_t* report8) {
  const int handle = deviceHandle;
  if (handle == -1 || !transfer_) return false;
  if (transfer_->WriteData(handle, report8) == 0) return false;
  if (trace_) trace_(true, report8);
  return true;
}

bool StationLink::ReceiveReport(std::uint8_t* report8) {
  const int handle = deviceHandle;
  if (handle == -1 || !transfer_) return false;
  if (transfer_->ReadData(handle, report8) == 0) return false;
  if (trace_) trace_(false, report8);
  return true;
}

bool StationLink::SendWithRetry(const std::uint8_t* report8, Clock::time_point deadline) {
  for (int attempt = 0; attempt < kReportAttempts; ++attempt) {
    if (SendReport(report8)) return true;
    if (deviceHandle == -1 || Clock::now() >= deadline) return false;
  }
  return false;
}

bool StationLink::ReceiveWithRetry(std::uint8_t* report8, Clock::time_point deadline) {
  for (int attempt = 0; attempt < kReportAttempts; ++attempt) {
    if (ReceiveReport(report8)) return true;
    if (deviceHandle == -1 || Clock::now() >= deadline) return false;
  }
  return false;
}

// One read-block command and its four data reports. The block counts only
// when all four arrived: a missing report would leave stale bytes that could
// decode as a plausible reading.
bool StationLink::ReadOneBlock(std::uint16_t address, std::uint8_t* block32) {
  const auto command = report::ReadBlockCommand(address);
  if (!SendReport(command.data())) return false;
  const auto deadline = Clock::now() + kBlockTimeBudget;
  for (int k = 0; k < report::kDataReportsPerBlock; ++k) {
    if (!ReceiveWithRetry(block32 + 8 * k, deadline)) return false;
  }
  return true;
}

bool StationLink::ReadBlocks(std::uint16_t address, std::uint8_t* dest, int& length) {
  if (testMode_) {
    for (int i = 0; i < length; ++i) {
      const auto at = static_cast<std::uint16_t>(address + i);
      dest[i] = InTestImage(at) ? testImage_[at] : 0x00;
    }
    TestPause();
    return true;
  }
  int offset = 0;
  bool result = true;
  while (offset < length) {
    std::uint8_t block[memmap::kBlockSize];
    if (!ReadOneBlock(static_cast<std::uint16_t>(address + offset), block)) {
      result = false;
      break;
    }
    std::copy(block, block + memmap::kBlockSize, dest + offset);
    offset += memmap::kBlockSize;
  }
  length = offset;
  return result;
}

// Returns whether the block went through; commandSent tells the caller whether
// to go on (a command that cannot be sent ends the whole operation).
bool StationLink::WriteOneBlock(std::uint16_t address, const std::uint8_t* block32,
                                bool& commandSent) {
  const auto command = report::WriteBlockCommand(address);
  commandSent = SendReport(command.data());
  if (!commandSent) return false;
  const auto deadline = Clock::now() + kBlockTimeBudget;
  bool ok = true;
  for (int k = 0; k < report::kDataReportsPerBlock; ++k) {
    if (!SendWithRetry(block32 + 8 * k, deadline)) ok = false;
  }
  std::this_thread::sleep_for(kAcknowledgementPause);
  std::uint8_t ack[report::kSize];
  if (!ReceiveWithRetry(ack, deadline + kAcknowledgementPause)) return false;
  return ok && report::IsAcknowledgement(ack);
}

bool StationLink::WriteBlocks(std::uint16_t address, const std::uint8_t* src, int& length) {
  if (testMode_) {
    for (int i = 0; i < length; ++i) {
      const auto at = static_cast<std::uint16_t>(address + i);
      if (InTestImage(at)) testImage_[at] = src[i];
    }
    TestPause();
    return true;
  }
  int offset = 0;
  bool result = true;
  while (offset < length) {
    bool commandSent = false;
    if (!WriteOneBlock(static_cast<std::uint16_t>(address + offset), src + offset, commandSent)) {
      result = false;
      if (!commandSent) break;
    }
    offset += memmap::kBlockSize;
  }
  length = offset;
  return result;
}

bool StationLink::WriteByte(std::uint16_t address, std::uint8_t value) {
  if (testMode_) {
    if (InTestImage(address)) testImage_[address] = value;
    TestPause();
    return true;
  }
  const auto command = report::WriteByteCommand(address, value);
  if (!SendReport(command.data())) return false;
  const auto deadline = Clock::now() + kBlockTimeBudget;
  std::this_thread::sleep_for(kAcknowledgementPause);
  std::uint8_t ack[report::kSize];
  if (!ReceiveWithRetry(ack, deadline + kAcknowledgementPause)) return false;
  return report::IsAcknowledgement(ack);
}

}  // namespace skyvane
