#pragma once
// The "update weather station" protocol: one HTTP GET whose query carries the
// readings in imperial units (°F, mph, inches, inHg) and the time in UTC.
#include <string>

#include "core/publish/upload/upload_values.h"

namespace skyvane {

// The query (without '?') for the values: ID, PASSWORD, dateutc, the readings
// present (a missing reading is left out), softwaretype and action=updateraw.
std::string WuQuery(const UploadValues& values, const std::string& stationId,
                    const std::string& password, const std::string& softwareType);

// Percent-encodes everything but the unreserved characters.
std::string UrlEncoded(const std::string& text);

}  // namespace skyvane
