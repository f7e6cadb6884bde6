#pragma once
// The four operations of the station's transfer library. The hardware module
// (libhidxfr.so, loaded at run time) and the virtual station are two equal
// implementations of this table.
#include <cstdint>

namespace skyvane {

class Transfer {
 public:
  virtual ~Transfer() = default;
  // Opens the first station with these ids; -1 when none was found.
  virtual int FindHandle(int vendorId, int productId) = 0;
  // Non-zero while the station behind the handle is still plugged in.
  virtual std::uint8_t CheckHandle(int handle) = 0;
  // Sends 8 bytes as one report; non-zero when it went out.
  virtual std::uint8_t WriteData(int handle, const std::uint8_t* report8) = 0;
  // Places one 8-byte report in the buffer; non-zero when one was available.
  virtual std::uint8_t ReadData(int handle, std::uint8_t* report8) = 0;
};

}  // namespace skyvane
