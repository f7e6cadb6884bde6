#include "core/publish/upload/aprs_protocol.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace skyvane {
namespace {

// Degrees and minutes in hundredths, rounded once so that 59.999' carries
// into the next degree.
std::string DegreeMinutes(double degrees, int degreeDigits, char positive, char negative) {
  const long hundredths = std::lround(std::fabs(degrees) * 6000.0);
  char text[24];
  std::snprintf(text, sizeof text, "%0*ld%02ld.%02ld%c", degreeDigits, hundredths / 6000,
                (hundredths % 6000) / 100, hundredths % 100, degrees < 0 ? negative : positive);
  return text;
}

// A whole number in width digits (clamped to what they hold), or dots.
std::string Digits(const std::optional<double>& value, int width) {
  if (!value) return std::string(static_cast<std::size_t>(width), '.');
  const long most = std::lround(std::pow(10.0, width)) - 1;
  const long n = std::clamp(std::lround(*value), 0L, most);
  char text[32];
  std::snprintf(text, sizeof text, "%0*ld", width, n);
  return text;
}

std::optional<double> Converted(const std::optional<double>& value, double (*convert)(double)) {
  return value ? std::optional<double>(convert(*value)) : std::nullopt;
}

double HundredthsOfInch(double millimetres) { return Inches(millimetres) * 100.0; }

// Three characters of °F; below zero a minus sign and two digits.
std::string Temperature(const std::optional<double>& celsius) {
  if (!celsius) return "...";
  const long f = std::clamp(std::lround(Fahrenheit(*celsius)), -99L, 999L);
  char text[8];
  std::snprintf(text, sizeof text, "%03ld", f);
  return text;
}

// Two digits; 100 % is written "00".
std::string Humidity(const std::optional<double>& percent) {
  if (!percent) return "..";
  const long h = std::clamp(std::lround(*percent), 0L, 100L);
  return h == 100 ? "00" : Digits(static_cast<double>(h), 2);
}

}  // namespace

std::string AprsLogin(const std::string& callsign, int passcode, const std::string& version) {
  return "user " + callsign + " pass " + std::to_string(passcode) + " vers Skyvane " + version;
}

bool AprsNeedsVerification(const std::string& callsign, int passcode) {
  if (passcode != -1) return true;
  const bool weatherPrefix = callsign.size() > 2 && callsign[1] == 'W' &&
                             std::string_view("CDEF").find(callsign[0]) != std::string_view::npos;
  return !weatherPrefix || callsign.find_first_not_of("0123456789", 2) != std::string::npos;
}

std::string AprsLatitude(double degrees) { return DegreeMinutes(degrees, 2, 'N', 'S'); }
std::string AprsLongitude(double degrees) { return DegreeMinutes(degrees, 3, 'E', 'W'); }

std::string AprsPacket(const UploadValues& v, const std::string& callsign, double latitude,
                       double longitude) {
  std::tm utc{};
  gmtime_r(&v.time, &utc);
  char stamp[16];
  std::snprintf(stamp, sizeof stamp, "%02d%02d%02dz", utc.tm_mday, utc.tm_hour, utc.tm_min);
  std::optional<double> direction = v.windDirection;
  // To APRS a direction of 000 means "unknown"; north is 360.
  if (direction && std::lround(*direction) == 0) direction = 360.0;
  return callsign + ">APRS,TCPIP*:@" + stamp + AprsLatitude(latitude) + "/" +
         AprsLongitude(longitude) + "_" + Digits(direction, 3) + "/" +
         Digits(Converted(v.windSpeed, MilesPerHour), 3) + "g" +
         Digits(Converted(v.gustSpeed, MilesPerHour), 3) + "t" + Temperature(v.outdoorTemperature) +
         "r" + Digits(Converted(v.rainHour, HundredthsOfInch), 3) + "p" +
         Digits(Converted(v.rain24h, HundredthsOfInch), 3) + "P" +
         Digits(Converted(v.rainToday, HundredthsOfInch), 3) + "h" + Humidity(v.outdoorHumidity) +
         "b" + Digits(v.relativePressure ? std::optional<double>(*v.relativePressure * 10.0) : std::nullopt, 5);
}

}  // namespace skyvane
