#pragma once
// A stand-in for the few hidapi functions libhidxfr.so calls, answering from
// a virtual station: one device, present while the station is plugged in.
#include <vector>

#include "core/transfer/virtual_station.h"

namespace skyvane::standin {

struct State {
  VirtualStation* station = nullptr;
  unsigned short vendorId = 0x1941;
  unsigned short productId = 0x8021;
  std::vector<std::vector<unsigned char>> writes;  // every buffer handed to hid_write
  std::vector<int> readWaits;                      // the wait of every hid_read_timeout
  int openDevices = 0;
  int opens = 0;
};

State& state();

}  // namespace skyvane::standin
