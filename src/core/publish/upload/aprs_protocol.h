#pragma once
// APRS-IS, as the citizen weather observer network takes it: a login line,
// then one position-and-weather packet
// "CALL>APRS,TCPIP*:@DDHHMMzDDMM.mmN/DDDMM.mmW_DIR/SPDgGUSTtTEMPrRRRpRRRPRRRhHHbBBBBB",
// a missing reading written as dots.
#include <string>

#include "core/publish/upload/upload_values.h"

namespace skyvane {

// "user CALL pass PASSCODE vers Skyvane VERSION".
std::string AprsLogin(const std::string& callsign, int passcode, const std::string& version);

// Whether the login must be verified for the network to take its packets:
// a citizen weather station's number (CW, DW, EW or FW and digits) logs in
// with passcode -1 and stays unverified; any other callsign, or a login
// with a passcode, counts only when the server verifies it.
bool AprsNeedsVerification(const std::string& callsign, int passcode);

// Decimal degrees in the packet's degree-minute form: 55.6761 → "5540.57N",
// 12.5683 → "01234.10E".
std::string AprsLatitude(double degrees);
std::string AprsLongitude(double degrees);

// The packet for the values (their time in UTC), without line end.
std::string AprsPacket(const UploadValues& values, const std::string& callsign, double latitude,
                       double longitude);

}  // namespace skyvane
