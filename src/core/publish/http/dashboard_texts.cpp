#include "core/publish/http/dashboard_texts.h"

#include <array>
#include <charconv>

#include "core/app/text_table.h"
#include "core/monitor/alarm_evaluation.h"
#include "core/publish/reading_json.h"

namespace skyvane {
namespace {

struct TableText {
  std::string_view name;
  Txt entry;
};

// Texts the program's text table already holds.
constexpr TableText kTableTexts[] = {
    {"title", Txt::MainWindowTitle},
    {"indoor_temperature", Txt::IndoorTemperature},
    {"outdoor_temperature", Txt::OutdoorTemperature},
    {"indoor_humidity", Txt::IndoorHumidity},
    {"outdoor_humidity", Txt::OutdoorHumidity},
    {"absolute_pressure", Txt::AbsolutePressure},
    {"relative_pressure", Txt::RelativePressure},
    {"windchill", Txt::Windchill},
    {"dewpoint", Txt::Dewpoint},
    {"wind", Txt::Wind},
    {"gust", Txt::Gust},
    {"wind_speed", Txt::WindVelocity},
    {"gust_speed", Txt::GustVelocity},
    {"wind_level", Txt::WindLevel},
    {"gust_level", Txt::GustLevel},
    {"wind_direction", Txt::Direction},
    {"rain", Txt::Rain},
    {"rain_hour", Txt::HourRainfall},
    {"rain_24h", Txt::Rainfall24Hour},
    {"rain_week", Txt::WeekRainfall},
    {"rain_month", Txt::MonthRainfall},
    {"rain_total", Txt::TotalRainfall},
    {"temperature", Txt::Temperature},
    {"humidity", Txt::Humidity},
    {"pressure", Txt::Pressure},
    {"alarm", Txt::Alarm},
    {"connected", Txt::Connected},
    {"not_connected", Txt::NotConnected},
    {"last_read", Txt::LastReadTime},
    {"day", Txt::Day},
    {"week", Txt::Week},
    {"month", Txt::Month},
    {"year", Txt::Year},
    {"high", Txt::High},
    {"low", Txt::Low},
};

// Texts only the dashboard shows: English, German, Danish.
struct OwnText {
  std::string_view name;
  std::array<std::string_view, kLanguageCount> text;
};
constexpr OwnText kOwnTexts[] = {
    {"alarms", {"Alarms", "Alarme", "Alarmer"}},
    {"stored", {"Newest stored record (no station attached)", "Neuester gespeicherter Datensatz (keine Station angeschlossen)",
                "Nyeste gemte måling (ingen station tilsluttet)"}},
    {"waiting", {"Waiting for the first reading…", "Warte auf die erste Messung…", "Venter på den første måling…"}},
    {"stream_lost", {"Live updates interrupted, reconnecting…", "Live-Aktualisierung unterbrochen, verbinde neu…",
                     "Liveopdatering afbrudt, forbinder igen…"}},
    {"history", {"History", "Verlauf", "Historik"}},
    {"temperature_dewpoint", {"Temperature and dew point", "Temperatur und Taupunkt", "Temperatur og dugpunkt"}},
    {"wind_gust", {"Wind and gust", "Wind und Böen", "Vind og vindstød"}},
    {"rain_period", {"Rain in the period", "Niederschlag im Zeitraum", "Nedbør i perioden"}},
    {"no_records", {"No records in this period", "Keine Datensätze in diesem Zeitraum", "Ingen målinger i denne periode"}},
    {"off", {"off", "aus", "fra"}},
    {"armed", {"armed", "bereit", "aktiv"}},
    {"triggered", {"triggered", "ausgelöst", "udløst"}},
};

// Each lamp's label: a quantity of the table and, for a limit, "High" or "Low".
struct LampText {
  Txt quantity;
  int limit;  // 1 high, -1 low, 0 none
};
constexpr std::array<LampText, kLampCount> kLampTexts = {{
    {Txt::IndoorHumidity, 1},   {Txt::IndoorHumidity, -1},   {Txt::IndoorTemperature, 1},
    {Txt::IndoorTemperature, -1}, {Txt::OutdoorHumidity, 1}, {Txt::OutdoorHumidity, -1},
    {Txt::OutdoorTemperature, 1}, {Txt::OutdoorTemperature, -1}, {Txt::Windchill, 1},
    {Txt::Windchill, -1},       {Txt::Dewpoint, 1},          {Txt::Dewpoint, -1},
    {Txt::AbsolutePressure, 1}, {Txt::AbsolutePressure, -1}, {Txt::RelativePressure, 1},
    {Txt::RelativePressure, -1}, {Txt::WindLevel, 1},        {Txt::WindVelocity, 1},
    {Txt::GustLevel, 1},        {Txt::GustVelocity, 1},      {Txt::Direction, 0},
    {Txt::HourRainfall, 1},     {Txt::Rainfall24Hour, 1},
}};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view Trim(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

// The quality of one Accept-Language item ("de;q=0.7" → 0.7); 1 without one.
double Quality(std::string_view params) {
  while (!params.empty()) {
    const std::size_t semi = params.find(';');
    const std::string_view p = Trim(params.substr(0, semi));
    if (p.size() > 2 && Lower(p[0]) == 'q' && p[1] == '=') {
      double q = 0;
      const auto [end, ec] = std::from_chars(p.data() + 2, p.data() + p.size(), q);
      return ec == std::errc() && end == p.data() + p.size() ? q : 0;
    }
    if (semi == std::string_view::npos) break;
    params.remove_prefix(semi + 1);
  }
  return 1;
}

}  // namespace

int LanguageFromAcceptLanguage(std::string_view header) {
  int best = 0;
  double bestQuality = 0;
  while (!header.empty()) {
    const std::size_t comma = header.find(',');
    const std::string_view item = Trim(header.substr(0, comma));
    const std::size_t semi = item.find(';');
    const std::string_view tag = Trim(item.substr(0, semi));
    const double q = semi == std::string_view::npos ? 1 : Quality(item.substr(semi + 1));
    if (tag.size() >= 2 && (tag.size() == 2 || tag[2] == '-' || tag[2] == '_')) {
      const char a = Lower(tag[0]), b = Lower(tag[1]);
      const int index = a == 'e' && b == 'n' ? 0 : a == 'd' && b == 'e' ? 1 : a == 'd' && b == 'a' ? 2 : -1;
      // The first of equal qualities wins, as the header lists them by preference.
      if (index >= 0 && q > bestQuality) {
        best = index;
        bestQuality = q;
      }
    }
    if (comma == std::string_view::npos) break;
    header.remove_prefix(comma + 1);
  }
  return best;
}

std::string_view LanguageTag(int languageIndex) {
  switch (languageIndex) {
    case 1: return "de";
    case 2: return "da";
    default: return "en";
  }
}

std::string DashboardTextsJson(int languageIndex) {
  std::string json = "{";
  auto add = [&json](std::string_view name, std::string_view text) {
    if (json.size() > 1) json += ",";
    json += JsonString(name);
    json += ":";
    json += JsonString(text);
  };
  for (const TableText& t : kTableTexts) add(t.name, TextIn(t.entry, languageIndex));
  const int own = languageIndex >= 0 && languageIndex < kLanguageCount ? languageIndex : 0;
  for (const OwnText& t : kOwnTexts) add(t.name, t.text[static_cast<std::size_t>(own)]);
  for (int number = 1; number <= kLampCount; ++number) {
    const LampText& l = kLampTexts[static_cast<std::size_t>(number - 1)];
    std::string label(TextIn(l.quantity, languageIndex));
    if (l.limit != 0) {
      label += " ";
      label += TextIn(l.limit > 0 ? Txt::High : Txt::Low, languageIndex);
    }
    add("lamp_" + std::string(LampKey(number)), label);
  }
  json += "}";
  return json;
}

}  // namespace skyvane
