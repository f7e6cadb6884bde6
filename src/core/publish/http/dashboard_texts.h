#pragma once
// The dashboard's texts in the reader's language: the program's text table
// where it has the text, and the few texts only the dashboard shows.
#include <string>
#include <string_view>

namespace skyvane {

// 0 English, 1 German, 2 Danish: the language of an Accept-Language header
// the reader prefers most ("da, en;q=0.8" → 2); English for none of them.
int LanguageFromAcceptLanguage(std::string_view header);

// "en", "de" or "da".
std::string_view LanguageTag(int languageIndex);

// One JSON object of every text the page shows, by the names the page uses
// ("outdoor_temperature", "lamp_rain_hour_high", "chart_week", ...).
std::string DashboardTextsJson(int languageIndex);

}  // namespace skyvane
