#include "hidapi_stand_in.h"

#include <hidapi.h>

#include <cstring>
#include <string>

struct hid_device_ {
  int stationHandle;
};

namespace skyvane::standin {

State& state() {
  static State s;
  return s;
}

namespace {

constexpr const char* kPath = "/dev/hidraw-virtual";

bool Present() { return state().station != nullptr && state().station->IsPlugged(); }

bool Alive(hid_device* dev) {
  return dev != nullptr && state().station != nullptr &&
         state().station->CheckHandle(dev->stationHandle) != 0;
}

}  // namespace
}  // namespace skyvane::standin

using skyvane::standin::state;

extern "C" {

int hid_init(void) { return 0; }
int hid_exit(void) { return 0; }

hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
  auto& s = state();
  if (!skyvane::standin::Present()) return nullptr;
  if ((vendor_id != 0 && vendor_id != s.vendorId) || (product_id != 0 && product_id != s.productId)) {
    return nullptr;
  }
  auto* info = new hid_device_info{};
  info->path = strdup(skyvane::standin::kPath);
  info->vendor_id = s.vendorId;
  info->product_id = s.productId;
  return info;
}

void hid_free_enumeration(hid_device_info* devs) {
  while (devs != nullptr) {
    hid_device_info* next = devs->next;
    free(devs->path);
    delete devs;
    devs = next;
  }
}

hid_device* hid_open_path(const char* path) {
  auto& s = state();
  if (!skyvane::standin::Present() || std::strcmp(path, skyvane::standin::kPath) != 0) return nullptr;
  const int handle = s.station->FindHandle(s.vendorId, s.productId);
  if (handle == -1) return nullptr;
  ++s.openDevices;
  ++s.opens;
  return new hid_device_{handle};
}

void hid_close(hid_device* dev) {
  if (dev == nullptr) return;
  --state().openDevices;
  delete dev;
}

int hid_write(hid_device* dev, const unsigned char* data, size_t length) {
  auto& s = state();
  s.writes.emplace_back(data, data + length);
  if (!skyvane::standin::Alive(dev) || length != 9 || data[0] != 0x00) return -1;
  return s.station->WriteData(dev->stationHandle, data + 1) != 0 ? 9 : 0;
}

int hid_read_timeout(hid_device* dev, unsigned char* data, size_t length, int milliseconds) {
  auto& s = state();
  s.readWaits.push_back(milliseconds);
  if (!skyvane::standin::Alive(dev) || length < 8) return -1;
  return s.station->ReadData(dev->stationHandle, data) != 0 ? 8 : 0;
}

}  // extern "C"
