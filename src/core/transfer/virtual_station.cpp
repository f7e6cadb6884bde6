#include "core/transfer/virtual_station.h"

#include <algorithm>
#include <thread>

namespace skyvane {

VirtualStation::VirtualStation(int vendorId, int productId)
    : vendorId_(vendorId), productId_(productId) {}

bool VirtualStation::LoadImage(const std::filesystem::path& file, std::string& error) {
  std::lock_guard lock(mutex_);
  if (!memory_.Load(file, error)) return false;
  imageFile_ = file;
  return true;
}

std::string VirtualStation::LastSaveError() const {
  std::lock_guard lock(mutex_);
  return lastSaveError_;
}

void VirtualStation::WithMemory(const std::function<void(StationMemory&)>& fn) {
  std::lock_guard lock(mutex_);
  fn(memory_);
}

void VirtualStation::SetCommandHook(CommandHook hook) {
  std::lock_guard lock(mutex_);
  hook_ = std::move(hook);
}

void VirtualStation::DropDataReport(int n) {
  std::lock_guard lock(mutex_);
  dropCountdown_ = std::max(n, 0);
}

void VirtualStation::SendWrongAcknowledgement(const report::Report& ack) {
  std::lock_guard lock(mutex_);
  wrongAck_ = ack;
}

void VirtualStation::RefuseReportsAfter(int n) {
  std::lock_guard lock(mutex_);
  refuseCountdown_ = std::max(n, 0);
}

void VirtualStation::AcceptReports() {
  std::lock_guard lock(mutex_);
  refuseCountdown_ = -1;
}

void VirtualStation::SetSilent(bool silent) {
  std::lock_guard lock(mutex_);
  silent_ = silent;
}

void VirtualStation::UnplugAfter(int n) {
  std::lock_guard lock(mutex_);
  unplugCountdown_ = std::max(n, 0);
  if (unplugCountdown_ == 0) PullPlug();
}

void VirtualStation::Unplug() {
  std::lock_guard lock(mutex_);
  PullPlug();
}

// Every open handle dies with the plug; reports in flight are lost.
void VirtualStation::PullPlug() {
  plugged_ = false;
  openHandle_ = -1;
  unplugCountdown_ = -1;
  outgoing_.clear();
  takingBlock_ = false;
  blockData_.clear();
}

void VirtualStation::Replug() {
  std::lock_guard lock(mutex_);
  plugged_ = true;
  unplugCountdown_ = -1;
}

bool VirtualStation::IsPlugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

void VirtualStation::SetReadWait(std::chrono::milliseconds wait) {
  std::lock_guard lock(mutex_);
  readWait_ = wait;
}

std::vector<report::Report> VirtualStation::ReceivedReports() const {
  std::lock_guard lock(mutex_);
  return received_;
}

int VirtualStation::FindHandle(int vendorId, int productId) {
  std::lock_guard lock(mutex_);
  if (!plugged_ || vendorId != vendorId_ || productId != productId_) return -1;
  // A fresh open starts a fresh exchange; a handle from before an unplug stays dead.
  openHandle_ = nextHandle_++;
  outgoing_.clear();
  takingBlock_ = false;
  blockData_.clear();
  return openHandle_;
}

std::uint8_t VirtualStation::CheckHandle(int handle) {
  std::lock_guard lock(mutex_);
  return HandleOpen(handle) ? 1 : 0;
}

void VirtualStation::CountReport() {
  if (unplugCountdown_ > 0 && --unplugCountdown_ == 0) PullPlug();
}

std::uint8_t VirtualStation::WriteData(int handle, const std::uint8_t* report8) {
  std::lock_guard lock(mutex_);
  if (!HandleOpen(handle)) return 0;
  if (refuseCountdown_ == 0) return 0;
  if (refuseCountdown_ > 0) --refuseCountdown_;
  report::Report r;
  std::copy(report8, report8 + report::kSize, r.begin());
  received_.push_back(r);
  Serve(r);
  CountReport();
  return 1;
}

std::uint8_t VirtualStation::ReadData(int handle, std::uint8_t* report8) {
  std::unique_lock lock(mutex_);
  if (!HandleOpen(handle)) return 0;
  if (outgoing_.empty() && readWait_.count() > 0) {
    const auto wait = readWait_;
    lock.unlock();
    std::this_thread::sleep_for(wait);
    lock.lock();
    if (!HandleOpen(handle)) return 0;
  }
  if (outgoing_.empty()) return 0;
  std::copy(outgoing_.front().begin(), outgoing_.front().end(), report8);
  outgoing_.pop_front();
  CountReport();
  return 1;
}

void VirtualStation::Serve(const report::Report& r) {
  if (takingBlock_) {
    blockData_.insert(blockData_.end(), r.begin(), r.end());
    if (blockData_.size() == memmap::kBlockSize) FinishBlockWrite();
    return;
  }
  ServeCommand(r);
}

void VirtualStation::ServeCommand(const report::Report& c) {
  const std::uint16_t address = report::CommandAddress(c.data());
  const bool blockForm = c[0] == c[4] && c[1] == c[5] && c[2] == c[6] && c[3] == c[7] &&
                         c[3] == report::kBlockLength;
  const bool byteForm = c[0] == report::kWriteByte && c[4] == report::kWriteByte &&
                        c[3] == report::kBlockLength && c[6] == 0x00 && c[7] == report::kBlockLength;
  const bool known = (blockForm && (c[0] == report::kReadBlock || c[0] == report::kWriteBlock)) ||
                     byteForm;
  if (!known) return;  // the base unit ignores what it does not understand
  if (hook_) hook_(memory_, c);

  if (c[0] == report::kReadBlock) {
    if (silent_) return;
    std::uint8_t block[memmap::kBlockSize];
    memory_.Read(address, block, memmap::kBlockSize);
    for (int k = 0; k < report::kDataReportsPerBlock; ++k) QueueData(block + 8 * k);
  } else if (c[0] == report::kWriteBlock) {
    takingBlock_ = true;
    blockAddress_ = address;
    blockData_.clear();
  } else {
    const std::uint8_t before = memory_.Get(address);
    memory_.Set(address, c[5]);
    if (Persist(address, &before, 1)) QueueAcknowledgement();
  }
}

void VirtualStation::FinishBlockWrite() {
  takingBlock_ = false;
  std::uint8_t before[memmap::kBlockSize];
  memory_.Read(blockAddress_, before, memmap::kBlockSize);
  memory_.Write(blockAddress_, blockData_.data(), memmap::kBlockSize);
  blockData_.clear();
  if (Persist(blockAddress_, before, memmap::kBlockSize)) QueueAcknowledgement();
}

// Saves a write to the image file; when that fails the write is undone and
// not acknowledged, so the caller learns that nothing was stored.
bool VirtualStation::Persist(std::uint16_t address, const std::uint8_t* before, int count) {
  if (imageFile_.empty()) return true;
  std::string error;
  if (memory_.Save(imageFile_, error)) return true;
  lastSaveError_ = error;
  memory_.Write(address, before, count);
  return false;
}

void VirtualStation::QueueData(const std::uint8_t* bytes8) {
  if (dropCountdown_ > 0 && --dropCountdown_ == 0) return;
  report::Report r;
  std::copy(bytes8, bytes8 + report::kSize, r.begin());
  outgoing_.push_back(r);
}

void VirtualStation::QueueAcknowledgement() {
  if (silent_) return;
  if (wrongAck_) {
    outgoing_.push_back(*wrongAck_);
    wrongAck_.reset();
    return;
  }
  outgoing_.push_back(report::Acknowledgement());
}

}  // namespace skyvane
