#include "core/app/menu_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skyvane {
namespace {

TEST(MainMenu, FourMenusWithTheirCommandsInOrder) {
  auto menu = MainMenu();
  ASSERT_EQ(menu.size(), 16u);
  std::string tops;
  for (const MenuEntry& e : menu) {
    if (e.topLevel) tops += std::string(e.caption[0]) + "|";
  }
  EXPECT_EQ(tops, "&Display|&System|&Record|&Help|");
  EXPECT_EQ(menu[4].command, MenuCommand::Separator);
  EXPECT_EQ(menu[5].command, MenuCommand::Exit);
  // Statistics beside History and Graph.
  EXPECT_EQ(menu[11].command, MenuCommand::History);
  EXPECT_EQ(menu[12].command, MenuCommand::Graph);
  EXPECT_EQ(menu[13].command, MenuCommand::Statistics);
  EXPECT_EQ(menu[15].command, MenuCommand::About);
}

TEST(MainMenu, CaptionsPerLanguage) {
  EXPECT_EQ(MenuCaption(MenuCommand::DisplayMenu, 2), "&Skærm");
  EXPECT_EQ(MenuCaption(MenuCommand::ToolBar, 2), "&Værktøjslinie");
  EXPECT_EQ(MenuCaption(MenuCommand::StatusBar, 2), "&StatusBar");
  EXPECT_EQ(MenuCaption(MenuCommand::Exit, 1), "&Ausgang");
  EXPECT_EQ(MenuCaption(MenuCommand::Scope, 1), "&Zeitstempel");
  EXPECT_EQ(MenuCaption(MenuCommand::Scope, 2), "&Oversigt Min/Max");
  EXPECT_EQ(MenuCaption(MenuCommand::HelpMenu, 1), "&Info");
  EXPECT_EQ(MenuCaption(MenuCommand::About, 1), "&Circa Skyvane...");
  EXPECT_EQ(MenuCaption(MenuCommand::Language, 0), "Language...");
  EXPECT_EQ(MenuCaption(MenuCommand::Separator, 1), "");
  EXPECT_EQ(MenuCaption(MenuCommand::Statistics, 0), "&Statistics");
  EXPECT_EQ(MenuCaption(MenuCommand::Statistics, 2), "&Statistik");
}

TEST(CommandPrompts, ExactTextsWithTheirToolTips) {
  EXPECT_EQ(CommandPrompt(MenuCommand::Language, 2),
            "Set system language\nSkærm and opsætning system language configuration");
  EXPECT_EQ(CommandPrompt(MenuCommand::Setup, 1), "ystem configuration\nDisplay and installation system configuration");
  EXPECT_EQ(CommandPrompt(MenuCommand::Alarm, 2), CommandPrompt(MenuCommand::Alarm, 0));
  EXPECT_EQ(CommandPrompt(MenuCommand::Scope, 2), "Skærm and modify system alarm valve\nSkærm and modify system alarm valve");
  EXPECT_EQ(CommandPrompt(MenuCommand::About, 1),
            "Display program information, version number and copyright\nCirca");
  EXPECT_EQ(CommandPrompt(MenuCommand::Exit, 0), "Quit the application\nExit");
  EXPECT_EQ(CommandPrompt(MenuCommand::StatusBar, 1), "Show or hide the statusleiste\nToggle Statusleiste");
  // Every command has a prompt with one line break; menus and the separator have none.
  for (const MenuEntry& e : MainMenu()) {
    for (int lang = 0; lang < 3; ++lang) {
      std::string_view prompt = CommandPrompt(e.command, lang);
      if (e.topLevel || e.command == MenuCommand::Separator) {
        EXPECT_TRUE(prompt.empty());
      } else {
        EXPECT_EQ(std::count(prompt.begin(), prompt.end(), '\n'), 1) << e.caption[0] << " " << lang;
      }
    }
  }
}

TEST(CommandPrompts, LanguageComesFromTheLocaleName) {
  EXPECT_EQ(PromptLanguageOf("de_DE.UTF-8"), 1);
  EXPECT_EQ(PromptLanguageOf("de"), 1);
  EXPECT_EQ(PromptLanguageOf("da_DK@euro"), 2);
  EXPECT_EQ(PromptLanguageOf("en_GB.UTF-8"), 0);
  EXPECT_EQ(PromptLanguageOf("C"), 0);
  EXPECT_EQ(PromptLanguageOf(""), 0);
  EXPECT_EQ(PromptLanguageOf("dan"), 0);
}

}  // namespace
}  // namespace skyvane
