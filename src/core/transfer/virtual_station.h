#pragma once
// An in-process emulation of the station's base unit behind the transfer
// operations: it answers the real 8-byte report protocol over a full 64 KiB
// memory, optionally kept in an image file that every write is saved to.
//
// A live simulation builds on the command hook: it runs before each command is
// served, with the memory in hand, so weather can move and the ring advance
// between exchanges. For tests it injects the faults a real link shows.
#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/transfer/report_format.h"
#include "core/transfer/station_memory.h"
#include "core/transfer/transfer.h"

namespace skyvane {

class VirtualStation : public Transfer {
 public:
  using CommandHook = std::function<void(StationMemory& memory, const report::Report& command)>;

  explicit VirtualStation(int vendorId = 0x1941, int productId = 0x8021);

  // Loads the image and saves every later write back to it.
  bool LoadImage(const std::filesystem::path& file, std::string& error);
  // Why the last save failed (the write was then not acknowledged).
  std::string LastSaveError() const;

  // Direct access for setting up; use WithMemory while another thread may talk.
  StationMemory& Memory() { return memory_; }
  void WithMemory(const std::function<void(StationMemory&)>& fn);
  void SetCommandHook(CommandHook hook);

  // --- fault injection ---
  // The n-th data report from now on (1 = the next) is never sent.
  void DropDataReport(int n);
  // The next acknowledgement is these bytes instead of eight 0xA5.
  void SendWrongAcknowledgement(const report::Report& ack);
  // After accepting n more reports, every report sent to the station is refused.
  void RefuseReportsAfter(int n);
  void AcceptReports();
  // Commands are taken but never answered (plugged in, but silent).
  void SetSilent(bool silent);
  // After n more reports in either direction the station is unplugged.
  void UnplugAfter(int n);
  void Unplug();
  void Replug();
  bool IsPlugged() const;
  // How long a read waits for a report that is not there (a real module waits briefly).
  void SetReadWait(std::chrono::milliseconds wait);

  // Every report the station took, in order (commands and data).
  std::vector<report::Report> ReceivedReports() const;

  int FindHandle(int vendorId, int productId) override;
  std::uint8_t CheckHandle(int handle) override;
  std::uint8_t WriteData(int handle, const std::uint8_t* report8) override;
  std::uint8_t ReadData(int handle, std::uint8_t* report8) override;

 private:
  bool HandleOpen(int handle) const { return plugged_ && handle != -1 && handle == openHandle_; }
  void CountReport();
  void PullPlug();
  void Serve(const report::Report& r);
  void ServeCommand(const report::Report& command);
  void FinishBlockWrite();
  void QueueData(const std::uint8_t* bytes8);
  void QueueAcknowledgement();
  bool Persist(std::uint16_t address, const std::uint8_t* before, int count);

  mutable std::mutex mutex_;
  StationMemory memory_;
  std::filesystem::path imageFile_;
  std::string lastSaveError_;
  CommandHook hook_;
  int vendorId_;
  int productId_;

  bool plugged_ = true;
  int openHandle_ = -1;
  int nextHandle_ = 1;
  std::deque<report::Report> outgoing_;
  std::vector<report::Report> received_;

  // A write-block command is followed by four data reports.
  bool takingBlock_ = false;
  std::uint16_t blockAddress_ = 0;
  std::vector<std::uint8_t> blockData_;

  int dropCountdown_ = 0;  // 0: nothing to drop
  std::optional<report::Report> wrongAck_;
  int refuseCountdown_ = -1;  // -1: accept everything
  bool silent_ = false;
  int unplugCountdown_ = -1;  // -1: stays plugged in
  std::chrono::milliseconds readWait_{0};
};

}  // namespace skyvane
