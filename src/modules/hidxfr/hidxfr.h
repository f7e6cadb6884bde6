#pragma once
// libhidxfr.so: the station's transfer library over hidapi. Four exports with
// C linkage; each moves at most one 8-byte report per call.
#ifdef __cplusplus
extern "C" {
#endif

#define HIDXFR_EXPORT __attribute__((visibility("default")))

// Opens the first device with these USB ids; a small handle, or -1 when none.
HIDXFR_EXPORT int FindHandle(int vendorId, int productId);
// Non-zero while the device behind the handle is still plugged in. A device
// found gone is closed, and its handle becomes invalid.
HIDXFR_EXPORT unsigned char CheckHandle(int handle);
// Sends the 8 bytes as one output report; non-zero when it went out.
HIDXFR_EXPORT unsigned char WriteData(int handle, unsigned char* data8);
// Places one 8-byte input report in data8 when one arrives within a short
// wait; 0 when none did.
HIDXFR_EXPORT unsigned char ReadData(int handle, unsigned char* data8);

#ifdef __cplusplus
}
#endif
