#include "gui/shell/frame_texts.h"

#include <cstdlib>

#include "core/app/menu_texts.h"

namespace skyvane {

namespace {

MenuCommand MenuCommandOf(FrameCommand command) {
  switch (command) {
    case FrameCommand::kToolBar: return MenuCommand::ToolBar;
    case FrameCommand::kStatusBar: return MenuCommand::StatusBar;
    case FrameCommand::kLanguage: return MenuCommand::Language;
    case FrameCommand::kExit: return MenuCommand::Exit;
    case FrameCommand::kSetup: return MenuCommand::Setup;
    case FrameCommand::kAlarm: return MenuCommand::Alarm;
    case FrameCommand::kScope: return MenuCommand::Scope;
    case FrameCommand::kHistory: return MenuCommand::History;
    case FrameCommand::kGraph: return MenuCommand::Graph;
    case FrameCommand::kStatistics: return MenuCommand::Statistics;
    case FrameCommand::kAbout: return MenuCommand::About;
  }
  return MenuCommand::About;
}

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

FrameMenuTexts MenuTextsFor(int languageIndex) {
  FrameMenuTexts texts;
  texts.displayMenu = Q(MenuCaption(MenuCommand::DisplayMenu, languageIndex));
  texts.systemMenu = Q(MenuCaption(MenuCommand::SystemMenu, languageIndex));
  texts.recordMenu = Q(MenuCaption(MenuCommand::RecordMenu, languageIndex));
  texts.helpMenu = Q(MenuCaption(MenuCommand::HelpMenu, languageIndex));
  for (int i = 0; i < kFrameCommandCount; ++i)
    texts.command[i] = Q(MenuCaption(MenuCommandOf(static_cast<FrameCommand>(i)), languageIndex));
  return texts;
}

PromptTexts PromptFor(FrameCommand command, int promptLanguage) {
  const QString whole = Q(skyvane::CommandPrompt(MenuCommandOf(command), promptLanguage));
  const qsizetype cut = whole.indexOf(QLatin1Char('\n'));
  if (cut < 0) return {whole, whole};
  return {whole.left(cut), whole.mid(cut + 1)};
}

QString NotPollingToolTip(int languageIndex) {
  static const char* const kTexts[] = {
      "Not polling: another Skyvane program reads the station; this window shows the data it stores",
      "Keine Abfrage: Ein anderes Skyvane-Programm liest die Station aus; dieses Fenster zeigt die "
      "Daten, die es speichert",
      "Ingen aflæsning: Et andet Skyvane-program læser stationen; dette vindue viser de data, det gemmer",
  };
  return QString::fromUtf8(kTexts[languageIndex >= 0 && languageIndex < 3 ? languageIndex : 0]);
}

int PromptLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return PromptLanguageOf(value);
  }
  return 0;
}

}  // namespace skyvane
