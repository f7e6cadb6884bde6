#include "core/app/menu_texts.h"

namespace skyvane {
namespace {

constexpr MenuEntry kMainMenu[] = {
    {MenuCommand::DisplayMenu, true, {"&Display", "&Display", "&Skærm"}},
    {MenuCommand::ToolBar, false, {"&ToolBar", "&Symbolleiste", "&Værktøjslinie"}},
    {MenuCommand::StatusBar, false, {"&StatusBar", "&Statusleiste", "&StatusBar"}},
    {MenuCommand::Language, false, {"Language...", "Sprache...", "Sprog..."}},
    {MenuCommand::Separator, false, {"", "", ""}},
    {MenuCommand::Exit, false, {"&Exit", "&Ausgang", "&Exit"}},
    {MenuCommand::SystemMenu, true, {"&System", "&System", "&System"}},
    {MenuCommand::Setup, false, {"&Setup", "&Einstellungen", "&Opsætning"}},
    {MenuCommand::Alarm, false, {"&Alarm", "&Alarm", "&Alarm"}},
    {MenuCommand::Scope, false, {"&Scope", "&Zeitstempel", "&Oversigt Min/Max"}},
    {MenuCommand::RecordMenu, true, {"&Record", "&Aufzeichnung", "&Registrering"}},
    {MenuCommand::History, false, {"&History", "&Historie", "&Historik"}},
    {MenuCommand::Graph, false, {"&Graph", "&Grafik", "&Graf"}},
    {MenuCommand::Statistics, false, {"&Statistics", "&Statistik", "&Statistik"}},
    {MenuCommand::HelpMenu, true, {"&Help", "&Info", "&Hjælp"}},
    {MenuCommand::About, false, {"&About Skyvane...", "&Circa Skyvane...", "&Om Skyvane..."}},
};

struct Prompt {
  MenuCommand command;
  std::array<std::string_view, 3> text;
};

constexpr Prompt kPrompts[] = {
    {MenuCommand::Language,
     {"Set system language\nDisplay and setup system language configuration",
      "Set system language\nDisplay and installation system language configuration",
      "Set system language\nSkærm and opsætning system language configuration"}},
    {MenuCommand::Setup,
     {"Display and setup system configuration\nDisplay and setup system configuration",
      "ystem configuration\nDisplay and installation system configuration",
      "ystem configuration\nSkærm and opsætning system configuration"}},
    {MenuCommand::Alarm,
     {"Display and modify system alarm valve\nDisplay and modify system alarm valve",
      "Display and modify system alarm valve\nDisplay and modify system alarm valve",
      "Display and modify system alarm valve\nDisplay and modify system alarm valve"}},
    {MenuCommand::Scope,
     {"Display maximum and minimum history value\nDisplay maximum and minimum history value",
      "Display maximum and minimum historie value\nDisplay maximum and minimum historie value",
      "Skærm and modify system alarm valve\nSkærm and modify system alarm valve"}},
    {MenuCommand::History,
     {"Display history detail data\nDisplay history detail data",
      "Display historie detail data\nDisplay historie detail data",
      "Skærm historik detail data\nSkærm historik detail data"}},
    {MenuCommand::Graph,
     {"Display graph data\nDisplay graph data",
      "Display graphik data\nDisplay graphik data",
      "Skærm graf data\nSkærm graf data"}},
    {MenuCommand::Statistics,
     {"Display daily, monthly and yearly summaries and records\nStatistics",
      "Tages-, Monats- und Jahresübersichten und Rekorde anzeigen\nStatistik",
      "Vis dags-, måneds- og årsoversigter og rekorder\nStatistik"}},
    {MenuCommand::About,
     {"Display program information, version number and copyright\nAbout",
      "Display program information, version number and copyright\nCirca",
      "Display program information, version number and copyright\nOm"}},
    {MenuCommand::Exit,
     {"Quit the application\nExit",
      "Beenden the application\nAusgang",
      "Afslut the application\nExit"}},
    {MenuCommand::ToolBar,
     {"Show or hide the toolbar\nToggle ToolBar",
      "Show or hide the symbolleiste\nToggle symbolleiste",
      "Show or hide the værktøjslinie\nToggle værktøjslinie"}},
    {MenuCommand::StatusBar,
     {"Show or hide the status bar\nToggle StatusBar",
      "Show or hide the statusleiste\nToggle Statusleiste",
      "Show or hide the status bar\nToggle StatusBar"}},
};

std::size_t Column(int languageIndex) {
  return (languageIndex >= 0 && languageIndex < 3) ? static_cast<std::size_t>(languageIndex) : 0;
}

}  // namespace

std::span<const MenuEntry> MainMenu() { return kMainMenu; }

std::string_view MenuCaption(MenuCommand command, int languageIndex) {
  for (const MenuEntry& entry : kMainMenu) {
    if (entry.command == command) return entry.caption[Column(languageIndex)];
  }
  return {};
}

std::string_view CommandPrompt(MenuCommand command, int languageIndex) {
  for (const Prompt& prompt : kPrompts) {
    if (prompt.command == command) return prompt.text[Column(languageIndex)];
  }
  return {};
}

int PromptLanguageOf(std::string_view localeName) {
  std::string_view language = localeName.substr(0, localeName.find_first_of("_.@"));
  if (language == "de") return 1;
  if (language == "da") return 2;
  return 0;
}

}  // namespace skyvane
