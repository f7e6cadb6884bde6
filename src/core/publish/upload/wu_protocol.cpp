#include "core/publish/upload/wu_protocol.h"

#include <cmath>
#include <cstdio>

namespace skyvane {
namespace {

// value with the given decimals; never "-0.0".
std::string Fixed(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  double rounded = std::round(value * scale) / scale;
  if (rounded == 0) rounded = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, rounded);
  return text;
}

}  // namespace

std::string UrlEncoded(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' ||
        u == '_' || u == '.' || u == '~') {
      out += c;
    } else {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 0x0F];
    }
  }
  return out;
}

std::string WuQuery(const UploadValues& v, const std::string& stationId,
                    const std::string& password, const std::string& softwareType) {
  std::string query = "ID=" + UrlEncoded(stationId) + "&PASSWORD=" + UrlEncoded(password);
  std::tm utc{};
  gmtime_r(&v.time, &utc);
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", &utc);
  query += "&dateutc=" + UrlEncoded(date);
  const auto add = [&query](const char* name, const std::optional<double>& value, auto convert,
                            int decimals) {
    if (value) query += std::string("&") + name + "=" + Fixed(convert(*value), decimals);
  };
  const auto same = [](double x) { return x; };
  add("tempf", v.outdoorTemperature, Fahrenheit, 1);
  add("humidity", v.outdoorHumidity, same, 0);
  add("dewptf", v.dewPoint, Fahrenheit, 1);
  add("windchillf", v.windChill, Fahrenheit, 1);
  add("winddir", v.windDirection, same, 0);
  add("windspeedmph", v.windSpeed, MilesPerHour, 1);
  add("windgustmph", v.gustSpeed, MilesPerHour, 1);
  add("rainin", v.rainHour, Inches, 2);
  add("dailyrainin", v.rainToday, Inches, 2);
  add("baromin", v.relativePressure, InchesOfMercury, 3);
  add("indoortempf", v.indoorTemperature, Fahrenheit, 1);
  add("indoorhumidity", v.indoorHumidity, same, 0);
  query += "&softwaretype=" + UrlEncoded(softwareType) + "&action=updateraw";
  return query;
}

}  // namespace skyvane
