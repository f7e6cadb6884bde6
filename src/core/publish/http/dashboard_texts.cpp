#include "core/publish/http/dashboard_texts.h"

#include <array>
#include <charconv>

#include "core/app/text_table.h"  // kLanguageCount
#include "core/monitor/alarm_evaluation.h"
#include "core/publish/reading_json.h"

namespace skyvane {
namespace {

// Every text the page shows, in English, German and Danish. The desktop
// program's captions are its own; a web page reads as the language is
// written ("Außentemperatur", not "außen Temperatur").
struct PageText {
  std::string_view name;
  std::array<std::string_view, kLanguageCount> text;
};
constexpr PageText kPageTexts[] = {
    {"title", {"Skyvane Radio Controlled", "Skyvane – Funkwetterstation", "Skyvane – radiostyret vejrstation"}},
    {"indoor_temperature", {"Indoor Temperature", "Innentemperatur", "Indendørstemperatur"}},
    {"outdoor_temperature", {"Outdoor Temperature", "Außentemperatur", "Udendørstemperatur"}},
    {"indoor_humidity", {"Indoor Humidity", "Luftfeuchte innen", "Luftfugtighed inde"}},
    {"outdoor_humidity", {"Outdoor Humidity", "Luftfeuchte außen", "Luftfugtighed ude"}},
    {"absolute_pressure", {"Absolute Pressure", "Luftdruck absolut", "Lufttryk absolut"}},
    {"relative_pressure", {"Relative Pressure", "Luftdruck relativ", "Lufttryk relativt"}},
    {"windchill", {"Wind Chill", "Windchill", "Kuldeindeks"}},
    {"dewpoint", {"Dew Point", "Taupunkt", "Dugpunkt"}},
    {"wind", {"Wind", "Wind", "Vind"}},
    {"gust", {"Gust", "Windböe", "Vindstød"}},
    {"wind_speed", {"Wind Speed", "Windgeschwindigkeit", "Vindhastighed"}},
    {"gust_speed", {"Gust Speed", "Böengeschwindigkeit", "Vindstødshastighed"}},
    {"wind_level", {"Wind Force", "Windstärke", "Vindstyrke"}},
    {"gust_level", {"Gust Force", "Böenstärke", "Vindstødsstyrke"}},
    {"wind_direction", {"Wind Direction", "Windrichtung", "Vindretning"}},
    {"rain", {"Rain", "Niederschlag", "Nedbør"}},
    {"rain_hour", {"Last Hour", "Letzte Stunde", "Seneste time"}},
    {"rain_24h", {"Last 24 Hours", "Letzte 24 Stunden", "Seneste 24 timer"}},
    {"rain_week", {"Week", "Woche", "Uge"}},
    {"rain_month", {"Month", "Monat", "Måned"}},
    {"rain_total", {"Total", "Gesamt", "I alt"}},
    {"rain_hour_alarm", {"Hourly Rain", "Stundenniederschlag", "Timenedbør"}},
    {"rain_24h_alarm", {"24-Hour Rain", "Tagesniederschlag", "Døgnnedbør"}},
    {"temperature", {"Temperature", "Temperatur", "Temperatur"}},
    {"humidity", {"Humidity", "Luftfeuchtigkeit", "Luftfugtighed"}},
    {"pressure", {"Pressure", "Luftdruck", "Lufttryk"}},
    {"connected", {"Station connected", "Station verbunden", "Station forbundet"}},
    {"not_connected", {"Station not connected", "Station nicht verbunden", "Station ikke forbundet"}},
    {"last_read", {"Last Read Time", "Zuletzt gelesen", "Sidst læst"}},
    {"day", {"Day", "Tag", "Dag"}},
    {"week", {"Week", "Woche", "Uge"}},
    {"month", {"Month", "Monat", "Måned"}},
    {"year", {"Year", "Jahr", "År"}},
    {"alarms", {"Alarms", "Alarme", "Alarmer"}},
    {"alarms_seen", {"as last seen", "zuletzt gesehen", "sidst set"}},
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
    {"dashboard", {"Now", "Aktuell", "Nu"}},
    {"climate", {"Climate", "Klima", "Klima"}},
    {"today", {"Today", "Heute", "I dag"}},
    {"rain_today", {"Rain today", "Niederschlag heute", "Nedbør i dag"}},
    {"rain_last_hour", {"Rain, last hour", "Niederschlag letzte Stunde", "Nedbør seneste time"}},
    {"pressure_trend", {"Pressure, 3 hours", "Luftdruck, 3 Stunden", "Lufttryk, 3 timer"}},
    {"rising", {"rising", "steigend", "stigende"}},
    {"steady", {"steady", "gleichbleibend", "stabilt"}},
    {"falling", {"falling", "fallend", "faldende"}},
    {"climate_months", {"Months of", "Monate im Jahr", "Måneder i"}},
    {"climate_days", {"Days of", "Tage im", "Dage i"}},
    {"highs_lows_rain", {"Daily high, low and rain", "Tageshöchst- und Tiefstwerte, Niederschlag",
                         "Døgnets højeste og laveste temperatur, nedbør"}},
    {"high", {"High", "Höchstwert", "Højeste"}},
    {"low", {"Low", "Tiefstwert", "Laveste"}},
    {"mean", {"Mean", "Mittel", "Middel"}},
    {"rain_days", {"Rain days", "Regentage", "Regndage"}},
    {"heating_degree_days", {"Heating degree days", "Heizgradtage", "Graddage (opvarmning)"}},
    {"cooling_degree_days", {"Cooling degree days", "Kühlgradtage", "Graddage (køling)"}},
    {"records", {"Records", "Rekorde", "Rekorder"}},
    {"all_time", {"All time", "Insgesamt", "Nogensinde"}},
    {"this_year", {"This year", "Dieses Jahr", "I år"}},
    {"this_month", {"This month", "Dieser Monat", "Denne måned"}},
    {"record_temperature_high", {"Highest temperature", "Höchste Temperatur", "Højeste temperatur"}},
    {"record_temperature_low", {"Lowest temperature", "Tiefste Temperatur", "Laveste temperatur"}},
    {"record_gust", {"Strongest gust", "Stärkste Böe", "Kraftigste vindstød"}},
    {"record_wettest_day", {"Wettest day", "Nassester Tag", "Vådeste dag"}},
    {"record_pressure_high", {"Highest pressure", "Höchster Luftdruck", "Højeste lufttryk"}},
    {"record_pressure_low", {"Lowest pressure", "Tiefster Luftdruck", "Laveste lufttryk"}},
    {"off", {"off", "aus", "fra"}},
    {"armed", {"armed", "bereit", "aktiv"}},
    {"triggered", {"triggered", "ausgelöst", "udløst"}},
    {"unknown", {"unknown", "unbekannt", "ukendt"}},
};

// Each lamp's label: the page text of its quantity and, for a limit, "high"
// or "low".
struct LampText {
  std::string_view quantity;
  int limit;  // 1 high, -1 low, 0 none
};
constexpr std::array<LampText, kLampCount> kLampTexts = {{
    {"indoor_humidity", 1},    {"indoor_humidity", -1},    {"indoor_temperature", 1},
    {"indoor_temperature", -1}, {"outdoor_humidity", 1},  {"outdoor_humidity", -1},
    {"outdoor_temperature", 1}, {"outdoor_temperature", -1}, {"windchill", 1},
    {"windchill", -1},         {"dewpoint", 1},            {"dewpoint", -1},
    {"absolute_pressure", 1},  {"absolute_pressure", -1},  {"relative_pressure", 1},
    {"relative_pressure", -1}, {"wind_level", 1},          {"wind_speed", 1},
    {"gust_level", 1},         {"gust_speed", 1},          {"wind_direction", 0},
    {"rain_hour_alarm", 1},    {"rain_24h_alarm", 1},
}};
constexpr std::array<std::string_view, kLanguageCount> kHigh = {"High", "hoch", "høj"};
constexpr std::array<std::string_view, kLanguageCount> kLow = {"Low", "niedrig", "lav"};

std::string_view PageTextIn(std::string_view name, std::size_t language) {
  for (const PageText& t : kPageTexts) {
    if (t.name == name) return t.text[language];
  }
  return name;
}

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
  const std::size_t language =
      static_cast<std::size_t>(languageIndex >= 0 && languageIndex < kLanguageCount ? languageIndex : 0);
  std::string json = "{";
  auto add = [&json](std::string_view name, std::string_view text) {
    if (json.size() > 1) json += ",";
    json += JsonString(name);
    json += ":";
    json += JsonString(text);
  };
  for (const PageText& t : kPageTexts) add(t.name, t.text[language]);
  for (int number = 1; number <= kLampCount; ++number) {
    const LampText& l = kLampTexts[static_cast<std::size_t>(number - 1)];
    std::string label;
    label += PageTextIn(l.quantity, language);
    if (l.limit != 0) {
      label += " ";
      label += (l.limit > 0 ? kHigh : kLow)[language];
    }
    add("lamp_" + std::string(LampKey(number)), label);
  }
  json += "}";
  return json;
}

}  // namespace skyvane
