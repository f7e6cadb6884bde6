// The handle table of libhidxfr.so and its four exports over hidapi.
#include "hidxfr.h"

#include <hidapi.h>

#include <array>
#include <cstring>
#include <mutex>
#include <string>

namespace {

constexpr int kMaxDevices = 8;
constexpr int kReportSize = 8;
// How long ReadData waits for an input report. The caller retries, so this
// only keeps a waiting caller from spinning a processor core.
constexpr int kReadWaitMs = 10;

struct Slot {
  hid_device* device = nullptr;
  std::string path;
  bool failed = false;  // a read or write reported the device gone
};

struct Table {
  std::mutex mutex;
  std::array<Slot, kMaxDevices> slots;
  bool initialised = false;

  ~Table() {
    // Unloading the module closes what it opened.
    std::lock_guard lock(mutex);
    for (auto& slot : slots) {
      if (slot.device != nullptr) hid_close(slot.device);
      slot = Slot{};
    }
    if (initialised) hid_exit();
  }
};

Table& table() {
  static Table t;
  return t;
}

// Handles are slot numbers from 1 on, so that neither 0 nor -1 is ever one.
Slot* SlotOf(Table& t, int handle) {
  if (handle < 1 || handle > kMaxDevices) return nullptr;
  Slot& slot = t.slots[handle - 1];
  return slot.device != nullptr ? &slot : nullptr;
}

void CloseSlot(Slot& slot) {
  if (slot.device != nullptr) hid_close(slot.device);
  slot = Slot{};
}

bool StillEnumerated(const std::string& path, unsigned short vendorId, unsigned short productId) {
  hid_device_info* list = hid_enumerate(vendorId, productId);
  bool found = false;
  for (hid_device_info* d = list; d != nullptr; d = d->next) {
    if (d->path != nullptr && path == d->path) {
      found = true;
      break;
    }
  }
  hid_free_enumeration(list);
  return found;
}

}  // namespace

extern "C" {

int FindHandle(int vendorId, int productId) {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  if (!t.initialised) {
    if (hid_init() != 0) return -1;
    t.initialised = true;
  }
  hid_device_info* list =
      hid_enumerate(static_cast<unsigned short>(vendorId), static_cast<unsigned short>(productId));
  std::string path;
  if (list != nullptr && list->path != nullptr) path = list->path;
  hid_free_enumeration(list);
  if (path.empty()) return -1;

  // The same device asked for again keeps its handle instead of a second open.
  for (int i = 0; i < kMaxDevices; ++i) {
    Slot& slot = t.slots[i];
    if (slot.device != nullptr && !slot.failed && slot.path == path) return i + 1;
  }
  for (int i = 0; i < kMaxDevices; ++i) {
    Slot& slot = t.slots[i];
    if (slot.device != nullptr && slot.failed) CloseSlot(slot);
    if (slot.device != nullptr) continue;
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr) return -1;
    slot.device = device;
    slot.path = path;
    return i + 1;
  }
  return -1;
}

unsigned char CheckHandle(int handle) {
  Table& t = table();
  std::string path;
  {
    std::lock_guard lock(t.mutex);
    Slot* slot = SlotOf(t, handle);
    if (slot == nullptr) return 0;
    if (slot->failed) {
      CloseSlot(*slot);
      return 0;
    }
    path = slot->path;
  }
  // Enumerating takes a while; do it without holding up the reports.
  const bool present = StillEnumerated(path, 0, 0);
  std::lock_guard lock(t.mutex);
  Slot* slot = SlotOf(t, handle);
  if (slot == nullptr || slot->path != path) return 0;
  if (!present || slot->failed) {
    CloseSlot(*slot);
    return 0;
  }
  return 1;
}

unsigned char WriteData(int handle, unsigned char* data8) {
  if (data8 == nullptr) return 0;
  Table& t = table();
  std::lock_guard lock(t.mutex);
  Slot* slot = SlotOf(t, handle);
  if (slot == nullptr || slot->failed) return 0;
  // The station has no numbered reports: report id 0 goes first.
  unsigned char buffer[kReportSize + 1];
  buffer[0] = 0x00;
  std::memcpy(buffer + 1, data8, kReportSize);
  const int written = hid_write(slot->device, buffer, sizeof buffer);
  if (written < 0) {
    slot->failed = true;
    return 0;
  }
  return written == static_cast<int>(sizeof buffer) ? 1 : 0;
}

unsigned char ReadData(int handle, unsigned char* data8) {
  if (data8 == nullptr) return 0;
  Table& t = table();
  std::lock_guard lock(t.mutex);
  Slot* slot = SlotOf(t, handle);
  if (slot == nullptr || slot->failed) return 0;
  unsigned char buffer[kReportSize];
  const int got = hid_read_timeout(slot->device, buffer, sizeof buffer, kReadWaitMs);
  if (got < 0) {
    slot->failed = true;
    return 0;
  }
  if (got != kReportSize) return 0;  // nothing, or not one of the station's reports
  std::memcpy(data8, buffer, kReportSize);
  return 1;
}

}  // extern "C"
