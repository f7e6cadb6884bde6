#pragma once
// The main menu's captions per language and the command prompts shown in
// status pane 0 (the part after the line break is the button's tool tip).
// The menu follows LanguageIndex; the prompts follow the user's system
// language (PromptLanguageOf).
#include <array>
#include <span>
#include <string_view>

namespace skyvane {

// The main menu's entries in menu order; a *Menu command opens a top-level
// menu holding the commands up to the next one.
enum class MenuCommand {
  DisplayMenu, ToolBar, StatusBar, Language, Separator, Exit,
  SystemMenu, Setup, Alarm, Scope,
  RecordMenu, History, Graph, Statistics,
  HelpMenu, About,
};

struct MenuEntry {
  MenuCommand command;
  bool topLevel;
  std::array<std::string_view, 3> caption;  // English, German, Danish; '&' marks the access key
};

// Every entry of the main menu, in menu order.
std::span<const MenuEntry> MainMenu();

// The caption of a menu entry in a language; empty for the separator.
std::string_view MenuCaption(MenuCommand command, int languageIndex);

// The status-bar prompt and tool tip of a command in a language; empty for
// commands without one (the top-level menus and the separator).
std::string_view CommandPrompt(MenuCommand command, int languageIndex);

// The language of the prompts for a POSIX locale name such as "de_DE.UTF-8"
// (from LC_ALL, LC_MESSAGES or LANG): 1 for German, 2 for Danish, else 0.
int PromptLanguageOf(std::string_view localeName);

}  // namespace skyvane
