#pragma once
// The weather-network targets of Skyvane.ini: one section [upload:NAME] per
// target, Protocol=wu (the "update weather station" HTTP GET protocol) or
// Protocol=aprs (APRS-IS, the citizen weather observer network).
#include <optional>
#include <string>
#include <vector>

namespace skyvane {

class IniFile;

enum class UploadProtocol { kWu, kAprs };

struct UploadTarget {
  std::string name;  // NAME of [upload:NAME]
  UploadProtocol protocol = UploadProtocol::kWu;
  int intervalSeconds = 300;
  // wu
  std::string url;        // the service's update address
  std::string stationId;
  std::string key;        // read from KeyFile, never from the INI itself
  // aprs
  std::string host;
  int port = 14580;
  std::string callsign;
  int passcode = -1;
  double latitude = 0;   // decimal degrees, north positive
  double longitude = 0;  // decimal degrees, east positive
};

inline constexpr int kMinimumUploadInterval = 10;
// The citizen weather observer network asks for at most one packet in 5 minutes.
inline constexpr int kMinimumAprsInterval = 300;
inline constexpr int kDefaultWuInterval = 300;
inline constexpr int kDefaultAprsInterval = 600;
inline constexpr int kDefaultAprsPort = 14580;

// Every enabled target of the file. A section that cannot be used is left out
// and one line in problems says why (naming the section); a key file that
// others may read is refused.
std::vector<UploadTarget> ReadUploadTargets(const IniFile& ini, std::vector<std::string>& problems);

}  // namespace skyvane
